#include "usbsupport/QuellHubSearch.h"

#include <cstddef>
#include <string>
#include <vector>

#include "usbsupport/QuellRecords.h"

const GUID kQuellUsbHubClass = {0xF18A0E88, 0xC30C, 0x11D0, {0x88, 0x15, 0x00, 0xA0, 0xC9, 0x06, 0xBE, 0xD8}};

namespace {

using namespace HubConnectionField;

const DWORD kLastPort = 255;
const size_t kPathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath);
// No interface path is longer than the longest path Windows takes.
const DWORD kLongestDetail = static_cast<DWORD>(kPathOffset + 32768 * sizeof(WCHAR));

// The interface's device path, asked once for its size and once for itself.
bool InterfacePath(Host& host, HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data, std::wstring& path) {
    DWORD required = 0;
    host.SetupDiGetDeviceInterfaceDetail(set, &data, nullptr, 0, &required, nullptr);
    if (required <= kPathOffset || required > kLongestDetail) return false;
    // Whole DWORDs keep the record aligned as its first field wants.
    std::vector<DWORD> room((required + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(room.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!host.SetupDiGetDeviceInterfaceDetail(set, &data, detail, required, nullptr, nullptr)) return false;
    // The path ends at its terminator or, without one, at the record's end.
    const size_t most = (required - kPathOffset) / sizeof(WCHAR);
    const WCHAR* text = detail->DevicePath;
    size_t length = 0;
    while (length < most && text[length] != 0) ++length;
    path.assign(text, length);
    return !path.empty();
}

// Asks every port until the hub refuses a port number; the scan goes on
// after a match, as the hub's ports are counted out in full.
bool HubHasDevice(Host& host, HANDLE hub, unsigned vendor, unsigned product) {
    bool found = false;
    for (DWORD port = 1; port <= kLastPort; ++port) {
        BYTE record[kRecordSize] = {};
        QuellPut32(record + kPort, port);
        DWORD returned = 0;
        if (!host.DeviceIoControl(hub, kQuellHubConnectionRequest, record, kRecordSize, record, kRecordSize,
                                  &returned, nullptr)) {
            break;
        }
        // A port without a device answers zero identifiers, which must
        // not pass for a device whose identifiers are zero.
        bool connected = returned >= kStatus + 4 && QuellGet32(record + kStatus) == kQuellDeviceConnected;
        if (connected && QuellGet16(record + kVendor) == vendor && QuellGet16(record + kProduct) == product) {
            found = true;
        }
    }
    return found;
}

}  // namespace

int FindUsbDeviceHub(Host& host, unsigned vendor, unsigned product) {
    HDEVINFO set = host.SetupDiGetClassDevs(&kQuellUsbHubClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) return 0;
    int found = 0;
    for (DWORD index = 0; found == 0; ++index) {
        SP_DEVICE_INTERFACE_DATA data = {};
        data.cbSize = sizeof data;
        if (!host.SetupDiEnumDeviceInterfaces(set, nullptr, &kQuellUsbHubClass, index, &data)) break;
        std::wstring path;
        if (!InterfacePath(host, set, data, path)) continue;
        HANDLE hub = host.CreateFile(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
        if (hub == INVALID_HANDLE_VALUE) continue;
        if (HubHasDevice(host, hub, vendor, product)) found = static_cast<int>(index) + 1;
        host.CloseHandle(hub);
    }
    host.SetupDiDestroyDeviceInfoList(set);
    return found;
}
