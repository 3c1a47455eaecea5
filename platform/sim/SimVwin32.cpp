#include "platform/sim/SimVwin32.h"

#include <cstring>

#include "platform/sim/SimDeviceFile.h"
#include "platform/sim/SimLowMemory.h"
#include "platform/sim/player/SimLittleEndian.h"

namespace {

// The register record.
const DWORD kEbx = 0, kEdx = 4, kEcx = 8, kEax = 12, kFlags = 24;
const DWORD kCarry = 0x0001;

const WORD kBlockDeviceRequest = 0x440D;
const BYTE kCategory = 0x08, kFat32Category = 0x48;
const BYTE kLockLogical = 0x4A, kLockPhysical = 0x4B, kUnlockLogical = 0x6A, kUnlockPhysical = 0x6B;
const BYTE kDeviceParameters = 0x60, kDriveMapInfo = 0x6F;

class Vwin32Handle final : public SimDeviceFile {
public:
    explicit Vwin32Handle(SimVwin32& device) : device_(device) {}
    DWORD IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD& returned) override {
        returned = 0;
        if (code != kSimVwin32DosIoctl) return ERROR_INVALID_FUNCTION;
        if (!device_.Serve(in, inSize, out, outSize)) return ERROR_INVALID_PARAMETER;
        returned = SimVwin32::kRegisterBytes;
        return ERROR_SUCCESS;
    }

private:
    SimVwin32& device_;
};

}  // namespace

SimVwin32::SimVwin32(SimLowMemory& memory, std::function<UINT(wchar_t)> driveType)
    : memory_(memory), driveType_(std::move(driveType)) {}

// The device is a VxD: it opens with any access, for any number of programs.
DWORD SimVwin32::Open(const SimOpenRequest&, std::shared_ptr<SimFileObject>& file) {
    file = std::make_shared<Vwin32Handle>(*this);
    return ERROR_SUCCESS;
}

void SimVwin32::Attach(wchar_t letter, std::shared_ptr<SimDosDrive> drive) {
    std::lock_guard<std::mutex> lock(mutex_);
    drives_[letter] = std::move(drive);
}

void SimVwin32::Detach(wchar_t letter) {
    std::lock_guard<std::mutex> lock(mutex_);
    drives_.erase(letter);
}

void SimVwin32::RefuseCategory(BYTE category) {
    std::lock_guard<std::mutex> lock(mutex_);
    refusedCategories_.insert(category);
}

void SimVwin32::RefuseDriveMap(wchar_t letter) {
    std::lock_guard<std::mutex> lock(mutex_);
    refusedMaps_.insert(letter);
}

std::vector<SimVwin32::Request> SimVwin32::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

bool SimVwin32::Serve(const void* in, DWORD inSize, void* out, DWORD outSize) {
    if (!in || !out || inSize < kRegisterBytes || outSize < kRegisterBytes) return false;
    BYTE registers[kRegisterBytes];
    std::memcpy(registers, in, kRegisterBytes);
    const DWORD ebx = SimGet32(registers + kEbx), ecx = SimGet32(registers + kEcx);
    const DWORD eax = SimGet32(registers + kEax), edx = SimGet32(registers + kEdx);
    const BYTE drive = static_cast<BYTE>(ebx), category = static_cast<BYTE>(ecx >> 8), minor = static_cast<BYTE>(ecx);
    const wchar_t letter = drive >= 1 && drive <= 26 ? static_cast<wchar_t>(L'A' + drive - 1) : 0;
    WORD error = SimDosError::kInvalidFunction;
    if ((eax & 0xFFFF) == kBlockDeviceRequest) error = Dispatch(letter, category, minor, edx);
    const bool isLock = minor == kLockLogical || minor == kLockPhysical;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back({letter, category, minor, static_cast<WORD>(isLock ? edx : 0), error == 0});
    }
    DWORD flags = SimGet32(registers + kFlags);
    if (error == 0) {
        flags &= ~kCarry;
    } else {
        flags |= kCarry;
        SimPut32(registers + kEax, error);
    }
    SimPut32(registers + kFlags, flags);
    std::memcpy(out, registers, kRegisterBytes);
    return true;
}

WORD SimVwin32::Dispatch(wchar_t letter, BYTE category, BYTE minor, DWORD edx) {
    std::shared_ptr<SimDosDrive> drive;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (refusedCategories_.count(category)) return SimDosError::kInvalidFunction;
        if (minor == kDriveMapInfo && refusedMaps_.count(letter)) return SimDosError::kInvalidFunction;
        auto found = drives_.find(letter);
        if (found != drives_.end()) drive = found->second;
    }
    if (category != kCategory && category != kFat32Category) return SimDosError::kInvalidFunction;
    if (!letter) return SimDosError::kInvalidDrive;

    BYTE* block = nullptr;
    if (minor == kDeviceParameters) {
        block = memory_.Reach(edx, kParameterBytes);
        if (!block) return SimDosError::kBadAddress;
    } else if (minor == kDriveMapInfo) {
        // The buffer names its own size in its first byte.
        block = memory_.Reach(edx, 1);
        if (!block || !memory_.Reach(edx, block[0])) return SimDosError::kBadAddress;
        if (block[0] < kDriveMapBytes) return SimDosError::kBadLength;
    }

    SimDriveMap map;
    WORD error = 0;
    if (!drive) {
        error = ByDriveType(letter, minor, map);
    } else {
        switch (minor) {
        case kLockLogical:
        case kLockPhysical: error = drive->Lock(minor == kLockPhysical, static_cast<WORD>(edx)); break;
        case kUnlockLogical:
        case kUnlockPhysical: error = drive->Unlock(minor == kUnlockPhysical); break;
        case kDeviceParameters: error = drive->DeviceParameters(block); break;
        case kDriveMapInfo: error = drive->DriveMap(map); break;
        default: error = SimDosError::kInvalidFunction; break;
        }
    }
    if (error == 0 && minor == kDriveMapInfo) {
        std::memset(block + 1, 0, kDriveMapBytes - 1);
        block[1] = kDriveMapBytes;
        block[2] = map.flags;
        block[3] = map.int13Unit;
    }
    return error;
}

// The PC's own drives: its hard disk is the first INT 13 disk, a floppy
// drive the first diskette unit; neither keeps a lock count of interest.
WORD SimVwin32::ByDriveType(wchar_t letter, BYTE minor, SimDriveMap& map) {
    const UINT type = driveType_(letter);
    if (type == DRIVE_NO_ROOT_DIR || type == DRIVE_UNKNOWN) return SimDosError::kInvalidDrive;
    if (type != DRIVE_FIXED && type != DRIVE_REMOVABLE) return SimDosError::kInvalidFunction;
    switch (minor) {
    case kLockLogical:
    case kLockPhysical:
    case kUnlockLogical:
    case kUnlockPhysical: return 0;
    case kDriveMapInfo:
        map = type == DRIVE_FIXED ? SimDriveMap{0x03, 0x80} : SimDriveMap{0x0B, 0x00};
        return 0;
    default: return SimDosError::kInvalidFunction;
    }
}
