// The updater's mirror of the player's logical drives: hidden system drives,
// each holding one firmware component, and the data drive the PC sees as a
// disk. A drive knows its entry in the player's table (current) and what it
// needs (required), and reaches the player through the transport.
#pragma once

#include <cstdint>
#include <memory>

#include "updater/device/VrLogicalTable.h"
#include "updater/engine/VrBase.h"
#include "updater/engine/VrByteArray.h"
#include "updater/engine/VrOwningArray.h"
#include "updater/engine/VrVersionInfo.h"

class CVrEngineContext;
class CVrFwComponent;
class CVrScsiDevice;

class CVrLogicalDrive : public CVrBase {
public:
    static const uint8_t kNoIndex = 255;

    explicit CVrLogicalDrive(const char* name);

    // The order of these declarations is the order of the drive's slots.
    virtual void ReleaseComponent() = 0;
    // Takes the transport (may be null: no player) and the context; copies
    // `entry` (may be null: the player's table has none) into the current entry.
    virtual int32_t Attach(CVrScsiDevice* transport, CVrEngineContext& context, const VrLogicalTableEntry* entry) = 0;
    virtual void GetRequiredEntry(VrLogicalTableEntry* entry) const;
    virtual void SetIndex(uint8_t index) { m_index = index; }
    virtual uint8_t GetIndex() const { return m_index; }
    // 1 when the current size is at least the required size.
    virtual void Fits(uint32_t& fits) const;
    virtual int32_t GetSectorSize(uint32_t& sectorSize);
    virtual int32_t Erase();
    virtual uint8_t GetTag() const { return m_required.driveTag; }
    virtual void SetTag(uint8_t tag) { m_required.driveTag = tag; }

    void SetCurrentEntry(const VrLogicalTableEntry* entry);
    void SetRequiredEntry(const VrLogicalTableEntry* entry);
    bool HoldsAtLeast(uint64_t size) const { return m_current.size >= size; }
    const VrLogicalTableEntry& GetCurrentEntry() const { return m_current; }
    // READ CAPACITY through the drive's transport (the formatter's view of the data drive).
    int32_t ReadCapacity(uint32_t& lastBlockAddress, uint32_t& blockLength);
    // Takes the transport away (the device's Detach).
    void DropTransport() { m_transport = nullptr; }

protected:
    // Sends `command` through the transport: -26 without one.
    int32_t Send(class CVrScsiCommand& command);
    // What both kinds do on attaching: keep the transport and the context,
    // and take `entry` (or none) as the current entry.
    void AttachTo(CVrScsiDevice* transport, CVrEngineContext& context, const VrLogicalTableEntry* entry);

    uint8_t m_index = kNoIndex;
    CVrScsiDevice* m_transport = nullptr;
    CVrEngineContext* m_context = nullptr;
    uint32_t m_sectorSize = 0;
    VrLogicalTableEntry m_current;
    VrLogicalTableEntry m_required;
};

// The drive the user sees; the formatter builds its file system.
class CVrDataDrive : public CVrLogicalDrive {
public:
    CVrDataDrive();
    void ReleaseComponent() override {}
    int32_t Attach(CVrScsiDevice* transport, CVrEngineContext& context, const VrLogicalTableEntry* entry) override;
};

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
    int32_t ReadSectors(uint64_t firstSector, uint32_t count, CVrByteArray& data);
    int32_t WriteSectors(uint64_t firstSector, uint32_t count, const CVrByteArray& data);
    // Writes the versions and the whole required size in runs of 64 KiB
    // (bytes past the image are 0xFF); `steps` is the run count.
    int32_t WriteComponent(uint32_t& steps);
    // Reads every run back and compares it with the image: -57 on a difference.
    int32_t VerifyComponent();
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
