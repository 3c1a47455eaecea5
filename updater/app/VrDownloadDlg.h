// The download dialog (template 102): the versions on the player and in the
// files, the Format Data Area box, a bar for the stage and one for the whole
// download, and Start. It is the engine's progress sink while it is up.
#pragma once

#include <cstdint>
#include <string>

#include "platform/WinTypes.h"
#include "updater/app/VrDialogSurface.h"
#include "updater/engine/VrDownloadRun.h"
#include "updater/base/VrProgress.h"
#include "updater/base/VrStages.h"

class CVrUpdaterApp;

class CVrDownloadDlg : public CVrProgress, public VrDialog, public VrDownloadWindow {
public:
    // `modal` is 0 when the auto-start path creates the dialog modeless.
    CVrDownloadDlg(CVrUpdaterApp& app, bool modal);

    void SetTotal(int32_t steps) override;
    void SetStage(int32_t stage, int32_t range) override;
    void Step(int32_t advance) override;
    void StepTotal() override;
    int32_t BeginDownload() override;
    void EndDownload() override;

    int TemplateId() const override;
    void OnInit(VrDialogSurface& surface) override;
    void OnCommand(int id) override;
    bool OnSysCommand(int id) override;
    void OnDestroy() override;

    // The download window: questions, reports and the versions shown again.
    bool AskYesNo(uint32_t stringId) override;
    void Report(int32_t code) override;
    void RefreshVersions() override;

    // What the last press of Start gave: 0 before any, and when the user
    // declined; otherwise the download's result or the code of the refusal
    // to begin.
    int32_t GetLastResult() const { return m_lastResult; }
    // Whether the last press of Start ended with the user declining the
    // reformat the download needed: nothing was written to the player.
    bool WroteNothing() const { return m_lastResult == 0 && m_stage == kVrStageNothingWritten; }

private:
    void Start();
    void ShowDetails();
    void FormatBoxClicked();
    void Close();
    void EnableControls(bool enable);
    // The box's state when the dialog opens and after each download.
    bool IsBoxPreset() const;
    // Tells the shell about the player's volume ("E:\").
    void NotifyShell(LONG eventId);
    std::wstring Text(uint32_t id, bool forLog = false);

    CVrUpdaterApp& m_app;
    const bool m_modal;
    VrDialogSurface* m_surface = nullptr;
    int m_overallUpper = 0;
    int32_t m_lastResult = 0;
};
