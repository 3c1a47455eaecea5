// The audio mixer's records as they cross the host seam: little-endian
// bytes at the offsets of the 32-bit system's layout, the same on both
// builds. A record's own pointer field (the control array of a control
// request, the value array of a details request) is not part of the bytes:
// the array travels as an argument of its own beside the record.
#pragma once

#include <cstdint>
#include <string>

#include "platform/WinTypes.h"

namespace mixer_record {

inline uint32_t Get32(const BYTE* at) {
    return static_cast<uint32_t>(at[0] | at[1] << 8 | at[2] << 16) | static_cast<uint32_t>(at[3]) << 24;
}
inline void Put32(BYTE* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<BYTE>(value >> (8 * i));
}
inline void Put16(BYTE* at, uint32_t value) {
    at[0] = static_cast<BYTE>(value);
    at[1] = static_cast<BYTE>(value >> 8);
}
// A text field of `chars` UTF-16 units, cut to fit with its terminator.
inline void PutText(BYTE* at, size_t chars, const std::wstring& text) {
    for (size_t i = 0; i < chars; ++i) Put16(at + 2 * i, i + 1 < chars && i < text.size() ? text[i] : 0);
}

}  // namespace mixer_record

// The wave format a wave output is opened with (WAVEFORMATEX).
namespace wave_format {
const DWORD kSize = 18;
const size_t kTag = 0;             // 16-bit; WAVE_FORMAT_PCM
const size_t kChannels = 2;        // 16-bit
const size_t kSamplesPerSec = 4;
const size_t kAvgBytesPerSec = 8;
const size_t kBlockAlign = 12;     // 16-bit
const size_t kBitsPerSample = 14;  // 16-bit
const size_t kExtraSize = 16;      // 16-bit, 0 for PCM
}  // namespace wave_format

// A line of the mixer (MIXERLINEW).
namespace mixer_line {
const DWORD kSize = 280;
const size_t kStructSize = 0;
const size_t kDestination = 4;
const size_t kSource = 8;
const size_t kLineId = 12;
const size_t kLineFlags = 16;
const size_t kUser = 20;
const size_t kComponentType = 24;
const size_t kChannels = 28;
const size_t kConnections = 32;
const size_t kControls = 36;
const size_t kShortName = 40;  // 16 characters
const size_t kName = 72;       // 64 characters
const size_t kTargetType = 200;
const size_t kTargetDeviceId = 204;
const size_t kTargetMid = 208;  // 16-bit
const size_t kTargetPid = 210;  // 16-bit
const size_t kTargetDriverVersion = 212;
const size_t kTargetName = 216;  // 32 characters
}  // namespace mixer_line

// A request for a line's controls (MIXERLINECONTROLSW, its array apart).
namespace mixer_line_controls {
const DWORD kSize = 24;
const size_t kStructSize = 0;
const size_t kLineId = 4;
const size_t kControlIdOrType = 8;
const size_t kControls = 12;     // records in the array
const size_t kControlSize = 16;  // bytes of each, mixer_control::kSize
}  // namespace mixer_line_controls

// One control (MIXERCONTROLW).
namespace mixer_control {
const DWORD kSize = 228;
const size_t kStructSize = 0;
const size_t kControlId = 4;
const size_t kControlType = 8;
const size_t kControlFlags = 12;
const size_t kMultipleItems = 16;
const size_t kShortName = 20;  // 16 characters
const size_t kName = 52;       // 64 characters
const size_t kMinimum = 180;
const size_t kMaximum = 184;
const size_t kSteps = 204;
}  // namespace mixer_control

// A request for a control's values (MIXERCONTROLDETAILS, its array apart).
// The values are 32-bit each (unsigned or boolean), ordered by item, then
// channel.
namespace mixer_details {
const DWORD kSize = 24;
const size_t kStructSize = 0;
const size_t kControlId = 4;
const size_t kChannels = 8;
const size_t kMultipleItems = 12;
const size_t kDetailSize = 16;  // bytes of one value, 4
const DWORD kValueSize = 4;
}  // namespace mixer_details
