// The main window's preview: the play and stop commands, the position
// reports of the MCI window, the two sliders, and the window's side of
// PreviewSession (the MCI window and the controls it lends the session).

#include "manager/window/ManagerDlg.h"

#include <commctrl.h>

#include "manager/app/ManagerControls.h"

namespace {

// The commands that change files, off while a preview plays.
const int kFileCommandButtons[] = {kSpeechButton, kFormatButton, kDeleteButton, kCopyToPcButton,
                                   kCopyToPlayerButton};

PositionScroll PositionScrollOf(WORD code) {
    switch (code) {
    case TB_THUMBPOSITION:
        return PositionScroll::kThumbPosition;
    case TB_THUMBTRACK:
        return PositionScroll::kThumbTrack;
    case TB_ENDTRACK:
        return PositionScroll::kEndScroll;
    default:
        return PositionScroll::kOther;
    }
}

}  // namespace

void CManagerDlg::PlayPreview(bool fromMenu) {
    if (fromMenu) {
        m_preview.PlayFromMenu(m_playableFile);
    } else {
        m_preview.Play(m_playableFile);
    }
}

void CManagerDlg::StopPreview() {
    m_preview.Stop();
}

void CManagerDlg::OnPreviewPosition(long position) {
    m_preview.OnPosition(position);
    // At the end the MCI window stays open; the window forgets its handle.
    if (!m_preview.Playing()) m_previewWindow = nullptr;
}

void CManagerDlg::OnSliderScroll(WORD code, HWND slider) {
    if (slider == m_positionSlider.GetHandle()) {
        m_preview.OnScroll(PositionScrollOf(code), m_positionSlider.GetPos(), m_positionSlider.GetRangeMax());
    } else if (slider == m_volumeSlider.GetHandle() && m_masterVolume) {
        m_masterVolume->SetValue(m_volumeSlider.GetPos());
    }
}

void CManagerDlg::OpenMedia(const std::wstring& path) {
    m_previewPlayer.SetFile(path);
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(GetHandle(), GWLP_HINSTANCE));
    m_previewWindow = m_previewPlayer.Open(GetHandle(), instance);
}

void CManagerDlg::PlayMedia() { m_previewPlayer.Play(); }
void CManagerDlg::PauseMedia() { m_previewPlayer.Pause(); }
void CManagerDlg::SeekMedia(long position) { m_previewPlayer.Seek(position); }
long CManagerDlg::MediaLength() { return m_previewPlayer.Length(); }

void CManagerDlg::CloseMedia() {
    m_previewPlayer.Close();
    m_previewWindow = nullptr;
}

void CManagerDlg::SetPositionRange(long length) {
    m_positionSlider.SetRange(0, static_cast<int>(length));
}

void CManagerDlg::SetPosition(long position) {
    m_positionSlider.SetPos(static_cast<int>(position), true);
}

void CManagerDlg::EnablePosition(bool enable) {
    m_positionSlider.Enable(enable);
}

void CManagerDlg::ShowPlaying(bool playing) {
    m_previewPlaying = playing;
    GetItem(kPlayButton).Enable(!playing);
    GetItem(kStopButton).Enable(playing);
    EnableFileCommands(!playing);
}

void CManagerDlg::EnableFileCommands(bool enable) {
    for (int id : kFileCommandButtons) GetItem(id).Enable(enable);
}
