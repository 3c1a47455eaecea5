// The system drive: one firmware component, written into the player's drive
// in runs of 64 KiB and read back for comparison.
#include <algorithm>
#include <new>

#include "updater/base/VrConfigInfo.h"
#include "updater/device/VrVendorChanges.h"
#include "updater/device/VrVendorQueries.h"
#include "updater/base/VrEngineContext.h"
#include "updater/engine/VrFwComponent.h"
#include "updater/engine/VrSystemDrive.h"
#include "updater/base/VrResult.h"
#include "updater/base/VrStages.h"

namespace {

// The player's version replies are 48 bytes; the version is in the first six.
const uint32_t kVersionReplyBytes = 48;
// A run moves at most this much, however small the sectors; a sector larger
// than a run still goes one per run.
const uint32_t kRunBytes = 65536;

}  // namespace

CVrSystemDrive::RunPlan::RunPlan(uint64_t requiredSize, uint32_t sectorSize) {
    const uint64_t sectors = requiredSize / sectorSize + (requiredSize % sectorSize != 0 ? 1 : 0);
    sectorsPerRun = std::max<uint32_t>(kRunBytes / sectorSize, 1);
    fullRuns = sectors / sectorsPerRun;
    lastRunSectors = static_cast<uint32_t>(sectors % sectorsPerRun);
}

uint32_t CVrSystemDrive::RunPlan::RunCount() const {
    return static_cast<uint32_t>(fullRuns + (lastRunSectors != 0 ? 1 : 0));
}

CVrSystemDrive::CVrSystemDrive() : CVrLogicalDrive("CVrSystemDrive") {
    m_index = 0;
    m_current.driveType = kVrSystemDriveType;
    m_required.driveType = kVrSystemDriveType;
}

CVrSystemDrive::~CVrSystemDrive() = default;

void CVrSystemDrive::ReleaseComponent() { m_component.reset(); }

int32_t CVrSystemDrive::Attach(CVrScsiDevice* transport, CVrEngineContext& context,
                               const VrLogicalTableEntry* entry) {
    AttachTo(transport, context, entry);
    m_component.reset(new (std::nothrow) CVrFwComponent(context, m_index));
    if (!m_component) return SetResult(kVrNoMemory);
    if (m_component->GetLastResult() != kVrOk) return SetResult(m_component->GetLastResult());
    uint32_t reserve = 0;
    int32_t result = context.GetConfig().GetComponentReserve(m_index, reserve);
    if (result == kVrOk) m_required.size = m_component->GetSize() + reserve;
    return SetResult(result);
}

int32_t CVrSystemDrive::ReadDeviceVersion(CVrVersionInfo& version) {
    return ReadVersion(CVrGetLogicalDriveInfo::kComponentVersion, version);
}

int32_t CVrSystemDrive::ReadDeviceProductVersion(CVrVersionInfo& version) {
    return ReadVersion(CVrGetLogicalDriveInfo::kProductVersion, version);
}

int32_t CVrSystemDrive::SetDeviceVersion(const CVrVersionInfo& version) {
    CVrSetLogicalDriveInfo command(m_current.driveNumber, CVrGetLogicalDriveInfo::kComponentVersion, version);
    return SetResult(Send(command));
}

int32_t CVrSystemDrive::SetDeviceProductVersion(const CVrVersionInfo& version) {
    CVrSetLogicalDriveInfo command(m_current.driveNumber, CVrGetLogicalDriveInfo::kProductVersion, version);
    return SetResult(Send(command));
}

int32_t CVrSystemDrive::ReadVersion(uint8_t infoType, CVrVersionInfo& version) {
    CVrGetLogicalDriveInfo command(m_current.driveNumber, infoType, kVersionReplyBytes);
    int32_t result = Send(command);
    if (result == kVrOk) result = command.GetVersion(version);
    return SetResult(result);
}

int32_t CVrSystemDrive::ReadSectors(uint64_t firstSector, uint32_t count, CVrByteArray& data) {
    CVrReadLogicalDriveSector command(m_current.driveNumber, m_sectorSize, firstSector, count);
    int32_t result = Send(command);
    if (result == kVrOk) result = command.GetData(data);
    return SetResult(result);
}

int32_t CVrSystemDrive::WriteSectors(uint64_t firstSector, uint32_t count, const CVrByteArray& data) {
    CVrWriteLogicalDriveSector command(m_current.driveNumber, m_sectorSize, firstSector, count);
    int32_t result = command.GetLastResult();
    if (result == kVrOk) result = command.SetData(data);
    if (result == kVrOk) result = Send(command);
    return SetResult(result);
}

