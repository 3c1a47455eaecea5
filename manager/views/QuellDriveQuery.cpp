#include "manager/views/QuellDriveQuery.h"

#include "usbsupport/Quell.h"

PlayerDriveQuery QuellDriveQuery() {
    return [](std::wstring& roots, const std::wstring& first, const std::wstring& second) {
        CString found(roots.c_str());
        const int drive = QGetUSbDrivers(found, CString(first.c_str()), CString(second.c_str()));
        roots = found.GetString();
        return drive;
    };
}
