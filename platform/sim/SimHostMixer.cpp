// The simulated PC's wave output and mixer, answered from its SimMixer in
// the records of platform/MixerRecords.h.
#include <cstring>
#include <vector>

#include "platform/MixerRecords.h"
#include "platform/sim/SimHost.h"

using mixer_record::Get32;
using mixer_record::Put32;
using mixer_record::PutText;

namespace {

const DWORD kObjectKinds = 0xF0000000u;
const DWORD kQueryKinds = 0x0000000Fu;
const DWORD kLineActive = 0x00000001u;    // MIXERLINE_LINEF_ACTIVE
const DWORD kTargetWaveOut = 1;            // MIXERLINE_TARGETTYPE_WAVEOUT
const DWORD kMuteSteps = 0;

uint32_t Get16(const BYTE* at) { return static_cast<uint32_t>(at[0] | at[1] << 8); }

// The wave format any sound card of the era plays: PCM of 1 or 2 channels
// of 8 or 16 bits, its block and byte rate consistent.
bool PlayableFormat(const BYTE* format) {
    namespace f = wave_format;
    const uint32_t channels = Get16(format + f::kChannels);
    const uint32_t bits = Get16(format + f::kBitsPerSample);
    const uint32_t block = Get16(format + f::kBlockAlign);
    const uint32_t rate = Get32(format + f::kSamplesPerSec);
    return Get16(format + f::kTag) == WAVE_FORMAT_PCM && (channels == 1 || channels == 2) &&
           (bits == 8 || bits == 16) && block == channels * bits / 8 && rate >= 8000 && rate <= 48000 &&
           Get32(format + f::kAvgBytesPerSec) == rate * block;
}

void PutControl(BYTE* at, DWORD id, DWORD type, DWORD flags, const wchar_t* name, DWORD minimum, DWORD maximum,
                DWORD steps) {
    namespace f = mixer_control;
    std::memset(at, 0, f::kSize);
    Put32(at + f::kStructSize, f::kSize);
    Put32(at + f::kControlId, id);
    Put32(at + f::kControlType, type);
    Put32(at + f::kControlFlags, flags);
    PutText(at + f::kShortName, 16, name);
    PutText(at + f::kName, 64, name);
    Put32(at + f::kMinimum, minimum);
    Put32(at + f::kMaximum, maximum);
    Put32(at + f::kSteps, steps);
}

void PutVolumeControl(BYTE* at, const SimMixerSetup& setup) {
    PutControl(at, SimMixer::kVolumeControl, MIXERCONTROL_CONTROLTYPE_VOLUME,
               setup.volumeDisabled ? MIXERCONTROL_CONTROLF_DISABLED : 0, L"Master Volume", setup.minimum,
               setup.maximum, setup.steps);
}

void PutMuteControl(BYTE* at) {
    PutControl(at, SimMixer::kMuteControl, MIXERCONTROL_CONTROLTYPE_MUTE, MIXERCONTROL_CONTROLF_UNIFORM,
               L"Master Mute", 0, 1, kMuteSteps);
}

}  // namespace

MMRESULT SimHost::MixerObject(HMIXEROBJ object, DWORD flags) {
    const uintptr_t handle = reinterpret_cast<uintptr_t>(object);
    switch (flags & kObjectKinds) {
    case MIXER_OBJECTF_HMIXER: return machine_.Mixer().IsOpen(handle) ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
    case MIXER_OBJECTF_MIXER:
        return handle == 0 && machine_.Mixer().Present() ? MMSYSERR_NOERROR : MMSYSERR_BADDEVICEID;
    default: return MMSYSERR_INVALFLAG;
    }
}

UINT SimHost::mixerGetNumDevs() { return machine_.Mixer().Present() ? 1 : 0; }

