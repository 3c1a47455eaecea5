#include "updater/app/VrDialogShared.h"

#include "updater/app/VrAboutDlg.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/app/VrDialogIds.h"
#include "updater/app/VrFrontEnd.h"
#include "updater/app/VrLanguageResource.h"
#include "updater/app/VrUpdaterApp.h"

std::wstring VrLoadText(CVrLanguageResource& resource, uint32_t id, bool forLog) {
    std::wstring text;
    resource.LoadText(id, text, forLog);
    return text;
}

void VrAddAboutEntry(CVrUpdaterApp& app, VrDialogSurface& surface) {
    std::wstring title;
    app.GetConfig().GetAboutTitle(title);
    surface.AddSystemMenuEntry(kVrAboutCommand, L"&" + title);
}

bool VrOpenAboutBox(CVrUpdaterApp& app, VrDialogSurface& surface, int command) {
    if (command < kVrAboutCommand || command > kVrLastAboutCommand) return false;
    CVrAboutDlg about(app.GetResource());
    app.GetFrontEnd().RunModal(about, surface.Handle());
    return true;
}
