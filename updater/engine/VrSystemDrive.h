// A hidden drive of the player holding one firmware component: loads the
// component file, writes the image into the drive in runs of 64 KiB and reads
// it back for comparison, and reads and sets the drive's version records.
#pragma once

#include <cstdint>
#include <memory>

#include "updater/base/VrByteArray.h"
#include "updater/engine/VrLogicalDrive.h"
#include "updater/base/VrOwningArray.h"
#include "updater/base/VrVersionInfo.h"

class CVrFwComponent;

// A hidden drive holding one firmware component.
class CVrSystemDrive : public CVrLogicalDrive {
public:
    CVrSystemDrive();
    ~CVrSystemDrive() override;

    void ReleaseComponent() override;
    // Also loads the component file; its failure is the result. The required
    // size becomes the image size plus the configured reserve.
    int32_t Attach(CVrScsiDevice* transport, CVrEngineContext& context, const VrLogicalTableEntry* entry) override;

    int32_t ReadDeviceVersion(CVrVersionInfo& version);
    int32_t ReadDeviceProductVersion(CVrVersionInfo& version);
    int32_t SetDeviceVersion(const CVrVersionInfo& version);
    int32_t SetDeviceProductVersion(const CVrVersionInfo& version);
    [[nodiscard]] int32_t ReadSectors(uint64_t firstSector, uint32_t count, CVrByteArray& data);
    [[nodiscard]] int32_t WriteSectors(uint64_t firstSector, uint32_t count, const CVrByteArray& data);
    // Writes the versions and the whole required size in runs of 64 KiB
    // (bytes past the image are 0xFF); `steps` is the run count.
    [[nodiscard]] int32_t WriteComponent(uint32_t& steps);
    // Reads every run back and compares it with the image: -57 on a difference.
    [[nodiscard]] int32_t VerifyComponent();
    // The component file's versions; -26 when no component is loaded.
    int32_t GetFileVersion(CVrVersionInfo& version) const;
    int32_t GetFileProductVersion(CVrVersionInfo& version) const;
    // Null until attached.
    const CVrFwComponent* GetComponent() const { return m_component.get(); }

private:
    // The required size in sector runs: full runs of `sectorsPerRun`
    // sectors, then one shorter run of the rest, if any.
    struct RunPlan {
        RunPlan(uint64_t requiredSize, uint32_t sectorSize);
        uint32_t RunCount() const;
        uint32_t sectorsPerRun;
        uint64_t fullRuns;
        uint32_t lastRunSectors;
    };

    int32_t ReadVersion(uint8_t infoType, CVrVersionInfo& version);
    int32_t ReadSectorSize();
    // Runs `operation` (first sector, sector count, image offset) on each run
    // in order, one progress step after each; the first failure ends it.
    template <typename RunOperation>
    int32_t ForEachRun(const RunPlan& plan, RunOperation operation);
    int32_t WriteRun(uint64_t firstSector, uint32_t count, uint64_t imageOffset);
    int32_t VerifyRun(uint64_t firstSector, uint32_t count, uint64_t imageOffset, CVrByteArray& expected);

    std::unique_ptr<CVrFwComponent> m_component;
};

class CVrSystemDrivePtrArray : public CVrOwningArray<CVrSystemDrive> {
public:
    explicit CVrSystemDrivePtrArray(uint32_t count);
};