MMRESULT SimHost::waveOutOpen(HWAVEOUT* waveOut, UINT deviceId, const BYTE* format, DWORD_PTR /*callback*/,
                              DWORD_PTR /*instance*/, DWORD /*flags*/) {
    if (!machine_.Mixer().Present()) return deviceId == WAVE_MAPPER ? MMSYSERR_NODRIVER : MMSYSERR_BADDEVICEID;
    if (deviceId != 0 && deviceId != WAVE_MAPPER) return MMSYSERR_BADDEVICEID;
    if (!waveOut || !format) return MMSYSERR_INVALPARAM;
    if (!PlayableFormat(format)) return WAVERR_BADFORMAT;
    *waveOut = reinterpret_cast<HWAVEOUT>(machine_.Mixer().OpenWaveOut(process_));
    return MMSYSERR_NOERROR;
}

MMRESULT SimHost::waveOutClose(HWAVEOUT waveOut) {
    return machine_.Mixer().CloseWaveOut(process_, reinterpret_cast<uintptr_t>(waveOut)) ? MMSYSERR_NOERROR
                                                                                         : MMSYSERR_INVALHANDLE;
}

MMRESULT SimHost::mixerGetID(HMIXEROBJ object, UINT* mixerId, DWORD flags) {
    if (!mixerId) return MMSYSERR_INVALPARAM;
    if ((flags & kObjectKinds) == MIXER_OBJECTF_HWAVEOUT) {
        if (!machine_.Mixer().IsWaveOut(reinterpret_cast<uintptr_t>(object))) return MMSYSERR_INVALHANDLE;
    } else {
        MMRESULT result = MixerObject(object, flags);
        if (result != MMSYSERR_NOERROR) return result;
    }
    *mixerId = 0;  // the one card's mixer
    return MMSYSERR_NOERROR;
}

MMRESULT SimHost::mixerOpen(HMIXER* mixer, UINT mixerId, DWORD_PTR callback, DWORD_PTR /*instance*/, DWORD flags) {
    if (!mixer) return MMSYSERR_INVALPARAM;
    if (mixerId != 0 || !machine_.Mixer().Present()) return MMSYSERR_BADDEVICEID;
    HWND window = nullptr;
    if (flags & CALLBACK_WINDOW) {
        window = reinterpret_cast<HWND>(callback);
        if (!machine_.WindowTable().Procedure(process_, window)) return MMSYSERR_INVALPARAM;
    }
    *mixer = reinterpret_cast<HMIXER>(machine_.Mixer().Open(process_, window));
    return MMSYSERR_NOERROR;
}

MMRESULT SimHost::mixerClose(HMIXER mixer) {
    return machine_.Mixer().Close(process_, reinterpret_cast<uintptr_t>(mixer)) ? MMSYSERR_NOERROR
                                                                                : MMSYSERR_INVALHANDLE;
}

MMRESULT SimHost::mixerGetLineInfo(HMIXEROBJ mixer, BYTE* line, DWORD flags) {
    namespace f = mixer_line;
    MMRESULT result = MixerObject(mixer, flags);
    if (result != MMSYSERR_NOERROR) return result;
    if (!line || Get32(line + f::kStructSize) != f::kSize) return MMSYSERR_INVALPARAM;
    const DWORD query = flags & kQueryKinds;
    if (query == MIXER_GETLINEINFOF_COMPONENTTYPE) {
        if (Get32(line + f::kComponentType) != MIXERLINE_COMPONENTTYPE_DST_SPEAKERS) return MIXERR_INVALLINE;
    } else if (query == MIXER_GETLINEINFOF_DESTINATION) {
        if (Get32(line + f::kDestination) != 0) return MMSYSERR_INVALPARAM;
    } else {
        return MMSYSERR_NOTSUPPORTED;
    }
    const SimMixerSetup setup = machine_.Mixer().Current();
    std::memset(line + 4, 0, f::kSize - 4);
    Put32(line + f::kLineId, SimMixer::kSpeakersLine);
    Put32(line + f::kLineFlags, kLineActive);
    Put32(line + f::kComponentType, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS);
    Put32(line + f::kChannels, setup.channels);
    Put32(line + f::kControls, 2);
    PutText(line + f::kShortName, 16, L"Master Volume");
    PutText(line + f::kName, 64, L"Master Volume");
    Put32(line + f::kTargetType, kTargetWaveOut);
    PutText(line + f::kTargetName, 32, L"Simulated Sound");
    return MMSYSERR_NOERROR;
}

