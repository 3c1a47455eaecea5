// The simulated PC's sound card as its programs see it: one wave output and
// one mixer whose speakers line has a volume control (a value per channel)
// and a mute control (one value for all). A PC may have no sound card at
// all, or a volume control the driver marks disabled.
//
// Every change of a control, by a program through its mixer handle or by
// the test standing for another program (ChangeVolume), is posted as
// MM_MIXM_CONTROL_CHANGE (wParam the handle, lParam the control id) to the
// window of every handle opened with one, as Windows tells every open
// handle.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

#include "platform/WinTypes.h"

class SimWindowTable;

struct SimMixerSetup {
    bool present = true;
    DWORD channels = 2;
    DWORD minimum = 0;
    DWORD maximum = 65535;
    DWORD steps = 65536;
    bool volumeDisabled = false;
};

class SimMixer {
public:
    static const DWORD kSpeakersLine = 0xFFFF0000;
    static const DWORD kVolumeControl = 1;
    static const DWORD kMuteControl = 2;

    explicit SimMixer(SimWindowTable& windows);

    // --- Configuration and inspection ----------------------------------------
    // Sets the card up afresh: every channel at three quarters of the range,
    // not muted; open handles stay.
    void Setup(const SimMixerSetup& setup);
    SimMixerSetup Current() const;
    // Another program sets every channel's volume.
    void ChangeVolume(DWORD value);
    DWORD Volume(DWORD channel) const;
    bool Muted() const;

    // --- Services for the processes --------------------------------------------
    bool Present() const;
    uintptr_t OpenWaveOut(uint64_t process);
    bool CloseWaveOut(uint64_t process, uintptr_t handle);
    bool IsWaveOut(uintptr_t handle) const;
    // `window` may be null: no notifications.
    uintptr_t Open(uint64_t process, HWND window);
    bool Close(uint64_t process, uintptr_t handle);
    bool IsOpen(uintptr_t handle) const;
    // The process ended: its handles close.
    void ProcessEnded(uint64_t process);
    // The control's values, `items` x `channels` of them, or an MMRESULT.
    MMRESULT Read(DWORD control, DWORD channels, std::vector<DWORD>& values) const;
    MMRESULT Write(DWORD control, const std::vector<DWORD>& values);

private:
    void NotifyLocked(DWORD control);

    SimWindowTable& windows_;
    mutable std::mutex mutex_;
    SimMixerSetup setup_;
    std::vector<DWORD> volume_;
    DWORD mute_ = 0;
    uintptr_t lastHandle_ = 0;
    std::map<uintptr_t, uint64_t> waveOuts_;  // handle to process
    struct Opening {
        uint64_t process;
        HWND window;
    };
    std::map<uintptr_t, Opening> openings_;
};
