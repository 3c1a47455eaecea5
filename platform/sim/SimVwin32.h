// "\\.\vwin32", the device through which a Windows 95, 98 or Me program
// makes the DOS generic block-device requests (interrupt 21h, function
// 440Dh) on a drive letter: lock and unlock the logical or the physical
// volume, get the device parameters, get the drive map information.
//
// Control code 1 takes the 28-byte register record (EBX, EDX, ECX, EAX,
// EDI, ESI, flags) in and gives it back with the carry flag clear on
// success, or set with the DOS error in EAX. BL is the drive (1 = A), CH the
// category (0x08, or 0x48 for the FAT32-aware forms of Windows 95 OSR2, 98
// and Me), CL the minor code; EDX holds the permissions of a lock, or the
// 32-bit address of the parameter block (SimLowMemory).
//
// What a drive answers comes from its SimDosDrive when one is attached to
// its letter (the player's); other letters answer by their drive type.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "platform/sim/SimDrive.h"

class SimLowMemory;

const DWORD kSimVwin32DosIoctl = 1;

// DOS error codes the requests answer with.
namespace SimDosError {
const WORD kInvalidFunction = 0x01;
const WORD kAccessDenied = 0x05;
const WORD kBadAddress = 0x09;  // a parameter block outside the program's memory
const WORD kInvalidDrive = 0x0F;
const WORD kBadLength = 0x18;   // a drive map buffer too small for its information
const WORD kNotLocked = 0x9E;  // an unlock of a volume that was not locked
}  // namespace SimDosError

// The drive map information of a drive (minor code 0x6F).
struct SimDriveMap {
    BYTE flags = 0;       // 0x01 logical, 0x02 physical, 0x04 only drive, 0x08 eject ...
    BYTE int13Unit = 0xFF;  // 0xFF: no INT 13 unit
};

// What DOS knows of one drive letter. Calls answer 0 or a DOS error code.
class SimDosDrive {
public:
    virtual ~SimDosDrive() = default;
    virtual WORD DriveMap(SimDriveMap& map) = 0;
    virtual WORD Lock(bool physical, WORD permissions) = 0;
    virtual WORD Unlock(bool physical) = 0;
    // Fills the device parameter block (38 bytes: special functions, device
    // type, attributes, cylinders, media type, then the BIOS parameter block).
    virtual WORD DeviceParameters(BYTE* block) = 0;
};

class SimVwin32 final : public SimDevice {
public:
    static constexpr DWORD kRegisterBytes = 28;
    static constexpr DWORD kParameterBytes = 38;
    static constexpr DWORD kDriveMapBytes = 16;

    // `driveType` tells the type of a letter's drive (DRIVE_NO_ROOT_DIR: none).
    SimVwin32(SimLowMemory& memory, std::function<UINT(wchar_t)> driveType);

    DWORD Open(const SimOpenRequest& request, std::shared_ptr<SimFileObject>& file) override;

    void Attach(wchar_t letter, std::shared_ptr<SimDosDrive> drive);
    void Detach(wchar_t letter);

    // Faults: every request of a category fails with an invalid function
    // (Windows 95 before OSR2 knows no 0x48); the drive map information of a
    // letter fails.
    void RefuseCategory(BYTE category);
    void RefuseDriveMap(wchar_t letter);

    struct Request {
        wchar_t letter;
        BYTE category;
        BYTE minor;
        WORD permissions;  // EDX of a lock
        bool succeeded;
    };
    // Every request made, in order.
    std::vector<Request> Requests() const;

    // One register record; false when the buffers are no register records.
    bool Serve(const void* in, DWORD inSize, void* out, DWORD outSize);

private:
    WORD Dispatch(wchar_t letter, BYTE category, BYTE minor, DWORD edx);
    WORD ByDriveType(wchar_t letter, BYTE minor, SimDriveMap& map);

    SimLowMemory& memory_;
    const std::function<UINT(wchar_t)> driveType_;
    mutable std::mutex mutex_;
    std::map<wchar_t, std::shared_ptr<SimDosDrive>> drives_;
    std::set<BYTE> refusedCategories_;
    std::set<wchar_t> refusedMaps_;
    std::vector<Request> requests_;
};
