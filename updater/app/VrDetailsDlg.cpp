#include "updater/app/VrDetailsDlg.h"

#include <cwchar>
#include <string>

#include "platform/Host.h"
#include "platform/TextCodec.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/app/VrDialogIds.h"
#include "updater/app/VrDialogShared.h"
#include "updater/app/VrLanguageResource.h"
#include "updater/base/VrResult.h"

namespace {

struct Label {
    int control;
    uint32_t stringId;
};
const Label kLabels[] = {
    {kVrDetailsCurrentGroup, 148}, {kVrDetailsNewGroup, 151}, {kVrDetailsDeviceGroup, 152},
    {kVrDetailsChipLabel, 153},    {kVrIdOk, 155},
};
const uint32_t kTitleId = 154;

const int kChipControls[] = {kVrDetailsChipLabel, kVrDetailsDeviceGroup, kVrDetailsChipRevision};

std::wstring VersionText(const CVrVersionInfoPtrArray& versions, uint32_t index) {
    CVrVersionInfo* version = nullptr;
    if (versions.GetAt(index, version) != kVrOk || !version) return L"";
    return version->ToString();
}

}  // namespace

CVrDetailsDlg::CVrDetailsDlg(Host& host, CVrLanguageResource& resource, const CVrVersionInfoPtrArray& current,
                             const CVrVersionInfoPtrArray& next, CVrConfigInfo& config, uint16_t chipRevision)
    : m_host(host), m_resource(resource), m_current(current), m_next(next), m_config(config),
      m_chipRevision(chipRevision) {}

std::wstring CVrDetailsDlg::CurrentFolder() {
    // Asked with no room first, the host answers the length with the terminator.
    const DWORD size = m_host.GetCurrentDirectory(0, nullptr);
    if (size == 0) return L"";
    std::wstring folder(size, L'\0');
    const DWORD length = m_host.GetCurrentDirectory(size, &folder[0]);
    folder.resize(length < size ? length : 0);
    return folder;
}

int CVrDetailsDlg::TemplateId() const { return kVrDetailsTemplate; }

void CVrDetailsDlg::OnInit(VrDialogSurface& surface) {
    m_surface = &surface;
    surface.SetTitle(VrLoadText(m_resource, kTitleId));
    for (const Label& label : kLabels) surface.SetItemText(label.control, VrLoadText(m_resource, label.stringId));

    // The component files lie in the program's folder, which is the current
    // one when the program runs. A drive root (C:\) already ends with its
    // separator, and a path must not get a second one.
    std::wstring folder = CurrentFolder();
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';

    uint8_t count = 0;
    m_config.GetComponentCount(count);
    for (uint8_t index = 1; index <= count && index <= CVrConfigInfo::kLastComponentIndex; ++index) {
        const VrDetailsRow& row = kVrDetailsRows[index - 1];
        std::wstring name;
        std::string fileName;
        m_config.GetComponentDisplayName(index, name);
        m_config.GetComponentFileName(index, fileName);
        surface.SetItemText(row.currentLabel, name);
        surface.SetItemText(row.newLabel, name);
        surface.SetItemText(row.currentVersion, VersionText(m_current, index - 1u));
        surface.SetItemText(row.newVersion, VersionText(m_next, index - 1u));
        surface.SetItemText(row.path, folder + WideFromUtf8(fileName));
    }

    wchar_t revision[8];
    std::swprintf(revision, sizeof(revision) / sizeof(revision[0]), L"%x", static_cast<unsigned>(m_chipRevision));
    surface.SetItemText(kVrDetailsChipRevision, revision);
    bool showChip = false;
    m_config.GetShowChipRevision(showChip);
    if (!showChip) {
        for (int control : kChipControls) surface.ShowItem(control, false);
    }
}

void CVrDetailsDlg::OnCommand(int id) {
    if ((id == kVrIdOk || id == kVrIdCancel) && m_surface) m_surface->Close(id);
}
