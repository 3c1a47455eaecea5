#include "manager/app/ListMenus.h"

#include <cwctype>

#include "manager/app/ManagerControls.h"

namespace {

bool SameFile(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    }
    return true;
}

void Grey(std::vector<PopupItem>& items, ManagerCommand command) {
    for (PopupItem& item : items) {
        if (item.command == command) item.enabled = false;
    }
}

}  // namespace

std::vector<PopupItem> ListMenuItems(int list, const ListMenuContext& context) {
    const bool player = list == kPlayerList;
    if (!player && list != kPcList) return {};
    const ManagerCommand transfer = player ? kCopyToPcCommand : kCopyToPlayerCommand;
    std::vector<PopupItem> items = {{kSpeechCommand, kSpeechText, true},
                                    {kUpOneLevelCommand, kUpOneLevelText, true},
                                    {transfer, player ? kCopyToPcText : kCopyToPlayerText, true},
                                    {kDeleteCommand, kDeleteText, true}};
    if (player) items.push_back({kFormatCommand, kFormatText, true});
    items.push_back({kPlayCommand, kPlayText, true});
    items.push_back({kStopCommand, kStopText, true});

    // What changes files stays away from a preview, which holds its file.
    const auto greyChanges = [&] {
        Grey(items, transfer);
        Grey(items, kDeleteCommand);
        if (player) Grey(items, kFormatCommand);
    };
    if (!context.itemHit) {
        Grey(items, transfer);
        Grey(items, kDeleteCommand);
        Grey(items, kPlayCommand);
        Grey(items, kStopCommand);
        if (player && context.previewPlaying) Grey(items, kFormatCommand);
    } else if (context.playableFile.empty() || context.selectedCount >= 2) {
        Grey(items, kPlayCommand);
        Grey(items, kStopCommand);
        if (context.previewPlaying) greyChanges();
    } else if (context.previewPlaying) {
        Grey(items, SameFile(context.playingFile, context.playableFile) ? kPlayCommand : kStopCommand);
        greyChanges();
    } else {
        Grey(items, kStopCommand);
    }
    if (player && context.navigationDepth <= 1) Grey(items, kUpOneLevelCommand);
    return items;
}

bool ListMenuShown(int list, bool operationIdle, bool pcFolderKnown) {
    if (!operationIdle) return false;
    return list == kPlayerList || (list == kPcList && pcFolderKnown);
}
