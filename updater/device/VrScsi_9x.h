// The transport of Windows 95, 98 and Me: commands go to the player through
// the ASPI layer (WNASPI32.DLL), whose request signals an event when it has
// ended; the player's volume is locked, unlocked and measured with the DOS
// block-device requests of "\\.\vwin32". The player is found among the ASPI
// host adapters, its drive letter by its INT 13 drive number or, failing
// that, by the system's device keys in the registry.
#pragma once

#include <cstdint>

#include "updater/device/VrDosRequest.h"
#include "updater/device/VrScsiDevice.h"

class CVrScsi_9x : public CVrScsiDevice {
public:
    static constexpr uint8_t kNoAdapter = 255;

    // Loads ASPI; the result code tells whether it is usable: -19 library
    // missing, -20 an entry point missing, -21 ASPI not ready.
    explicit CVrScsi_9x(CVrEngineContext& context);
    ~CVrScsi_9x() override;

    // Opens "\\.\vwin32" for the DOS requests.
    int32_t Open() override;
    // Lock and unlock the logical volume, or with `physical` the physical
    // one; the format lock asks for the permission to format.
    int32_t Lock(uint32_t physical) override;
    int32_t LockForFormat(uint32_t physical) override;
    int32_t Release(uint32_t physical) override;
    int32_t Unlock(uint32_t physical) override;
    int32_t Close() override;
    // The DOS lock already keeps the system off the volume: nothing to do.
    int32_t Dismount() override;
    // The device parameters of the player's drive.
    int32_t GetDriveGeometry(VrDiskGeometry& geometry) override;
    // Tries the host adapters from 0 upwards at target 0, unit 0; then finds
    // the player's drive letter. Leaves the adapter set for later commands.
    int32_t FindDevice() override;
    int32_t Execute(const CVrByteArray& block, uint32_t commandLength, bool isWrite, CVrByteArray& data) override;

    uint8_t GetHostAdapter() const { return m_hostAdapter; }

private:
    using SupportInfoEntry = DWORD (*)();
    using SendCommandEntry = DWORD (*)(void*);

    int32_t Load();
    VrDosRequest PlayerRequest(uint8_t minor) const;
    // A DOS request on the player's letter through the open handle.
    int32_t DriveRequest(uint8_t minor, uint32_t edx, int32_t failure);
    int32_t Lock(uint32_t physical, uint32_t permissions);
    // The player's letter, by the INT 13 drive number of its ASPI disk.
    int32_t FindLetterByInt13();
    // The player's letter, by the registry's device keys for its identity
    // (`revision`: the first character of its product revision).
    int32_t FindLetterInRegistry(char revision);
    // The drive map information of `letter` through the open handle.
    bool DriveMap(wchar_t letter, uint8_t& flags, uint8_t& int13Unit);
    bool OpenDosDevice();

    uint8_t m_hostAdapter = kNoAdapter;
    HMODULE m_aspi = nullptr;
    SupportInfoEntry m_getSupportInfo = nullptr;
    SendCommandEntry m_sendCommand = nullptr;
};
