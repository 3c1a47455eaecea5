// What the updater's start-up needs from the system it shows itself on: the
// Win32 dialogs of Caddis.exe, the terminal of the console program, or a test's
// recording. Everything else (the host's services) goes through Host.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "updater/app/VrDialogSurface.h"
#include "updater/app/VrMessageKinds.h"

class CVrErrorRecord;

class VrFrontEnd : public VrMessageWindow {
public:
    // The engine's failure record, given as soon as the engine exists: a
    // front end records there what fails in it (an icon that does not load).
    virtual void SetFailureRecord(CVrErrorRecord& /*record*/) {}

    // The common controls and the window framework.
    virtual void Initialise() = 0;

    // Whether the user belongs to the local Administrators group (asked on
    // Windows 2000 and XP only).
    virtual bool IsAdministrator() = 0;

    // Looks for a top-level window with each title in turn; the first found is
    // restored if minimised and its last active pop-up brought to the
    // foreground. False when none was found.
    virtual bool BringForward(const std::vector<std::wstring>& titles) = 0;

    // Dispatches the waiting window messages and runs idle processing: false
    // once the quit message has been seen (it is posted again for the caller).
    virtual bool PumpMessages() = 0;
    // Waits up to `milliseconds` for input to the program's windows, and not
    // at all when some is waiting: loops that only wait leave the processor
    // alone.
    virtual void WaitForMessages(DWORD milliseconds) = 0;
    // Posts the quit message: the modeless download dialog does when it goes.
    virtual void PostQuit() = 0;

    // Runs `dialog` modally over `parent` and returns the result it closed with.
    virtual int RunModal(VrDialog& dialog, VrWindowHandle parent) = 0;
    // Creates `dialog` modeless and hidden; `dialog` outlives the surface, whose
    // end destroys the window if it is still there.
    virtual std::unique_ptr<VrDialogSurface> CreateModeless(VrDialog& dialog) = 0;
};
