#include "usbsupport/QuellStorageIdentity.h"

#include "usbsupport/QuellRecords.h"

namespace {

using namespace StorageDescriptorField;

// The text at the offset a field names, up to its terminator or the end of
// what the driver returned. Offset 0 is a text the device does not have.
bool TextAt(const BYTE* descriptor, DWORD returned, DWORD field, std::wstring& text) {
    text.clear();
    if (returned < field + 4) return false;
    const DWORD offset = QuellGet32(descriptor + field);
    if (offset == 0) return true;
    if (offset >= returned) return false;
    for (DWORD at = offset; at < returned && descriptor[at] != 0; ++at) text += static_cast<wchar_t>(descriptor[at]);
    return true;
}

}  // namespace

bool StorageIdentity(Host& host, wchar_t letter, std::wstring& vendor, std::wstring& product) {
    const wchar_t path[] = {L'\\', L'\\', L'.', L'\\', letter, L':', 0};
    HANDLE drive = host.CreateFile(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
    if (drive == INVALID_HANDLE_VALUE) return false;
    BYTE query[kQuerySize] = {};  // the device property, standard query
    BYTE descriptor[kDescriptorSize] = {};
    DWORD returned = 0;
    bool answered = host.DeviceIoControl(drive, kQuellStorageQuery, query, sizeof query, descriptor,
                                         sizeof descriptor, &returned, nullptr) != FALSE;
    host.CloseHandle(drive);
    if (!answered || returned > sizeof descriptor) return false;
    return TextAt(descriptor, returned, kVendorOffset, vendor) && TextAt(descriptor, returned, kProductOffset, product);
}
