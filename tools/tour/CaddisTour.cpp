// A look at the updater's configuration and language resources on the
// simulated PC: the component table, the language chosen for this terminal's
// locale and texts from that language library, read by the simulated loader
// from the very library files Windows loads.
//
//   caddis-tour [--language 0xNNNN]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/LocaleLanguage.h"
#include "platform/TextCodec.h"
#include "platform/sim/SimHost.h"
#include "platform/sim/SimHostNames.h"
#include "platform/sim/SimMachine.h"
#include "resources/caddis/CaddisResourceImage.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/app/VrLanguage.h"
#include "updater/app/VrLanguageResource.h"
#include "updater/app/VrTextFormat.h"
#include "updater/base/VrErrorRecord.h"
#include "updater/base/VrResult.h"

namespace {

void Print(const char* label, const std::wstring& text) {
    std::printf("  %-28s %s\n", label, Utf8FromWide(text).c_str());
}

void PrintComponents(const CVrConfigInfo& config) {
    std::printf("Firmware components\n");
    std::printf("  %-5s %-16s %-18s %-9s %s\n", "index", "file", "display name", "drive tag", "update");
    for (uint32_t index = 1; index <= CVrConfigInfo::kLastComponentIndex; ++index) {
        std::string file;
        std::wstring name;
        uint8_t tag = 0;
        bool update = false;
        if (config.GetComponentFileName(index, file) != kVrOk) continue;
        config.GetComponentDisplayName(index, name);
        config.GetComponentTag(index, tag);
        config.GetComponentUpdateFlag(index, update);
        std::printf("  %-5u %-16s %-18s 0x%02X      %u\n", index, file.c_str(), Utf8FromWide(name).c_str(), tag,
                    update ? 1u : 0u);
    }
    std::wstring program;
    std::string vendor, product;
    uint8_t recovery = 0, player = 0;
    config.GetProgramFileName(program);
    config.GetVendorIdentity(vendor);
    config.GetProductIdentity(product);
    config.GetRecoveryComponent(recovery);
    config.GetPlayerComponent(player);
    std::printf("  program %s, player \"%s\" \"%s\", recovery component %u, player component %u\n\n",
                Utf8FromWide(program).c_str(), vendor.c_str(), product.c_str(), recovery, player);
}

void PrintTexts(CVrLanguageResource& texts) {
    std::wstring text;
    texts.GetTitle(text);
    Print("title", text);
    texts.LoadText(106, text, false);
    Print("search window", text);
    texts.LoadText(102, text, false);
    Print("search status", text);
    texts.LoadText(145, text, false);
    Print("option", text);
    for (int32_t stage : {2, 7, 18, 5, 49}) {
        texts.GetStageText(stage, text, false);
        Print(("stage " + std::to_string(stage)).c_str(), text);
    }
    texts.GetErrorText(kVrNoPlayer, text, false);
    Print("no player (-22)", text);
    texts.GetComponentErrorText(kVrFileOpenFailed, text, 2, false);
    Print("missing file (-11)", text);
    texts.GetDeviceStatusText(0x0401, text, false);
    Print("device status 0x0401", text);
    texts.GetVersionText(text);
    Print("version", text);
}

}  // namespace

int main(int argc, char** argv) {
    std::string locale = EnvironmentLocale();
    LANGID userLanguage = LanguageOfLocale(locale);
    if (argc == 3 && std::strcmp(argv[1], "--language") == 0) {
        userLanguage = static_cast<LANGID>(std::strtoul(argv[2], nullptr, 16));
        locale = "--language";
    } else if (argc != 1) {
        std::fprintf(stderr, "usage: %s [--language 0xNNNN]\n", argv[0]);
        return 2;
    }

    // The PC: the program and its language libraries in C:\Caddis, which is
    // the folder this program was built into.
    auto machine = std::make_shared<SimMachine>();
    machine->SetLanguages(userLanguage, userLanguage);
    std::filesystem::path programFolder = std::filesystem::canonical("/proc/self/exe").parent_path();
    machine->MapFolder(L'C', DRIVE_FIXED, programFolder.parent_path());
    SimHost host(*machine, L"C:\\" + SimPcName(programFolder.filename()) + L"\\Caddis.exe");
    host.SetProgramImage(kCaddisResourceImage, kCaddisResourceImage_size);

    CVrConfigInfo config;
    CVrErrorRecord errors;
    PrintComponents(config);

    LANGID language = VrChooseLanguage(host.GetUserDefaultLangID());
    std::printf("Language\n  locale \"%s\": user language 0x%04X, interface language 0x%04X, library %s\n\n",
                locale.c_str(), host.GetUserDefaultLangID(), language,
                Utf8FromWide(VrLanguageLibraryFile(language)).c_str());

    CVrLanguageResource texts(host, config, errors, language);
    if (texts.GetLastResult() != kVrOk) {
        std::wstring message;
        texts.LoadText(61, message, false);
        message = VrFormatText(message, {errors.GetDetail()});
        std::fprintf(stderr, "%s\n", Utf8FromWide(message).c_str());
        return 1;
    }
    config.SetResourceProvider(&texts);
    std::printf("Texts from %s\n", Utf8FromWide(VrLanguageLibraryFile(language)).c_str());
    PrintTexts(texts);
    return 0;
}
