// The about box (template 100): the product line, the legal notice and the
// program's version.
#pragma once

#include "updater/app/VrDialogSurface.h"

class CVrLanguageResource;

class CVrAboutDlg : public VrDialog {
public:
    explicit CVrAboutDlg(CVrLanguageResource& resource);

    int TemplateId() const override;
    void OnInit(VrDialogSurface& surface) override;
    void OnCommand(int id) override;

private:
    CVrLanguageResource& m_resource;
    VrDialogSurface* m_surface = nullptr;
};
