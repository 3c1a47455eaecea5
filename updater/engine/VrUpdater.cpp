#include "updater/engine/VrUpdater.h"

#include <new>
#include <string>

#include "updater/engine/VrRecoveryDev.h"
#include "updater/engine/VrUsbMscDev.h"
#include "updater/base/VrResult.h"

namespace {

const wchar_t kSettingsFile[] = L":\\SETTINGS.DAT";

}  // namespace

CVrUpdater::CVrUpdater(Host& host, CVrConfigInfo& config, const char* name)
    : CVrBase(name), m_context(host, config) {}

CVrUpdater::~CVrUpdater() = default;

int32_t CVrUpdater::OpenDevice() {
    if (!m_device) {
        m_device.reset(new (std::nothrow) CVrUsbMscDev(m_context));
        if (!m_device) return kVrNoMemory;
    }
    return m_device->Connect();
}

void CVrUpdater::ReleaseDevice() {
    if (m_device) m_device->Detach();
}

int32_t CVrUpdater::OpenRecoveryDevice() {
    if (!m_recoveryDevice) {
        m_recoveryDevice.reset(new (std::nothrow) CVrRecoveryDev(m_context));
        if (!m_recoveryDevice) return kVrNoMemory;
    }
    return m_recoveryDevice->Open();
}

int32_t CVrUpdater::RecoveryDownload(CVrProgress& progress) {
    if (!m_recoveryDevice) return kVrNoDeviceObject;
    int32_t result = m_recoveryDevice->Download(progress);
    m_recoveryDevice.reset();
    return result;
}

bool CVrUpdater::CanDownloadWithoutFormat() {
    if (!m_device || m_device->ReadLogicalTable() != kVrOk) return false;
    VrLogicalTable allocation;
    return m_device->BuildAllocationTable(allocation) == kVrOk && m_device->MediaFits(allocation);
}

int32_t CVrUpdater::PlainDownload() {
    if (!m_device) return kVrNoDeviceObject;
    GetProgress().SetTotal(static_cast<int32_t>(m_device->StepCount(CVrUsbMscDev::kFirmwareUpdate) & 0xFFFF));
    int32_t result = m_device->BeginAccess();
    if (result != kVrOk) return result;
    result = m_device->UpdateFirmware();
    // Unlocking and closing run whatever the download did; the download's
    // result is the one reported.
    (void)m_device->EndAccess();
    return result;
}

int32_t CVrUpdater::FullDownload() {
    if (!m_device) return kVrNoDeviceObject;
    GetProgress().SetTotal(static_cast<int32_t>(m_device->StepCount(CVrUsbMscDev::kRebuild) & 0xFFFF));
    int32_t result = m_device->BeginAccess();
    if (result != kVrOk) return result;
    result = m_device->RebuildMedia(m_forceFat16);
    (void)m_device->EndAccess();  // as after a plain download
    return result;
}

int32_t CVrUpdater::DeleteSettingsFile() {
    wchar_t letter = GetDriveLetter();
    if (letter == 0) return kVrOk;
    std::wstring path = std::wstring(1, letter) + kSettingsFile;
    Host& host = m_context.GetHost();
    if (host.GetFileAttributes(path.c_str()) == INVALID_FILE_ATTRIBUTES) return kVrOk;
    if (!host.SetFileAttributes(path.c_str(), FILE_ATTRIBUTE_NORMAL) || !host.DeleteFile(path.c_str())) {
        m_context.GetErrorRecord().Set(kVrSettingsNotDeleted, host.GetLastError());
        return kVrSettingsNotDeleted;
    }
    return kVrOk;
}

int32_t CVrUpdater::GetVersionArrays(const CVrVersionInfoPtrArray*& current, const CVrVersionInfoPtrArray*& next) {
    if (!m_device) return kVrNoDeviceObject;
    current = m_device->GetDeviceVersions();
    next = m_device->GetFileVersions();
    return kVrOk;
}

int32_t CVrUpdater::GetProductVersions(CVrVersionInfo& current, CVrVersionInfo& next) {
    if (!m_device) return kVrNoDeviceObject;
    current = m_device->GetDeviceProductVersion();
    next = m_device->GetFileProductVersion();
    return m_device->GetLastResult();
}

wchar_t CVrUpdater::GetDriveLetter() const { return m_device ? m_device->GetDriveLetter() : 0; }

uint16_t CVrUpdater::GetChipRevision() const { return m_device ? m_device->GetChipRevision() : 0; }
