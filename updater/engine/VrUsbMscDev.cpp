#include "updater/engine/VrUsbMscDev.h"

#include <new>

#include "updater/base/VrConfigInfo.h"
#include "updater/device/VrScsiDevice.h"
#include "updater/device/VrVendorQueries.h"
#include "updater/base/VrEngineContext.h"
#include "updater/engine/VrSystemDrive.h"
#include "updater/base/VrResult.h"
#include "updater/base/VrStages.h"

namespace {

const uint8_t kDataDriveIndex = 0;

}  // namespace

CVrUsbMscDev::CVrUsbMscDev(CVrEngineContext& context, const char* name) : CVrDevice(context, name) {
    CVrConfigInfo& config = context.GetConfig();
    config.GetComponentCount(m_systemDriveCount);

    m_dataDrive.reset(new (std::nothrow) CVrDataDrive());
    m_systemDrives.reset(new (std::nothrow) CVrSystemDrivePtrArray(m_systemDriveCount));
    if (!m_dataDrive || !m_systemDrives || m_systemDrives->GetLastResult() != kVrOk) {
        m_systemDriveCount = 0;
        SetResult(kVrNoMemory);
        return;
    }
    m_dataDrive->SetIndex(kDataDriveIndex);
    m_dataDrive->SetTag(kVrDataDriveTag);
    for (uint8_t index = 1; index <= m_systemDriveCount; ++index) {
        uint8_t tag = 0;
        config.GetComponentTag(index, tag);
        CVrSystemDrive* drive = GetSystemDrive(index);
        drive->SetIndex(index);
        drive->SetTag(tag);
    }

    int32_t result = kVrOk;
    m_transport = CVrScsiDevice::Create(context, result);
    SetResult(result);
}

CVrUsbMscDev::~CVrUsbMscDev() = default;

CVrSystemDrive* CVrUsbMscDev::GetSystemDrive(uint8_t index) const {
    CVrSystemDrive* drive = nullptr;
    if (index == 0 || !m_systemDrives || m_systemDrives->GetAt(index - 1u, drive) != kVrOk) return nullptr;
    return drive;
}

const VrLogicalTableEntry* CVrUsbMscDev::FindEntry(uint8_t type, uint8_t tag) const {
    for (uint16_t i = 0; i < m_table.count && i < kVrMaxLogicalDrives; ++i) {
        const VrLogicalTableEntry& entry = m_table.entries[i];
        if (entry.driveType == type && (type == kVrDataDriveType || entry.driveTag == tag)) return &entry;
    }
    return nullptr;
}

void CVrUsbMscDev::Reset() {
    if (m_dataDrive) m_dataDrive->ReleaseComponent();
    for (uint8_t index = 1; index <= m_systemDriveCount; ++index) GetSystemDrive(index)->ReleaseComponent();
    m_deviceVersions.reset();
    m_fileVersions.reset();
    m_chipRevision = 0;
}

void CVrUsbMscDev::Detach() {
    if (m_transport) m_transport->Close();
    if (m_dataDrive) m_dataDrive->DropTransport();
    for (uint8_t index = 1; index <= m_systemDriveCount; ++index) GetSystemDrive(index)->DropTransport();
}

int32_t CVrUsbMscDev::Connect() {
    if (!m_dataDrive) return SetResult(kVrNoMemory);
    Reset();
    m_tableUnreadable = false;
    m_table = VrLogicalTable();

    if (!m_transport) {
        int32_t created = kVrOk;
        m_transport = CVrScsiDevice::Create(m_context, created);
        SetResult(created);
        if (created != kVrOk) return created;
    }

    int32_t search = SetResult(m_transport->FindDevice());
    bool found = search == kVrOk;
    if (found) {
        m_driveLetter = m_transport->GetDriveLetter();
        CVrGetChipMajorRevId revision;
        int32_t result = revision.GetLastResult();
        if (result == kVrOk) result = m_transport->SendCommand(revision);
        if (result == kVrOk) result = revision.GetRevision(m_chipRevision);
        if (result != kVrOk) return SetResult(result);

        if (ReadLogicalTable() != kVrOk) {
            m_table = VrLogicalTable();
            m_tableUnreadable = true;
        }
    }

    int32_t attached = AttachDrives(found ? m_transport.get() : nullptr);
    if (attached != kVrOk) return SetResult(attached);

    int32_t versions = ReadVersions(!found, m_tableUnreadable);
    if (!found) return SetResult(search);
    if (m_tableUnreadable) return SetResult(kVrTableUnreadable);
    return SetResult(versions);
}

