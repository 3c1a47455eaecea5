// The host's audio mixer, answered by Windows: the seam's byte records are
// turned into the system's own and back, field by field, so that they read
// alike whatever the width of the build.
#include <cstring>
#include <vector>

#include "platform/MixerRecords.h"
#include "platform/win32/Win32Host.h"

using mixer_record::Get32;
using mixer_record::Put32;

namespace {

void GetText(const BYTE* at, wchar_t* text, size_t chars) {
    for (size_t i = 0; i < chars; ++i) text[i] = static_cast<wchar_t>(at[2 * i] | at[2 * i + 1] << 8);
    text[chars - 1] = 0;
}

void PutChars(BYTE* at, const wchar_t* text, size_t chars) { mixer_record::PutText(at, chars, text); }

void ToLine(const BYTE* bytes, MIXERLINEW& line) {
    namespace f = mixer_line;
    line = {};
    line.cbStruct = sizeof line;
    line.dwDestination = Get32(bytes + f::kDestination);
    line.dwSource = Get32(bytes + f::kSource);
    line.dwLineID = Get32(bytes + f::kLineId);
    line.dwComponentType = Get32(bytes + f::kComponentType);
    line.Target.dwType = Get32(bytes + f::kTargetType);
    line.Target.dwDeviceID = Get32(bytes + f::kTargetDeviceId);
    GetText(bytes + f::kTargetName, line.Target.szPname, MAXPNAMELEN);
}

void FromLine(const MIXERLINEW& line, BYTE* bytes) {
    namespace f = mixer_line;
    Put32(bytes + f::kDestination, line.dwDestination);
    Put32(bytes + f::kSource, line.dwSource);
    Put32(bytes + f::kLineId, line.dwLineID);
    Put32(bytes + f::kLineFlags, line.fdwLine);
    Put32(bytes + f::kUser, static_cast<DWORD>(line.dwUser));
    Put32(bytes + f::kComponentType, line.dwComponentType);
    Put32(bytes + f::kChannels, line.cChannels);
    Put32(bytes + f::kConnections, line.cConnections);
    Put32(bytes + f::kControls, line.cControls);
    PutChars(bytes + f::kShortName, line.szShortName, MIXER_SHORT_NAME_CHARS);
    PutChars(bytes + f::kName, line.szName, MIXER_LONG_NAME_CHARS);
    Put32(bytes + f::kTargetType, line.Target.dwType);
    Put32(bytes + f::kTargetDeviceId, line.Target.dwDeviceID);
    mixer_record::Put16(bytes + f::kTargetMid, line.Target.wMid);
    mixer_record::Put16(bytes + f::kTargetPid, line.Target.wPid);
    Put32(bytes + f::kTargetDriverVersion, line.Target.vDriverVersion);
    PutChars(bytes + f::kTargetName, line.Target.szPname, MAXPNAMELEN);
}

void FromControl(const MIXERCONTROLW& control, BYTE* bytes) {
    namespace f = mixer_control;
    std::memset(bytes, 0, f::kSize);
    Put32(bytes + f::kStructSize, f::kSize);
    Put32(bytes + f::kControlId, control.dwControlID);
    Put32(bytes + f::kControlType, control.dwControlType);
    Put32(bytes + f::kControlFlags, control.fdwControl);
    Put32(bytes + f::kMultipleItems, control.cMultipleItems);
    PutChars(bytes + f::kShortName, control.szShortName, MIXER_SHORT_NAME_CHARS);
    PutChars(bytes + f::kName, control.szName, MIXER_LONG_NAME_CHARS);
    Put32(bytes + f::kMinimum, control.Bounds.dwMinimum);
    Put32(bytes + f::kMaximum, control.Bounds.dwMaximum);
    Put32(bytes + f::kSteps, control.Metrics.cSteps);
}

MIXERCONTROLDETAILS ToDetails(const BYTE* request, void* values) {
    namespace f = mixer_details;
    MIXERCONTROLDETAILS details = {};
    details.cbStruct = sizeof details;
    details.dwControlID = Get32(request + f::kControlId);
    details.cChannels = Get32(request + f::kChannels);
    details.cMultipleItems = Get32(request + f::kMultipleItems);
    details.cbDetails = Get32(request + f::kDetailSize);
    details.paDetails = values;
    return details;
}

}  // namespace

