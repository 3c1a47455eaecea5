// The player in mass-storage mode: finds it, reads its logical table, chip
// revision and versions, and owns the drive objects through which the
// firmware is written.
#pragma once

#include <cstdint>
#include <memory>

#include "updater/engine/VrDevice.h"
#include "updater/device/VrLogicalTable.h"
#include "updater/base/VrVersionInfo.h"

class CVrDataDrive;
class CVrFormatter;
class CVrScsiDevice;
class CVrSystemDrive;
class CVrSystemDrivePtrArray;

class CVrUsbMscDev : public CVrDevice {
public:
    // What StepCount counts the steps of.
    enum StepKind : uint32_t { kRebuild = 0, kFirmwareUpdate = 1, kNothing = 2, kFinish = 3, kPrepare = 4 };

    explicit CVrUsbMscDev(CVrEngineContext& context, const char* name = "CVrUsbMscDev");
    ~CVrUsbMscDev() override;
    CVrUsbMscDev(const CVrUsbMscDev&) = delete;
    CVrUsbMscDev& operator=(const CVrUsbMscDev&) = delete;

    [[nodiscard]] int32_t Connect();
    [[nodiscard]] int32_t BeginAccess();
    [[nodiscard]] int32_t EndAccess();
    void Reset();
    void Detach();
    [[nodiscard]] int32_t ReadVersions(bool notFound, bool tableUnreadable);
    uint32_t StepCount(uint32_t kind) const;
    // Whether the current allocation holds `allocation` without re-allocating.
    bool MediaFits(const VrLogicalTable& allocation) const;

    // Reads the logical table again; each drive takes its entry as both its
    // current and its required entry.
    [[nodiscard]] int32_t RefreshDrives();
    // Rewrites the components into the existing system drives and verifies them.
    [[nodiscard]] int32_t UpdateFirmware();
    // The table the new components need: the boot manager first, then the
    // data drive, then the other system drives in index order.
    [[nodiscard]] int32_t BuildAllocationTable(VrLogicalTable& table) const;
    // Erases and re-allocates the flash, writes the components, and formats
    // the data drive (FAT16 whatever its size with `forceFat16`); refuses
    // before erasing anything when that data drive could not be formatted.
    [[nodiscard]] int32_t RebuildMedia(bool forceFat16);

    uint16_t GetChipRevision() const { return m_chipRevision; }
    wchar_t GetDriveLetter() const { return m_driveLetter; }
    bool IsTableUnreadable() const { return m_tableUnreadable; }
    const VrLogicalTable& GetLogicalTable() const { return m_table; }
    // Null until the versions were read.
    const CVrVersionInfoPtrArray* GetDeviceVersions() const { return m_deviceVersions.get(); }
    const CVrVersionInfoPtrArray* GetFileVersions() const { return m_fileVersions.get(); }
    const CVrVersionInfo& GetDeviceProductVersion() const { return m_deviceProductVersion; }
    const CVrVersionInfo& GetFileProductVersion() const { return m_fileProductVersion; }
    CVrScsiDevice* GetTransport() { return m_transport.get(); }
    CVrDataDrive& GetDataDrive() { return *m_dataDrive; }
    uint8_t GetSystemDriveCount() const { return m_systemDriveCount; }
    // Drive `index` from 1 to the count, or null.
    CVrSystemDrive* GetSystemDrive(uint8_t index) const;
    // Reads the player's logical table again into the device's table.
    [[nodiscard]] int32_t ReadLogicalTable();

private:
    const VrLogicalTableEntry* FindEntry(uint8_t type, uint8_t tag) const;
    // Whether the data drive that allocating `allocation` makes can be
    // formatted, in the worst case the player's own rounding allows: 0, or
    // the layout's refusal (recorded by the formatter).
    int32_t CheckDataDrive(CVrFormatter& formatter, const VrLogicalTable& allocation);
    // Sends a command built without failure through the transport.
    int32_t Send(class CVrScsiCommand& command);
    int32_t AttachDrives(CVrScsiDevice* transport);
    CVrSystemDrive* PlayerFirmwareDrive() const;

    std::unique_ptr<CVrScsiDevice> m_transport;
    std::unique_ptr<CVrDataDrive> m_dataDrive;
    std::unique_ptr<CVrSystemDrivePtrArray> m_systemDrives;
    std::unique_ptr<CVrVersionInfoPtrArray> m_deviceVersions;
    std::unique_ptr<CVrVersionInfoPtrArray> m_fileVersions;
    CVrVersionInfo m_deviceProductVersion;
    CVrVersionInfo m_fileProductVersion;
    bool m_tableUnreadable = false;
    VrLogicalTable m_table;
    uint8_t m_systemDriveCount = 0;
    uint16_t m_chipRevision = 0;
    wchar_t m_driveLetter = 0;
};
