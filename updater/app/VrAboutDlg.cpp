#include "updater/app/VrAboutDlg.h"

#include <cstdint>
#include <string>

#include "updater/app/VrDialogIds.h"
#include "updater/app/VrDialogShared.h"
#include "updater/app/VrLanguageResource.h"

namespace {

// The product texts of the program's own table, in the user's language.
const uint32_t kLegalNoticeId = 52;
const uint32_t kAboutTitleId = 54;
const uint32_t kProductLineId = 55;

}  // namespace

CVrAboutDlg::CVrAboutDlg(CVrLanguageResource& resource) : m_resource(resource) {}

int CVrAboutDlg::TemplateId() const { return kVrAboutTemplate; }

void CVrAboutDlg::OnInit(VrDialogSurface& surface) {
    m_surface = &surface;
    surface.SetTitle(VrLoadText(m_resource, kAboutTitleId));
    surface.SetItemText(kVrAboutProductLine, VrLoadText(m_resource, kProductLineId));
    surface.SetItemText(kVrAboutLegalNotice, VrLoadText(m_resource, kLegalNoticeId));
    std::wstring version;
    m_resource.GetVersionText(version);
    surface.SetItemText(kVrAboutVersion, version);
    surface.SetItemIcon(kVrAboutIconControl, kVrAboutIcon);
}

void CVrAboutDlg::OnCommand(int id) {
    if ((id == kVrIdOk || id == kVrIdCancel) && m_surface) m_surface->Close(id);
}