UINT Win32Host::mixerGetNumDevs() { return ::mixerGetNumDevs(); }

MMRESULT Win32Host::waveOutOpen(HWAVEOUT* waveOut, UINT deviceId, const BYTE* format, DWORD_PTR callback,
                                DWORD_PTR instance, DWORD flags) {
    namespace f = wave_format;
    WAVEFORMATEX wave = {};
    wave.wFormatTag = static_cast<WORD>(format[f::kTag] | format[f::kTag + 1] << 8);
    wave.nChannels = static_cast<WORD>(format[f::kChannels] | format[f::kChannels + 1] << 8);
    wave.nSamplesPerSec = Get32(format + f::kSamplesPerSec);
    wave.nAvgBytesPerSec = Get32(format + f::kAvgBytesPerSec);
    wave.nBlockAlign = static_cast<WORD>(format[f::kBlockAlign] | format[f::kBlockAlign + 1] << 8);
    wave.wBitsPerSample = static_cast<WORD>(format[f::kBitsPerSample] | format[f::kBitsPerSample + 1] << 8);
    return ::waveOutOpen(waveOut, deviceId, &wave, callback, instance, flags);
}

MMRESULT Win32Host::waveOutClose(HWAVEOUT waveOut) { return ::waveOutClose(waveOut); }

MMRESULT Win32Host::mixerGetID(HMIXEROBJ object, UINT* mixerId, DWORD flags) {
    return ::mixerGetID(object, mixerId, flags);
}

MMRESULT Win32Host::mixerOpen(HMIXER* mixer, UINT mixerId, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) {
    return ::mixerOpen(mixer, mixerId, callback, instance, flags);
}

MMRESULT Win32Host::mixerClose(HMIXER mixer) { return ::mixerClose(mixer); }

MMRESULT Win32Host::mixerGetLineInfo(HMIXEROBJ mixer, BYTE* line, DWORD flags) {
    MIXERLINEW record;
    ToLine(line, record);
    MMRESULT result = ::mixerGetLineInfoW(mixer, &record, flags);
    if (result == MMSYSERR_NOERROR) FromLine(record, line);
    return result;
}

MMRESULT Win32Host::mixerGetLineControls(HMIXEROBJ mixer, BYTE* request, BYTE* controls, DWORD flags) {
    namespace f = mixer_line_controls;
    const DWORD count = Get32(request + f::kControls);
    std::vector<MIXERCONTROLW> records(count ? count : 1);
    MIXERLINECONTROLSW query = {};
    query.cbStruct = sizeof query;
    query.dwLineID = Get32(request + f::kLineId);
    query.dwControlType = Get32(request + f::kControlIdOrType);
    query.cControls = count;
    query.cbmxctrl = sizeof(MIXERCONTROLW);
    query.pamxctrl = records.data();
    MMRESULT result = ::mixerGetLineControlsW(mixer, &query, flags);
    if (result != MMSYSERR_NOERROR) return result;
    for (DWORD i = 0; i < count; ++i) FromControl(records[i], controls + i * mixer_control::kSize);
    return result;
}

MMRESULT Win32Host::mixerGetControlDetails(HMIXEROBJ mixer, const BYTE* request, BYTE* values, DWORD flags) {
    // The values are 32-bit on every build: the array is handed over as it is.
    MIXERCONTROLDETAILS details = ToDetails(request, values);
    return ::mixerGetControlDetailsW(mixer, &details, flags);
}

MMRESULT Win32Host::mixerSetControlDetails(HMIXEROBJ mixer, const BYTE* request, const BYTE* values,
                                           DWORD flags) {
    MIXERCONTROLDETAILS details = ToDetails(request, const_cast<BYTE*>(values));
    return ::mixerSetControlDetails(mixer, &details, flags);
}
