#include "manager/app/PreviewSession.h"

void PreviewSession::Play(const std::wstring& selected) {
    if (m_playing) {
        m_outlet.Warn(kPreviewAlreadyPlaying);
        return;
    }
    if (selected.empty()) {
        m_outlet.Warn(kNoPlayableFile);
        return;
    }
    m_file = selected;
    m_outlet.OpenMedia(m_file);
    m_mediaOpen = true;
    m_length = m_outlet.MediaLength();
    m_outlet.SetPositionRange(m_length);
    m_outlet.PlayMedia();
    m_playing = true;
    m_outlet.EnablePosition(true);
    m_outlet.ShowPlaying(true);
}

void PreviewSession::PlayFromMenu(const std::wstring& selected) {
    Stop();
    Play(selected);
}

void PreviewSession::Stop() {
    if (!m_playing) return;
    m_playing = false;
    m_outlet.CloseMedia();
    m_mediaOpen = false;
    ShowIdle();
}

void PreviewSession::OnPosition(long position) {
    // Reports that come after the track ended (the MCI window stays open)
    // must not enable the buttons again while, say, a copy has them off.
    if (!m_playing) return;
    if (position == m_length) {
        m_playing = false;
        ShowIdle();
        return;
    }
    m_outlet.SetPosition(position);
}

void PreviewSession::OnScroll(PositionScroll code, long position, long maximum) {
    switch (code) {
    case PositionScroll::kThumbPosition:
        if (position == maximum) {
            Stop();
        } else {
            m_outlet.SeekMedia(position);
        }
        break;
    case PositionScroll::kThumbTrack:
        m_outlet.PauseMedia();
        break;
    case PositionScroll::kEndScroll:
        if (!m_mediaOpen) break;
        if (position == maximum) {
            Stop();
        } else {
            m_outlet.SeekMedia(position);
            m_outlet.PlayMedia();
        }
        break;
    case PositionScroll::kOther:
        break;
    }
}

void PreviewSession::ShowIdle() {
    m_outlet.EnablePosition(false);
    m_outlet.SetPosition(0);
    m_outlet.ShowPlaying(false);
}

bool PreviewReportAt(MediaMode mode, MediaMode lastMode, long position, long length, long& report) {
    if (mode == MediaMode::kPlaying) {
        report = position;
        return true;
    }
    if (mode == MediaMode::kStopped && lastMode == MediaMode::kPlaying) {
        report = length;
        return true;
    }
    return false;
}