MMRESULT SimHost::mixerGetLineControls(HMIXEROBJ mixer, BYTE* request, BYTE* controls, DWORD flags) {
    namespace f = mixer_line_controls;
    MMRESULT result = MixerObject(mixer, flags);
    if (result != MMSYSERR_NOERROR) return result;
    if (!request || !controls || Get32(request + f::kStructSize) != f::kSize ||
        Get32(request + f::kControlSize) < mixer_control::kSize) {
        return MMSYSERR_INVALPARAM;
    }
    const SimMixerSetup setup = machine_.Mixer().Current();
    const DWORD count = Get32(request + f::kControls);
    const DWORD stride = Get32(request + f::kControlSize);
    if (Get32(request + f::kLineId) != SimMixer::kSpeakersLine) return MIXERR_INVALLINE;
    switch (flags & kQueryKinds) {
    case MIXER_GETLINECONTROLSF_ALL:
        if (count != 2) return MMSYSERR_INVALPARAM;
        PutVolumeControl(controls, setup);
        PutMuteControl(controls + stride);
        return MMSYSERR_NOERROR;
    case MIXER_GETLINECONTROLSF_ONEBYTYPE:
        if (count != 1) return MMSYSERR_INVALPARAM;
        if (Get32(request + f::kControlIdOrType) == MIXERCONTROL_CONTROLTYPE_VOLUME) {
            PutVolumeControl(controls, setup);
        } else if (Get32(request + f::kControlIdOrType) == MIXERCONTROL_CONTROLTYPE_MUTE) {
            PutMuteControl(controls);
        } else {
            return MIXERR_INVALCONTROL;
        }
        return MMSYSERR_NOERROR;
    default: return MMSYSERR_NOTSUPPORTED;
    }
}

MMRESULT SimHost::MixerDetails(HMIXEROBJ mixer, const BYTE* request, const BYTE* values, DWORD flags,
                               DWORD& control, DWORD& count) {
    namespace f = mixer_details;
    MMRESULT result = MixerObject(mixer, flags);
    if (result != MMSYSERR_NOERROR) return result;
    if ((flags & kQueryKinds) != MIXER_GETCONTROLDETAILSF_VALUE) return MMSYSERR_NOTSUPPORTED;
    if (!request || !values || Get32(request + f::kStructSize) != f::kSize ||
        Get32(request + f::kDetailSize) != f::kValueSize || Get32(request + f::kMultipleItems) != 0) {
        return MMSYSERR_INVALPARAM;
    }
    control = Get32(request + f::kControlId);
    count = Get32(request + f::kChannels);
    return MMSYSERR_NOERROR;
}

MMRESULT SimHost::mixerGetControlDetails(HMIXEROBJ mixer, const BYTE* request, BYTE* values, DWORD flags) {
    DWORD control = 0, channels = 0;
    MMRESULT result = MixerDetails(mixer, request, values, flags, control, channels);
    if (result != MMSYSERR_NOERROR) return result;
    std::vector<DWORD> read;
    result = machine_.Mixer().Read(control, channels, read);
    if (result != MMSYSERR_NOERROR) return result;
    for (size_t i = 0; i < read.size(); ++i) Put32(values + i * mixer_details::kValueSize, read[i]);
    return MMSYSERR_NOERROR;
}

MMRESULT SimHost::mixerSetControlDetails(HMIXEROBJ mixer, const BYTE* request, const BYTE* values, DWORD flags) {
    DWORD control = 0, channels = 0;
    MMRESULT result = MixerDetails(mixer, request, values, flags, control, channels);
    if (result != MMSYSERR_NOERROR) return result;
    std::vector<DWORD> written(channels);
    for (DWORD i = 0; i < channels; ++i) written[i] = Get32(values + i * mixer_details::kValueSize);
    return machine_.Mixer().Write(control, written);
}
