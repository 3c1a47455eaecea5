#include "manager/app/MasterVolume.h"

#include <vector>

#include "platform/MixerRecords.h"

using mixer_record::Get32;
using mixer_record::Put32;

CMasterVolume* CMasterVolume::s_instance = nullptr;

namespace {

// A format every wave output takes; the device is opened only for its mixer.
void PutProbeFormat(BYTE* format) {
    namespace f = wave_format;
    mixer_record::Put16(format + f::kTag, WAVE_FORMAT_PCM);
    mixer_record::Put16(format + f::kChannels, 1);
    Put32(format + f::kSamplesPerSec, 22050);
    Put32(format + f::kAvgBytesPerSec, 44100);
    mixer_record::Put16(format + f::kBlockAlign, 2);
    mixer_record::Put16(format + f::kBitsPerSample, 16);
    mixer_record::Put16(format + f::kExtraSize, 0);
}

bool IsSelection(DWORD type) {
    return type == MIXERCONTROL_CONTROLTYPE_SINGLESELECT || type == MIXERCONTROL_CONTROLTYPE_MUX ||
           type == MIXERCONTROL_CONTROLTYPE_MULTIPLESELECT || type == MIXERCONTROL_CONTROLTYPE_MIXER;
}

std::vector<BYTE> DetailsRequest(DWORD control, DWORD channels, DWORD items) {
    namespace f = mixer_details;
    std::vector<BYTE> request(f::kSize, 0);
    Put32(&request[f::kStructSize], f::kSize);
    Put32(&request[f::kControlId], control);
    Put32(&request[f::kChannels], channels);
    Put32(&request[f::kMultipleItems], items);
    Put32(&request[f::kDetailSize], f::kValueSize);
    return request;
}

HMIXEROBJ AsObject(HMIXER mixer) { return reinterpret_cast<HMIXEROBJ>(mixer); }

}  // namespace

CMasterVolume::CMasterVolume(Host& host, HINSTANCE instance) : m_host(host), m_instance(instance) {
    UINT mixerId = 0;
    if (m_host.mixerGetNumDevs() == 0 || !FindMixerId(mixerId) || !OpenMixer(mixerId)) return;
    FindSpeakersLine();
}

CMasterVolume::~CMasterVolume() {
    Close();
    if (s_instance == this) s_instance = nullptr;
}

// Windows' wave mapper stands for the default device, but not every system
// answers for the mixer of a handle opened on it; then device 0 is asked.
bool CMasterVolume::FindMixerId(UINT& mixerId) {
    BYTE format[wave_format::kSize] = {};
    PutProbeFormat(format);
    for (UINT device : {WAVE_MAPPER, 0u}) {
        HWAVEOUT wave = nullptr;
        if (m_host.waveOutOpen(&wave, device, format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) continue;
        const MMRESULT found =
            m_host.mixerGetID(reinterpret_cast<HMIXEROBJ>(wave), &mixerId, MIXER_OBJECTF_HWAVEOUT);
        const MMRESULT closed = m_host.waveOutClose(wave);
        if (found == MMSYSERR_NOERROR && closed == MMSYSERR_NOERROR) return true;
    }
    return false;
}

bool CMasterVolume::OpenMixer(UINT mixerId) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = m_instance;
    windowClass.lpszClassName = kWindowClass;
    m_host.RegisterClass(&windowClass);  // a second object finds it registered
    // The window's procedure may run while it is made: this is the instance by then.
    CMasterVolume* previous = s_instance;
    s_instance = this;
    m_window = m_host.CreateWindowEx(0, kWindowClass, kWindowTitle, WS_POPUP | WS_DISABLED, 0, 0, 0, 0, nullptr,
                                     nullptr, m_instance, nullptr);
    if (m_window &&
        m_host.mixerOpen(&m_mixer, mixerId, reinterpret_cast<DWORD_PTR>(m_window), 0, CALLBACK_WINDOW) ==
            MMSYSERR_NOERROR) {
        return true;
    }
    m_mixer = nullptr;
    if (m_window) m_host.DestroyWindow(m_window);
    m_window = nullptr;
    s_instance = previous;
    return false;
}

