#include "usbsupport/QuellSystem.h"

#include <cstddef>

namespace {

// The basic record is the extended one's leading part.
const DWORD kBasicRecordSize = offsetof(OSVERSIONINFOEXW, wServicePackMajor);

int NineXCode(DWORD major, DWORD minor) {
    if (major < 4) return 2;
    if (major == 4 && minor == 0) return 3;
    if (major == 4 && minor == 90) return 5;
    return 4;
}

int NtCode(DWORD major, DWORD minor) {
    if (major == 5 && minor == 0) return 6;
    if (major == 5 && minor == 1) return 7;
    return 8;
}

}  // namespace

int WindowsVersionCode(Host& host) {
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!host.GetVersionEx(&info)) {
        // Windows 9x knows only the basic record.
        info = OSVERSIONINFOEXW();
        info.dwOSVersionInfoSize = kBasicRecordSize;
        if (!host.GetVersionEx(&info)) return 0;
    }
    switch (info.dwPlatformId) {
    case VER_PLATFORM_WIN32s: return 0;
    case VER_PLATFORM_WIN32_WINDOWS: return NineXCode(info.dwMajorVersion, info.dwMinorVersion);
    case VER_PLATFORM_WIN32_NT: return NtCode(info.dwMajorVersion, info.dwMinorVersion);
    default: return -1;
    }
}

unsigned SystemLanguageCode(Host& host) {
    switch (host.GetSystemDefaultLangID()) {
    case 0x0804: return kQuellChinesePrc;
    case 0x0404: return kQuellChineseTaiwan;
    case 0: return kQuellNoLanguage;
    default: return kQuellOtherLanguage;
    }
}