int32_t CVrUsbMscDev::ReadLogicalTable() {
    CVrGetLogicalTable read(kVrMaxLogicalDrives);
    int32_t result = read.GetLastResult();
    if (result == kVrOk) result = m_transport ? m_transport->SendCommand(read) : kVrNoDeviceObject;
    if (result == kVrOk) result = read.GetTable(m_table);
    return result;
}

int32_t CVrUsbMscDev::AttachDrives(CVrScsiDevice* transport) {
    int32_t result = m_dataDrive->Attach(transport, m_context, FindEntry(kVrDataDriveType, kVrDataDriveTag));
    for (uint8_t index = 1; result == kVrOk && index <= m_systemDriveCount; ++index) {
        CVrSystemDrive* drive = GetSystemDrive(index);
        result = drive->Attach(transport, m_context, FindEntry(kVrSystemDriveType, drive->GetTag()));
    }
    return result;
}

CVrSystemDrive* CVrUsbMscDev::PlayerFirmwareDrive() const {
    uint8_t playerComponent = 0;
    m_context.GetConfig().GetPlayerComponent(playerComponent);
    for (uint8_t index = 1; index <= m_systemDriveCount; ++index) {
        if (GetSystemDrive(index)->GetIndex() == playerComponent) return GetSystemDrive(index);
    }
    return GetSystemDrive(m_systemDriveCount);
}

int32_t CVrUsbMscDev::ReadVersions(bool notFound, bool tableUnreadable) {
    m_deviceVersions.reset(new (std::nothrow) CVrVersionInfoPtrArray(m_systemDriveCount));
    m_fileVersions.reset(new (std::nothrow) CVrVersionInfoPtrArray(m_systemDriveCount));
    if (!m_deviceVersions || !m_fileVersions || m_deviceVersions->GetLastResult() != kVrOk ||
        m_fileVersions->GetLastResult() != kVrOk) {
        return kVrNoMemory;
    }

    // The player is asked only when it was found, its table read, and the
    // drive has a place in that table.
    auto onPlayer = [&](const CVrSystemDrive& drive) {
        return !notFound && !tableUnreadable && drive.GetCurrentEntry().driveNumber != kVrNoDriveNumber;
    };
    for (uint8_t index = 1; index <= m_systemDriveCount; ++index) {
        CVrSystemDrive* drive = GetSystemDrive(index);
        CVrVersionInfo* device = nullptr;
        CVrVersionInfo* file = nullptr;
        m_deviceVersions->GetAt(index - 1u, device);
        m_fileVersions->GetAt(index - 1u, file);
        if (onPlayer(*drive)) {
            int32_t result = drive->ReadDeviceVersion(*device);
            if (result != kVrOk) return result;
        }
        int32_t result = drive->GetFileVersion(*file);
        if (result != kVrOk) return result;
    }

    CVrSystemDrive* player = PlayerFirmwareDrive();
    if (!player) return kVrOk;
    if (onPlayer(*player)) {
        int32_t result = player->ReadDeviceProductVersion(m_deviceProductVersion);
        if (result != kVrOk) return result;
    }
    return player->GetFileProductVersion(m_fileProductVersion);
}

int32_t CVrUsbMscDev::BeginAccess() {
    if (!m_transport) return kVrNoTransport;
    CVrProgress& progress = m_context.GetProgress();
    progress.SetStage(kVrStageOpen, 1);
    int32_t result = m_transport->Open();
    progress.Step(1);
    if (result != kVrOk) return result;
    progress.SetStage(kVrStageLock, 1);
    result = m_transport->Lock(m_tableUnreadable);
    progress.Step(1);
    return result;
}

