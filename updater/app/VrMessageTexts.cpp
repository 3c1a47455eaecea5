#include "updater/app/VrMessageTexts.h"

#include "platform/ResourceStrings.h"
#include "updater/app/VrLanguage.h"
#include "updater/app/VrMessageKinds.h"

namespace {

const UINT kCollapseText = 62;
const UINT kExpandText = 63;
const UINT kYesText = 64;
const UINT kNoText = 65;
const UINT kOkText = 66;

}  // namespace

VrMessageTexts VrLoadMessageTexts(Host& host, int kind) {
    HMODULE program = host.GetModuleHandle(nullptr);
    WORD language = VrOwnTableLanguage(VrChooseLanguage(host.GetUserDefaultLangID()));
    auto load = [&](UINT id) {
        std::wstring text;
        if (id != 0 && !LoadResourceString(host, program, id, language, text)) text.clear();
        return text;
    };
    VrMessageTexts texts;
    texts.caption = load(VrMessageCaptionId(kind));
    texts.ok = load(kOkText);
    texts.yes = load(kYesText);
    texts.no = load(kNoText);
    texts.expand = load(kExpandText);
    texts.collapse = load(kCollapseText);
    return texts;
}
