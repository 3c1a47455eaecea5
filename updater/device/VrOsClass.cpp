#include "updater/device/VrOsClass.h"

#include <cstddef>

VrOsClass VrClassifyVersion(uint32_t major, uint32_t minor) {
    if (major == 4 && minor <= 10) return kVrOsWin9x;
    if (major == 4 && minor > 89) return kVrOsWinMe;
    if (major == 5) return minor == 0 ? kVrOsWin2000 : kVrOsWinXp;
    return kVrOsOther;
}

VrOsClass VrGetOsClass(Host& host) {
    // Windows 95, 98 and Me refuse the extended record; the plain one is its
    // first part and carries the same numbers.
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!host.GetVersionEx(&info)) {
        info = {};
        info.dwOSVersionInfoSize = static_cast<DWORD>(offsetof(OSVERSIONINFOEXW, wServicePackMajor));
        if (!host.GetVersionEx(&info)) return kVrOsOther;
    }
    return VrClassifyVersion(info.dwMajorVersion, info.dwMinorVersion);
}