int32_t CVrUsbMscDev::EndAccess() {
    if (!m_transport) return kVrNoTransport;
    CVrProgress& progress = m_context.GetProgress();
    progress.SetStage(kVrStageUnlock, 1);
    int32_t result = m_transport->Unlock(m_tableUnreadable);
    progress.Step(1);
    if (result != kVrOk) return result;
    progress.SetStage(kVrStageClose, 1);
    result = m_transport->Close();
    progress.Step(1);
    Detach();
    return result;
}

uint32_t CVrUsbMscDev::StepCount(uint32_t kind) const {
    switch (kind) {
    case kPrepare: return 3;
    case kFinish: return 2;
    case kFirmwareUpdate: return StepCount(kPrepare) + StepCount(kFinish) + 2u * m_systemDriveCount + 1;
    case kRebuild: return StepCount(kPrepare) + StepCount(kFinish) + StepCount(kFirmwareUpdate) + 8 + 2;
    default: return 0;
    }
}

bool CVrUsbMscDev::MediaFits(const VrLogicalTable& allocation) const {
    if (allocation.count == 0 || allocation.count > kVrMaxLogicalDrives) return false;
    uint16_t drives = 0;
    for (uint16_t i = 0; i < m_table.count && i < kVrMaxLogicalDrives; ++i) {
        uint8_t type = m_table.entries[i].driveType;
        if (type == kVrDataDriveType || type == kVrSystemDriveType) ++drives;
    }
    if (drives != allocation.count) return false;

    auto wanted = [&](uint8_t type, uint8_t tag) -> const VrLogicalTableEntry* {
        for (uint16_t i = 0; i < allocation.count; ++i) {
            const VrLogicalTableEntry& entry = allocation.entries[i];
            if (entry.driveType == type && entry.driveTag == tag) return &entry;
        }
        return nullptr;
    };
    const VrLogicalTableEntry* data = wanted(kVrDataDriveType, m_dataDrive->GetTag());
    if (data && !m_dataDrive->HoldsAtLeast(data->size)) return false;
    for (uint8_t index = 1; index <= m_systemDriveCount; ++index) {
        const CVrSystemDrive* drive = GetSystemDrive(index);
        const VrLogicalTableEntry* entry = wanted(kVrSystemDriveType, drive->GetTag());
        if (!entry || !drive->HoldsAtLeast(entry->size)) return false;
    }
    return true;
}

int32_t CVrUsbMscDev::RefreshDrives() {
    int32_t result = ReadLogicalTable();
    if (result != kVrOk) return result;
    const VrLogicalTableEntry* data = FindEntry(kVrDataDriveType, kVrDataDriveTag);
    m_dataDrive->SetRequiredEntry(data);
    m_dataDrive->SetCurrentEntry(data);
    for (uint8_t index = 1; index <= m_systemDriveCount; ++index) {
        CVrSystemDrive* drive = GetSystemDrive(index);
        const VrLogicalTableEntry* entry = FindEntry(kVrSystemDriveType, drive->GetTag());
        drive->SetRequiredEntry(entry);
        drive->SetCurrentEntry(entry);
    }
    return kVrOk;
}

int32_t CVrUsbMscDev::UpdateFirmware() {
    CVrProgress& progress = m_context.GetProgress();
    int32_t result = RefreshDrives();
    progress.Step(1);
    if (result != kVrOk) return result;

    int32_t runs = 0;
    for (uint8_t index = 1; result == kVrOk && index <= m_systemDriveCount; ++index) {
        CVrSystemDrive* drive = GetSystemDrive(index);
        progress.SetComponentStage(kVrStageEraseComponent, 1, drive->GetIndex());
        result = drive->Erase();
        progress.Step(1);
        if (result != kVrOk) break;
        uint32_t steps = 0;
        result = drive->WriteComponent(steps);
        runs += static_cast<int32_t>(steps);
    }

    // The versions shown afterwards are what the player now says; a failure
    // to read them takes nothing from the download's own result.
    (void)ReadVersions(false, false);
    if (result != kVrOk) return result;

    progress.SetStage(kVrStageVerify, runs);
    for (uint8_t index = 1; result == kVrOk && index <= m_systemDriveCount; ++index) {
        result = GetSystemDrive(index)->VerifyComponent();
    }
    return result;
}