int32_t CVrSystemDrive::WriteComponent(uint32_t& steps) {
    steps = 0;
    if (!m_component) return SetResult(kVrNoDeviceObject);
    CVrVersionInfo version;
    m_component->GetProductVersion(version);
    int32_t result = SetDeviceProductVersion(version);
    if (result != kVrOk) return result;
    m_component->GetComponentVersion(version);
    result = SetDeviceVersion(version);
    if (result != kVrOk) return result;
    result = ReadSectorSize();
    if (result != kVrOk) return result;

    const RunPlan plan(m_required.size, m_sectorSize);
    steps = plan.RunCount();
    m_context->GetProgress().SetComponentStage(kVrStageWriteComponent, static_cast<int32_t>(steps), m_index);
    return SetResult(ForEachRun(plan, [this](uint64_t firstSector, uint32_t count, uint64_t offset) {
        return WriteRun(firstSector, count, offset);
    }));
}

int32_t CVrSystemDrive::VerifyComponent() {
    if (!m_component) return SetResult(kVrNoDeviceObject);
    // The sector size comes from the write; a drive verified on its own
    // asks the player first.
    if (m_sectorSize == 0) {
        int32_t result = ReadSectorSize();
        if (result != kVrOk) return result;
    }
    const RunPlan plan(m_required.size, m_sectorSize);
    CVrByteArray expected(0);
    return SetResult(ForEachRun(plan, [&](uint64_t firstSector, uint32_t count, uint64_t offset) {
        return VerifyRun(firstSector, count, offset, expected);
    }));
}

// A player answering a sector size of 0 gives nothing to size runs by; that
// is a reply Caddis cannot use.
int32_t CVrSystemDrive::ReadSectorSize() {
    int32_t result = GetSectorSize(m_sectorSize);
    if (result == kVrOk && m_sectorSize == 0) result = kVrUnexpectedInfoType;
    return SetResult(result);
}

template <typename RunOperation>
int32_t CVrSystemDrive::ForEachRun(const RunPlan& plan, RunOperation operation) {
    CVrProgress& progress = m_context->GetProgress();
    const uint64_t runBytes = static_cast<uint64_t>(plan.sectorsPerRun) * m_sectorSize;
    for (uint64_t run = 0; run < plan.RunCount(); ++run) {
        const uint32_t count = run < plan.fullRuns ? plan.sectorsPerRun : plan.lastRunSectors;
        int32_t result = operation(run * plan.sectorsPerRun, count, run * runBytes);
        if (result != kVrOk) return result;
        progress.Step(1);
    }
    return kVrOk;
}

// The image goes straight into the command's data phase behind its command
// bytes: no buffer of its own, and past the image's end the drive gets 0xFF.
int32_t CVrSystemDrive::WriteRun(uint64_t firstSector, uint32_t count, uint64_t imageOffset) {
    CVrWriteLogicalDriveSector command(m_current.driveNumber, m_sectorSize, firstSector, count);
    if (command.GetLastResult() != kVrOk) return command.GetLastResult();
    CVrByteArray& block = command.GetBlock();
    const uint32_t commandBytes = command.GetCommandLength();
    m_component->GetData(imageOffset, block.GetCount() - commandBytes, block.GetPtr(commandBytes));
    return Send(command);
}

int32_t CVrSystemDrive::VerifyRun(uint64_t firstSector, uint32_t count, uint64_t imageOffset,
                                  CVrByteArray& expected) {
    CVrReadLogicalDriveSector command(m_current.driveNumber, m_sectorSize, firstSector, count);
    int32_t result = Send(command);
    if (result != kVrOk) return result;
    const uint32_t runBytes = count * m_sectorSize;
    if (expected.GetCount() != runBytes && expected.SetSize(runBytes) != kVrOk) return kVrNoMemory;
    m_component->GetData(imageOffset, runBytes, expected);
    const CVrByteArray* reply = command.GetReply();
    if (reply && reply->IsEqual(expected)) return kVrOk;
    // The report names the component whose drive read back differently.
    SetResult(kVrVerifyMismatch);
    m_context->GetErrorRecord().RecordWithComponent(*this, m_index);
    return kVrVerifyMismatch;
}

int32_t CVrSystemDrive::GetFileVersion(CVrVersionInfo& version) const {
    return m_component ? m_component->GetComponentVersion(version) : kVrNoDeviceObject;
}

int32_t CVrSystemDrive::GetFileProductVersion(CVrVersionInfo& version) const {
    return m_component ? m_component->GetProductVersion(version) : kVrNoDeviceObject;
}

CVrSystemDrivePtrArray::CVrSystemDrivePtrArray(uint32_t count)
    : CVrOwningArray<CVrSystemDrive>(count, "CVrSystemDrivePtrArray") {
    for (uint32_t i = 0; i < GetCount(); ++i) {
        CVrSystemDrive* drive = new (std::nothrow) CVrSystemDrive();
        if (!drive) {
            SetResult(kVrNoMemory);
            return;
        }
        SetAt(i, drive);
    }
}
