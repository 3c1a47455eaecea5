#include "platform/sim/SimMixer.h"

#include "platform/sim/SimWindowTable.h"

SimMixer::SimMixer(SimWindowTable& windows) : windows_(windows) { Setup(SimMixerSetup()); }

void SimMixer::Setup(const SimMixerSetup& setup) {
    std::lock_guard<std::mutex> lock(mutex_);
    setup_ = setup;
    volume_.assign(setup.channels, setup.minimum + (setup.maximum - setup.minimum) / 4 * 3);
    mute_ = 0;
}

SimMixerSetup SimMixer::Current() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return setup_;
}

void SimMixer::ChangeVolume(DWORD value) {
    std::lock_guard<std::mutex> lock(mutex_);
    volume_.assign(setup_.channels, value);
    NotifyLocked(kVolumeControl);
}

DWORD SimMixer::Volume(DWORD channel) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return channel < volume_.size() ? volume_[channel] : 0;
}

bool SimMixer::Muted() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return mute_ != 0;
}

bool SimMixer::Present() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return setup_.present;
}

uintptr_t SimMixer::OpenWaveOut(uint64_t process) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!setup_.present) return 0;
    waveOuts_[++lastHandle_] = process;
    return lastHandle_;
}

bool SimMixer::CloseWaveOut(uint64_t process, uintptr_t handle) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = waveOuts_.find(handle);
    if (found == waveOuts_.end() || found->second != process) return false;
    waveOuts_.erase(found);
    return true;
}

bool SimMixer::IsWaveOut(uintptr_t handle) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return waveOuts_.count(handle) != 0;
}

uintptr_t SimMixer::Open(uint64_t process, HWND window) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!setup_.present) return 0;
    openings_[++lastHandle_] = {process, window};
    return lastHandle_;
}

bool SimMixer::Close(uint64_t process, uintptr_t handle) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = openings_.find(handle);
    if (found == openings_.end() || found->second.process != process) return false;
    openings_.erase(found);
    return true;
}

bool SimMixer::IsOpen(uintptr_t handle) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return openings_.count(handle) != 0;
}

void SimMixer::ProcessEnded(uint64_t process) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = waveOuts_.begin(); it != waveOuts_.end();) it = it->second == process ? waveOuts_.erase(it) : ++it;
    for (auto it = openings_.begin(); it != openings_.end();) {
        it = it->second.process == process ? openings_.erase(it) : ++it;
    }
}

MMRESULT SimMixer::Read(DWORD control, DWORD channels, std::vector<DWORD>& values) const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (control == kMuteControl) {
        if (channels != 1) return MMSYSERR_INVALPARAM;  // a uniform control
        values.assign(1, mute_);
        return MMSYSERR_NOERROR;
    }
    if (control != kVolumeControl) return MIXERR_INVALCONTROL;
    if (channels == 1) {
        values.assign(1, volume_.empty() ? 0 : volume_[0]);
        return MMSYSERR_NOERROR;
    }
    if (channels != setup_.channels) return MMSYSERR_INVALPARAM;
    values = volume_;
    return MMSYSERR_NOERROR;
}

MMRESULT SimMixer::Write(DWORD control, const std::vector<DWORD>& values) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (control == kMuteControl) {
        if (values.size() != 1) return MMSYSERR_INVALPARAM;
        mute_ = values[0] ? 1 : 0;
    } else if (control == kVolumeControl) {
        if (values.size() != 1 && values.size() != setup_.channels) return MMSYSERR_INVALPARAM;
        for (DWORD value : values) {
            if (value < setup_.minimum || value > setup_.maximum) return MMSYSERR_INVALPARAM;
        }
        // One value sets every channel.
        for (size_t channel = 0; channel < volume_.size(); ++channel) {
            volume_[channel] = values.size() == 1 ? values[0] : values[channel];
        }
    } else {
        return MIXERR_INVALCONTROL;
    }
    NotifyLocked(control);
    return MMSYSERR_NOERROR;
}

void SimMixer::NotifyLocked(DWORD control) {
    for (const auto& opening : openings_) {
        if (opening.second.window) {
            windows_.Post(opening.second.window, MM_MIXM_CONTROL_CHANGE, opening.first,
                          static_cast<LPARAM>(control));
        }
    }
}
