// Device interface lists on the simulated PC: the USB hubs are the one
// interface class it has. A set is a handle of the process, and only
// SetupDiDestroyDeviceInfoList releases it.
#include "platform/sim/SimHost.h"
#include "platform/sim/SimInterfaceList.h"

HDEVINFO SimHost::SetupDiGetClassDevs(const GUID* classGuid, LPCWSTR, HWND, DWORD flags) {
    if (!classGuid || !(flags & DIGCF_DEVICEINTERFACE)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::vector<std::wstring> paths;
    if (SimSameGuid(*classGuid, kSimUsbHubClass)) {
        for (const std::shared_ptr<SimUsbHub>& hub : machine_.UsbHubs()) paths.push_back(hub->InterfacePath());
    }
    SetLastError(ERROR_SUCCESS);
    return handles_.Add(std::make_shared<SimInterfaceList>(*classGuid, std::move(paths)));
}

BOOL SimHost::SetupDiEnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA*, const GUID* classGuid, DWORD index,
                                          SP_DEVICE_INTERFACE_DATA* data) {
    std::shared_ptr<SimInterfaceList> list = HandleOf<SimInterfaceList>(set);
    if (!list) return FALSE;
    DWORD error = list->Enumerate(classGuid, index, data);
    SetLastError(error);
    return error == ERROR_SUCCESS;
}

BOOL SimHost::SetupDiGetDeviceInterfaceDetail(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                              SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailSize,
                                              LPDWORD required, SP_DEVINFO_DATA*) {
    std::shared_ptr<SimInterfaceList> list = HandleOf<SimInterfaceList>(set);
    if (!list) return FALSE;
    DWORD error = list->Detail(data, detail, detailSize, required);
    SetLastError(error);
    return error == ERROR_SUCCESS;
}

BOOL SimHost::SetupDiDestroyDeviceInfoList(HDEVINFO set) {
    if (!HandleOf<SimInterfaceList>(set)) return FALSE;
    handles_.Close(set);
    return TRUE;
}
