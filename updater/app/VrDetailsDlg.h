// The details dialog (template 130): the version of every component on the
// player and in its file, the file's path, and the player's chip revision.
#pragma once

#include <cstdint>
#include <string>

#include "updater/app/VrDialogSurface.h"
#include "updater/base/VrVersionInfo.h"

class CVrConfigInfo;
class CVrLanguageResource;
class Host;

class CVrDetailsDlg : public VrDialog {
public:
    CVrDetailsDlg(Host& host, CVrLanguageResource& resource, const CVrVersionInfoPtrArray& current,
                  const CVrVersionInfoPtrArray& next, CVrConfigInfo& config, uint16_t chipRevision);

    int TemplateId() const override;
    void OnInit(VrDialogSurface& surface) override;
    void OnCommand(int id) override;

private:
    std::wstring CurrentFolder();

    Host& m_host;
    CVrLanguageResource& m_resource;
    const CVrVersionInfoPtrArray& m_current;
    const CVrVersionInfoPtrArray& m_next;
    CVrConfigInfo& m_config;
    uint16_t m_chipRevision;
    VrDialogSurface* m_surface = nullptr;
};
