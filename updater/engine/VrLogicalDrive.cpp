#include "updater/engine/VrLogicalDrive.h"

#include <new>

#include "updater/device/VrScsiDevice.h"
#include "updater/device/VrStandardCommands.h"
#include "updater/device/VrVendorChanges.h"
#include "updater/device/VrVendorQueries.h"
#include "updater/base/VrResult.h"

namespace {

// The reply of drive information type 0 is one 32-bit sector size.
const uint32_t kSectorSizeReplyBytes = 4;

}  // namespace

CVrLogicalDrive::CVrLogicalDrive(const char* name) : CVrBase(name) {}

void CVrLogicalDrive::GetRequiredEntry(VrLogicalTableEntry* entry) const {
    if (entry) *entry = m_required;
}


int32_t CVrLogicalDrive::GetSectorSize(uint32_t& sectorSize) {
    CVrGetLogicalDriveInfo command(m_current.driveNumber, CVrGetLogicalDriveInfo::kSectorSize,
                                   kSectorSizeReplyBytes);
    int32_t result = Send(command);
    if (result == kVrOk) result = command.GetSectorSize(sectorSize);
    return SetResult(result);
}

int32_t CVrLogicalDrive::Erase() {
    CVrEraseLogicalDrive command(m_current.driveNumber);
    return SetResult(Send(command));
}

void CVrLogicalDrive::SetCurrentEntry(const VrLogicalTableEntry* entry) {
    if (entry) m_current = *entry;
}

void CVrLogicalDrive::SetRequiredEntry(const VrLogicalTableEntry* entry) {
    if (entry) m_required = *entry;
}

int32_t CVrLogicalDrive::ReadCapacity(uint32_t& lastBlockAddress, uint32_t& blockLength) {
    CVrReadCapacity command;
    int32_t result = Send(command);
    if (result == kVrOk) result = command.GetCapacity(lastBlockAddress, blockLength);
    return SetResult(result);
}

// A command that could not be built carries its failure before anything is
// sent; the transport records its own failures.
int32_t CVrLogicalDrive::Send(CVrScsiCommand& command) {
    if (command.GetLastResult() != kVrOk) return command.GetLastResult();
    if (!m_transport) return kVrNoDeviceObject;
    return m_transport->SendCommand(command);
}

// Without an entry the drive forgets the number of an earlier player's
// table, so that nothing is sent to a drive the player no longer has.
void CVrLogicalDrive::AttachTo(CVrScsiDevice* transport, CVrEngineContext& context,
                               const VrLogicalTableEntry* entry) {
    m_transport = transport;
    m_context = &context;
    if (entry) {
        m_current = *entry;
    } else {
        m_current.driveNumber = kVrNoDriveNumber;
        m_current.size = 0;
    }
}

// The required entry starts as a data drive of size 0: the player is told 0
// unless the drives were refreshed from its table first.
CVrDataDrive::CVrDataDrive() : CVrLogicalDrive("CVrDataDrive") { m_index = 0; }

int32_t CVrDataDrive::Attach(CVrScsiDevice* transport, CVrEngineContext& context,
                             const VrLogicalTableEntry* entry) {
    AttachTo(transport, context, entry);
    return SetResult(kVrOk);
}
