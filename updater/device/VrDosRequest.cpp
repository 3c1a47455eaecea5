#include "updater/device/VrDosRequest.h"

#include "updater/base/VrLittleEndian.h"

namespace {

const DWORD kDosIoctl = 1;  // VWIN32_DIOC_DOS_IOCTL
const uint32_t kRegisterBytes = 28;
const uint32_t kEbx = 0, kEdx = 4, kEcx = 8, kEax = 12, kFlags = 24;
const uint32_t kCarry = 0x0001;
const uint32_t kBlockDeviceRequest = 0x440D;

bool RequestOnce(Host& host, HANDLE vwin32, const VrDosRequest& request, uint8_t category, DWORD& error) {
    uint8_t registers[kRegisterBytes] = {};
    VrPutLe32(registers + kEbx, request.drive);
    VrPutLe32(registers + kEdx, request.edx);
    VrPutLe32(registers + kEcx, uint32_t(category) << 8 | request.minor);
    VrPutLe32(registers + kEax, kBlockDeviceRequest);
    VrPutLe32(registers + kFlags, kCarry);
    DWORD returned = 0;
    if (!host.DeviceIoControl(vwin32, kDosIoctl, registers, kRegisterBytes, registers, kRegisterBytes, &returned,
                              nullptr)) {
        error = host.GetLastError();
        if (error == 0) error = ERROR_GEN_FAILURE;
        return false;
    }
    if (VrGetLe32(registers + kFlags) & kCarry) {
        error = VrGetLe32(registers + kEax) & 0xFFFF;
        if (error == 0) error = ERROR_GEN_FAILURE;
        return false;
    }
    error = 0;
    return true;
}

}  // namespace

bool VrDosBlockRequest(Host& host, HANDLE vwin32, const VrDosRequest& request, bool fallback, DWORD& error) {
    if (fallback && RequestOnce(host, vwin32, request, kVrDosFat32Category, error)) return true;
    return RequestOnce(host, vwin32, request, kVrDosCategory, error);
}
