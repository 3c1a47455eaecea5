// What a device information set of the simulated PC holds: the paths of the
// present interfaces of one class, answered the way SetupAPI answers
// SetupDiEnumDeviceInterfaces and SetupDiGetDeviceInterfaceDetail. The
// calls return ERROR_SUCCESS or the error the program is to see.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/SimObjects.h"

class SimInterfaceList final : public SimObject {
public:
    SimInterfaceList(const GUID& interfaceClass, std::vector<std::wstring> paths);

    // ERROR_NO_MORE_ITEMS past the last one; ERROR_INVALID_USER_BUFFER when
    // the record's cbSize is not its size.
    DWORD Enumerate(const GUID* interfaceClass, DWORD index, SP_DEVICE_INTERFACE_DATA* data) const;
    // Without a record: ERROR_INSUFFICIENT_BUFFER with `required` set.
    DWORD Detail(const SP_DEVICE_INTERFACE_DATA* data, SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailSize,
                 DWORD* required) const;

private:
    const GUID class_;
    const std::vector<std::wstring> paths_;
};
