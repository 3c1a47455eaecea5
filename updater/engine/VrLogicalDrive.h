// The updater's mirror of the player's logical drives: hidden system drives,
// each holding one firmware component, and the data drive the PC sees as a
// disk. A drive knows its entry in the player's table (current) and what it
// needs (required), and reaches the player through the transport.
#pragma once

#include <cstdint>

#include "updater/device/VrLogicalTable.h"
#include "updater/base/VrBase.h"
#include "updater/base/VrByteArray.h"

class CVrEngineContext;
class CVrScsiDevice;

class CVrLogicalDrive : public CVrBase {
public:
    static const uint8_t kNoIndex = 255;

    explicit CVrLogicalDrive(const char* name);

    virtual void ReleaseComponent() = 0;
    // Takes the transport (may be null: no player) and the context; copies
    // `entry` (may be null: the player's table has none) into the current entry.
    virtual int32_t Attach(CVrScsiDevice* transport, CVrEngineContext& context, const VrLogicalTableEntry* entry) = 0;
    virtual void GetRequiredEntry(VrLogicalTableEntry* entry) const;
    virtual void SetIndex(uint8_t index) { m_index = index; }
    virtual uint8_t GetIndex() const { return m_index; }
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
