// The system's master output volume: the volume control of the mixer's
// speakers line, read and set through the host, and changes made by other
// programs reported to a callback. Without a sound card, a speakers line
// or a usable volume control, the getters answer -1 and the setters do
// nothing.
//
// The mixer reports changes as messages to a hidden window of this object.
// Its procedure reaches the object through the one global instance: the
// last one opened, until it goes.
#pragma once

#include "platform/Host.h"

class CMasterVolume {
public:
    typedef void (*ChangeCallback)(int value, void* user);

    static constexpr const wchar_t* kWindowClass = L"Master Output Volume Msg Wnd Class";
    static constexpr const wchar_t* kWindowTitle = L"Master Output Volume Msg Wnd";

    // Opens the mixer of the default wave output; `instance` owns the window class.
    CMasterVolume(Host& host, HINSTANCE instance);
    ~CMasterVolume();
    CMasterVolume(const CMasterVolume&) = delete;
    CMasterVolume& operator=(const CMasterVolume&) = delete;

    bool IsReady() const { return m_volumeReady; }
    // Unmutes the speakers line and selects every source of its selection
    // controls, or the opposite; only when the line was found.
    void SwitchLineOn() { SwitchLine(true); }
    void SwitchLineOff() { SwitchLine(false); }
    int Steps() const { return m_volumeReady ? static_cast<int>(m_steps) : -1; }
    int Minimum() const { return m_volumeReady ? static_cast<int>(m_minimum) : -1; }
    int Maximum() const { return m_volumeReady ? static_cast<int>(m_maximum) : -1; }
    // The first channel's volume; -1 when it cannot be read.
    int Value() const;
    // Sets every channel; a value outside [Minimum(), Maximum()] is ignored.
    void SetValue(int value);
    void SetChangeCallback(ChangeCallback callback, void* user);

private:
    // The mixer id of the default wave output; false when there is none.
    bool FindMixerId(UINT& mixerId);
    bool OpenMixer(UINT mixerId);
    void FindSpeakersLine();
    void SwitchLine(bool on);
    void Close();
    void OnControlChange(DWORD control);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    static CMasterVolume* s_instance;

    Host& m_host;
    HINSTANCE m_instance;
    bool m_lineFound = false;
    bool m_volumeReady = false;
    HWND m_window = nullptr;
    HMIXER m_mixer = nullptr;
    DWORD m_lineId = 0;
    DWORD m_volumeControl = 0;
    DWORD m_channels = 0;
    DWORD m_lineControls = 0;
    DWORD m_minimum = 0;
    DWORD m_maximum = 0;
    DWORD m_steps = 0;
    ChangeCallback m_callback = nullptr;
    void* m_user = nullptr;
};
