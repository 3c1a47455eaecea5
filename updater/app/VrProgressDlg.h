// The search dialog (template 129): shown while the program waits for the
// player, and with a progress bar while the recovery path streams the
// mass-storage firmware into a player in recovery mode.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "updater/app/VrDialogShared.h"
#include "updater/app/VrDialogSurface.h"
#include "updater/base/VrProgress.h"

class CVrProgressDlg : public CVrProgress, public VrDialog {
public:
    // `cancel` is what the Cancel button does.
    CVrProgressDlg(const VrDialogServices& services, std::function<void()> cancel);

    // The progress sink: only the bar of the recovery appearance moves.
    void SetTotal(int32_t steps) override;
    void SetComponentStage(int32_t stage, int32_t range, uint32_t componentIndex) override;
    void SetStage(int32_t stage, int32_t range) override;
    void Step(int32_t advance) override;
    void StepTotal() override;
    void ResetView() override;

    int TemplateId() const override;
    void OnInit(VrDialogSurface& surface) override;
    void OnCommand(int id) override;
    bool OnSysCommand(int id) override;
    void OnDestroy() override;

    // Searching: title 106, status 102, the animation playing, no bar.
    void ShowSearchAppearance();
    // Streaming: title 107, status 103, the bar instead of the animation.
    void ShowRecoveryAppearance();
    void SetStatus(const std::wstring& text);
    // Hidden, its animation stopped: the download dialog takes over.
    void Hide();

private:
    const VrDialogServices m_services;
    const std::function<void()> m_cancel;
    VrDialogSurface* m_surface = nullptr;
};
