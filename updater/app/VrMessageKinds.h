// How the updater shows a message: the kinds of box every caller passes, their
// captions from the program's own string table (so that a box can speak the
// user's language even without a language library), and the window that the
// Win32 dialogs and the console front end each implement.
#pragma once

#include <cstdint>
#include <string>

#include "platform/WinTypes.h"

#ifdef _WIN32
typedef HWND VrWindowHandle;
#else
typedef struct VrWindow_* VrWindowHandle;  // the console has no windows; an opaque owner
#endif

enum VrMessageKind : int {
    kVrMessageError = 0,
    kVrMessageInformation = 2,
    kVrMessageWarning = 3,
    kVrMessageOption = 4,  // a question answered with Yes or No
};

// The buttons a message can end with, numbered as Windows numbers them.
enum VrMessageButton : int {
    kVrButtonOk = 1,
    kVrButtonYes = 6,
    kVrButtonNo = 7,
};

// The own string that captions a box of `kind`, or 0 when the kind has none
// (an unknown kind gets an empty caption).
inline uint32_t VrMessageCaptionId(int kind) {
    switch (kind) {
    case kVrMessageError: return 67;
    case kVrMessageWarning: return 68;
    case kVrMessageInformation: return 69;
    case kVrMessageOption: return 70;
    default: return 0;
    }
}

class VrMessageWindow {
public:
    virtual ~VrMessageWindow() = default;

    // Shows `message` as a box of `kind` owned by `parent` and returns the
    // button that closed it. Empty details give the plain box; otherwise the
    // details can be opened below the message.
    virtual int ShowMessage(int kind, const std::wstring& message, const std::wstring& details,
                            VrWindowHandle parent) = 0;
};
