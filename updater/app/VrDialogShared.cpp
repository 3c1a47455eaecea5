#include "updater/app/VrDialogShared.h"

#include "updater/app/VrAboutDlg.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/app/VrDialogIds.h"
#include "updater/app/VrFrontEnd.h"
#include "updater/app/VrLanguageResource.h"

std::wstring VrLoadText(CVrLanguageResource& resource, uint32_t id, bool forLog) {
    std::wstring text;
    resource.LoadText(id, text, forLog);
    return text;
}

void VrAddAboutEntry(const VrDialogServices& services, VrDialogSurface& surface) {
    std::wstring title;
    services.config.GetAboutTitle(title);
    surface.AddSystemMenuEntry(kVrAboutCommand, L"&" + title);
}

bool VrOpenAboutBox(const VrDialogServices& services, VrDialogSurface& surface, int command) {
    if (command < kVrAboutCommand || command > kVrLastAboutCommand) return false;
    CVrAboutDlg about(services.resource);
    services.frontEnd.RunModal(about, surface.Handle());
    return true;
}