void CMasterVolume::FindSpeakersLine() {
    namespace l = mixer_line;
    BYTE line[l::kSize] = {};
    Put32(line + l::kStructSize, l::kSize);
    Put32(line + l::kComponentType, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS);
    if (m_host.mixerGetLineInfo(AsObject(m_mixer), line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
        MMSYSERR_NOERROR) {
        Close();
        s_instance = nullptr;
        return;
    }
    m_lineId = Get32(line + l::kLineId);
    m_channels = Get32(line + l::kChannels);
    m_lineControls = Get32(line + l::kControls);
    m_lineFound = true;

    namespace q = mixer_line_controls;
    namespace c = mixer_control;
    BYTE request[q::kSize] = {};
    BYTE control[c::kSize] = {};
    Put32(request + q::kStructSize, q::kSize);
    Put32(request + q::kLineId, m_lineId);
    Put32(request + q::kControlIdOrType, MIXERCONTROL_CONTROLTYPE_VOLUME);
    Put32(request + q::kControls, 1);
    Put32(request + q::kControlSize, c::kSize);
    if (m_host.mixerGetLineControls(AsObject(m_mixer), request, control,
                                    MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) != MMSYSERR_NOERROR) {
        return;
    }
    m_volumeControl = Get32(control + c::kControlId);
    m_minimum = Get32(control + c::kMinimum);
    m_maximum = Get32(control + c::kMaximum);
    m_steps = Get32(control + c::kSteps);
    m_volumeReady = (Get32(control + c::kControlFlags) & MIXERCONTROL_CONTROLF_DISABLED) == 0 && m_channels > 0;
}

void CMasterVolume::SwitchLine(bool on) {
    if (!m_lineFound || m_lineControls == 0) return;
    namespace q = mixer_line_controls;
    namespace c = mixer_control;
    BYTE request[q::kSize] = {};
    Put32(request + q::kStructSize, q::kSize);
    Put32(request + q::kLineId, m_lineId);
    Put32(request + q::kControls, m_lineControls);
    Put32(request + q::kControlSize, c::kSize);
    std::vector<BYTE> controls(static_cast<size_t>(m_lineControls) * c::kSize, 0);
    if (m_host.mixerGetLineControls(AsObject(m_mixer), request, controls.data(),
                                    MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ALL) != MMSYSERR_NOERROR) {
        return;
    }
    for (DWORD i = 0; i < m_lineControls; ++i) {
        const BYTE* control = &controls[static_cast<size_t>(i) * c::kSize];
        const DWORD type = Get32(control + c::kControlType);
        const DWORD flags = Get32(control + c::kControlFlags);
        DWORD value;
        if (type == MIXERCONTROL_CONTROLTYPE_MUTE) {
            value = on ? 0 : 1;
        } else if (IsSelection(type)) {
            value = on ? 1 : 0;
        } else {
            continue;
        }
        const DWORD channels = flags & MIXERCONTROL_CONTROLF_UNIFORM ? 1 : m_channels;
        const DWORD items = flags & MIXERCONTROL_CONTROLF_MULTIPLE ? Get32(control + c::kMultipleItems) : 0;
        const size_t count = static_cast<size_t>(channels) * (items ? items : 1);
        std::vector<BYTE> values(count * mixer_details::kValueSize, 0);
        for (size_t v = 0; v < count; ++v) Put32(&values[v * mixer_details::kValueSize], value);
        m_host.mixerSetControlDetails(AsObject(m_mixer),
                                      DetailsRequest(Get32(control + c::kControlId), channels, items).data(),
                                      values.data(), MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE);
    }
}

int CMasterVolume::Value() const {
    if (!m_volumeReady) return -1;
    std::vector<BYTE> values(static_cast<size_t>(m_channels) * mixer_details::kValueSize, 0);
    if (m_host.mixerGetControlDetails(AsObject(m_mixer), DetailsRequest(m_volumeControl, m_channels, 0).data(),
                                      values.data(), MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) !=
        MMSYSERR_NOERROR) {
        return -1;
    }
    return static_cast<int>(Get32(values.data()));
}

void CMasterVolume::SetValue(int value) {
    if (!m_volumeReady || value < Minimum() || value > Maximum()) return;
    std::vector<BYTE> values(static_cast<size_t>(m_channels) * mixer_details::kValueSize, 0);
    for (DWORD channel = 0; channel < m_channels; ++channel) {
        Put32(&values[channel * mixer_details::kValueSize], static_cast<DWORD>(value));
    }
    m_host.mixerSetControlDetails(AsObject(m_mixer), DetailsRequest(m_volumeControl, m_channels, 0).data(),
                                  values.data(), MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE);
}

void CMasterVolume::SetChangeCallback(ChangeCallback callback, void* user) {
    m_callback = callback;
    m_user = user;
}

void CMasterVolume::Close() {
    if (m_mixer) m_host.mixerClose(m_mixer);
    if (m_window) m_host.DestroyWindow(m_window);
    m_mixer = nullptr;
    m_window = nullptr;
    m_lineFound = false;
    m_volumeReady = false;
}

void CMasterVolume::OnControlChange(DWORD control) {
    if (!m_volumeReady || control != m_volumeControl || !m_callback) return;
    const int value = Value();
    if (value != -1) m_callback(value, m_user);
}

LRESULT CALLBACK CMasterVolume::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CMasterVolume* volume = s_instance;
    if (!volume) return 0;
    if (message == MM_MIXM_CONTROL_CHANGE) {
        volume->OnControlChange(static_cast<DWORD>(lParam));
        return 0;
    }
    return volume->m_host.DefWindowProc(window, message, wParam, lParam);
}
