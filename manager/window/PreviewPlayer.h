// CPreviewPlayer: the preview's invisible MCI window, a child of the main
// window, and the position reporter that tells the main window where the
// playback is (UM_PREVIEW_POSITION).
//
// The reporter takes over the MCI window's procedure. It reports when the
// window receives MCIWNDM_GETSTART, and at a timer of its own on that
// window: Wine's MCI window sends itself MCIWNDM_GETSTART once, when play
// starts, never afterwards, and reads position 0 once the track has ended
// (see PreviewReportAt).
#pragma once

#include <windows.h>

#include <string>

class CPreviewPlayer {
public:
    enum State { kOpened = 1, kPlaying = 2, kPaused = 3, kClosed = 4 };

    CPreviewPlayer() = default;
    ~CPreviewPlayer() { Close(); }
    CPreviewPlayer(const CPreviewPlayer&) = delete;
    CPreviewPlayer& operator=(const CPreviewPlayer&) = delete;

    void SetFile(const std::wstring& path) { m_path = path; }
    // Closes an MCI window that is open, then makes one for the file, with
    // the reporter on it; null when it cannot be made.
    HWND Open(HWND parent, HINSTANCE instance);
    void Play();
    void Seek(long position);
    void Pause();
    void Close();
    // 0 without a window.
    long Length() const;

    State GetState() const { return m_state; }
    const std::wstring& FilePath() const { return m_path; }
    HWND Window() const { return m_window; }

private:
    HWND m_window = nullptr;
    State m_state = kClosed;
    std::wstring m_path;
};
