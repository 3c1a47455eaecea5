// What the main window's preview does: play, stop, the position reports of
// the MCI window and the position slider's scrolling. The window owns the
// MCI window and the controls; it lends them to the session through
// PreviewOutlet, so every decision here runs without Windows.
#pragma once

#include <string>

#include "manager/app/SkinResources.h"

// The MCI window and the window's controls, as the session sees them.
class PreviewOutlet {
public:
    virtual ~PreviewOutlet() = default;

    // The MCI window: opening closes one that is open first; a window that
    // cannot be made leaves Length() at 0 and the other calls without effect.
    virtual void OpenMedia(const std::wstring& path) = 0;
    virtual void PlayMedia() = 0;
    virtual void PauseMedia() = 0;
    virtual void SeekMedia(long position) = 0;
    virtual void CloseMedia() = 0;
    virtual long MediaLength() = 0;

    // Slider 1004.
    virtual void SetPositionRange(long length) = 0;
    virtual void SetPosition(long position) = 0;
    virtual void EnablePosition(bool enable) = 0;
    // Play 1021 and Stop 1022 are enabled opposite ways; while a preview
    // plays, the commands that change files (1007, 1014, 1015, 1017, 1018)
    // are disabled.
    virtual void ShowPlaying(bool playing) = 0;
    virtual void Warn(SkinMessage message) = 0;
};

// The MCI window's mode as the position reporter reads it at each tick.
enum class MediaMode { kPlaying, kStopped, kOther };

// The position reporter's report at a tick, if any. While the window plays
// it reports its position. Wine's MCI window reads 0 again once a track has
// ended, so the end is told by the window having stopped by itself since
// the last tick, when it played: the report is then the length, which the
// session takes as the end. Paused, or never opened: no report.
bool PreviewReportAt(MediaMode mode, MediaMode lastMode, long position, long length, long& report);

// How the position slider was scrolled (the trackbar's codes).
enum class PositionScroll { kThumbPosition, kThumbTrack, kEndScroll, kOther };

class PreviewSession {
public:
    explicit PreviewSession(PreviewOutlet& outlet) : m_outlet(outlet) {}

    bool Playing() const { return m_playing; }
    const std::wstring& File() const { return m_file; }

    // Play button 1021: refused with message 8 while a preview plays, with
    // message 9 when no playable file is selected.
    void Play(const std::wstring& selected);
    // Menu item 2029: stops a preview that plays, then plays the selection.
    void PlayFromMenu(const std::wstring& selected);
    // Stop 1022 and 2030, a refresh and a device change; nothing while idle.
    void Stop();
    // UM_PREVIEW_POSITION: the position equal to the length ends the track.
    void OnPosition(long position);
    // Slider 1004 scrolled to `position` of a range ending at `maximum`.
    void OnScroll(PositionScroll code, long position, long maximum);

private:
    void ShowIdle();

    PreviewOutlet& m_outlet;
    bool m_playing = false;
    // The MCI window stays open after the track ends until the next play or
    // stop; a thumb released afterwards still seeks it.
    bool m_mediaOpen = false;
    long m_length = 0;
    std::wstring m_file;
};
