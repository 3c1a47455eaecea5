#include "platform/sim/SimInterfaceList.h"

#include <cstddef>
#include <cstring>

#include "platform/sim/SimUsbBus.h"

SimInterfaceList::SimInterfaceList(const GUID& interfaceClass, std::vector<std::wstring> paths)
    : class_(interfaceClass), paths_(std::move(paths)) {}

DWORD SimInterfaceList::Enumerate(const GUID* interfaceClass, DWORD index, SP_DEVICE_INTERFACE_DATA* data) const {
    if (!interfaceClass || !data) return ERROR_INVALID_PARAMETER;
    if (data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)) return ERROR_INVALID_USER_BUFFER;
    if (!SimSameGuid(*interfaceClass, class_) || index >= paths_.size()) return ERROR_NO_MORE_ITEMS;
    data->InterfaceClassGuid = class_;
    data->Flags = SPINT_ACTIVE;
    data->Reserved = index + 1;  // which interface the record stands for
    return ERROR_SUCCESS;
}

DWORD SimInterfaceList::Detail(const SP_DEVICE_INTERFACE_DATA* data, SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail,
                               DWORD detailSize, DWORD* required) const {
    if (!data || data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)) return ERROR_INVALID_USER_BUFFER;
    if (data->Reserved == 0 || data->Reserved > paths_.size()) return ERROR_INVALID_PARAMETER;
    const std::wstring& path = paths_[data->Reserved - 1];
    const DWORD needed =
        static_cast<DWORD>(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath) + (path.size() + 1) * sizeof(WCHAR));
    if (required) *required = needed;
    if (!detail) return detailSize == 0 ? static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER) : ERROR_INVALID_PARAMETER;
    if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return ERROR_INVALID_USER_BUFFER;
    if (detailSize < needed) return ERROR_INSUFFICIENT_BUFFER;
    std::memcpy(detail->DevicePath, path.c_str(), (path.size() + 1) * sizeof(WCHAR));
    return ERROR_SUCCESS;
}
