#include "updater/app/VrProgressDlg.h"

#include <utility>

#include "updater/app/VrDialogIds.h"
#include "updater/app/VrDialogShared.h"

namespace {

const uint32_t kSearchStatusId = 102;
const uint32_t kRecoveryStatusId = 103;
const uint32_t kSearchTitleId = 106;
const uint32_t kRecoveryTitleId = 107;
const uint32_t kCancelTextId = 632;

}  // namespace

CVrProgressDlg::CVrProgressDlg(const VrDialogServices& services, std::function<void()> cancel)
    : CVrProgress("CVrProgressDlg"), m_services(services), m_cancel(std::move(cancel)) {}

// Only the recovery transfer moves the bar; it announces no overall total,
// no component stages and no stage texts.
void CVrProgressDlg::SetTotal(int32_t /*steps*/) {}

void CVrProgressDlg::SetComponentStage(int32_t /*stage*/, int32_t /*range*/, uint32_t /*componentIndex*/) {}

void CVrProgressDlg::SetStage(int32_t stage, int32_t range) {
    m_stage = stage;
    m_stageRange = range;
    if (IsBusy() && m_surface) m_surface->SetBarRange(kVrSearchBar, range & 0xFFFF, 1);
}

// Unlike the download dialog's sink, this one dispatches no window messages:
// the recovery stream runs its writes back to back.
void CVrProgressDlg::Step(int32_t advance) {
    if (IsBusy() && advance != 0 && m_surface) m_surface->StepBar(kVrSearchBar);
}

void CVrProgressDlg::StepTotal() {}

void CVrProgressDlg::ResetView() { ShowSearchAppearance(); }

int CVrProgressDlg::TemplateId() const { return kVrSearchTemplate; }

void CVrProgressDlg::OnInit(VrDialogSurface& surface) {
    m_surface = &surface;
    VrAddAboutEntry(m_services, surface);
    surface.SetWindowIcon(kVrSmallIcon);
    surface.SetItemText(kVrIdCancel, VrLoadText(m_services.resource, kCancelTextId));
    ShowSearchAppearance();
    // The search dialog is busy for its whole life: whenever the recovery
    // transfer runs, its bar moves.
    BeginDownload();
}

void CVrProgressDlg::OnCommand(int id) {
    if (id == kVrIdCancel) m_cancel();
}

bool CVrProgressDlg::OnSysCommand(int id) { return m_surface && VrOpenAboutBox(m_services, *m_surface, id); }

void CVrProgressDlg::OnDestroy() { m_surface = nullptr; }

void CVrProgressDlg::ShowSearchAppearance() {
    if (!m_surface) return;
    m_surface->SetTitle(VrLoadText(m_services.resource, kSearchTitleId));
    SetStatus(VrLoadText(m_services.resource, kSearchStatusId));
    m_surface->ShowItem(kVrSearchBar, false);
    m_surface->ShowItem(kVrSearchAnimationControl, true);
    m_surface->PlayAnimation(kVrSearchAnimationControl, true);
}

void CVrProgressDlg::ShowRecoveryAppearance() {
    if (!m_surface) return;
    m_surface->PlayAnimation(kVrSearchAnimationControl, false);
    m_surface->ShowItem(kVrSearchAnimationControl, false);
    m_surface->ShowItem(kVrSearchBar, true);
    m_surface->SetTitle(VrLoadText(m_services.resource, kRecoveryTitleId));
    SetStatus(VrLoadText(m_services.resource, kRecoveryStatusId));
}

void CVrProgressDlg::SetStatus(const std::wstring& text) {
    if (m_surface) m_surface->SetItemText(kVrSearchStatus, text);
}

void CVrProgressDlg::Hide() {
    if (!m_surface) return;
    m_surface->PlayAnimation(kVrSearchAnimationControl, false);
    m_surface->ShowWindow(false);
}
