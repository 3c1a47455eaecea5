// The updater's application on a simulated PC, shown through a recording
// front end: a test plugs a player in, sets the front end's answers and
// scripts, and runs the program or a part of its start-up.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/RecordingFrontEnd.h"
#include "tests/support/SimulatedPc.h"
#include "updater/app/VrDialogIds.h"
#include "updater/app/VrDialogShared.h"
#include "updater/app/VrUpdaterApp.h"

class AppTestBed : public SimulatedPc {
public:
    explicit AppTestBed(const std::vector<std::string>& libraries = {"vrxa0409.dll"}) : SimulatedPc(libraries) {}

    // A text of the language library as the program has loaded it.
    std::wstring Text(uint32_t id) { return VrLoadText(app.GetResource(), id); }

    // The one dialog of a template the program showed, or null.
    std::shared_ptr<RecordedDialog> Dialog(int templateId) const {
        auto all = frontEnd.DialogsOf(templateId);
        return all.size() == 1 ? all.front() : nullptr;
    }

    // The user presses Start as soon as the download dialog is up, then
    // leaves the dialog to the front end.
    void PressStartWhenShown() {
        frontEnd.modalScripts[kVrDownloadTemplate] = [](VrDialog& dialog, RecordingSurface&) {
            dialog.OnCommand(kVrDownloadStart);
        };
    }

    // A version as the dialogs write it.
    static std::wstring VersionText(const SimVersionRecord& version) {
        wchar_t text[24];
        std::swprintf(text, 24, L"%03u.%03u.%03u", unsigned(version.major), unsigned(version.minor),
                      unsigned(version.revision));
        return text;
    }

    RecordingFrontEnd frontEnd;
    CVrUpdaterApp app{host, frontEnd};
};
