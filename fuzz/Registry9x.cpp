// The device nodes of Windows 95, 98 and Me in the registry: each drive
// letter's entry is that letter's, and its texts are the values' texts up
// to their terminator, never longer than the value buffer.
#include <cstdint>

#include "fuzz/AnswerHost.h"
#include "fuzz/FuzzInput.h"
#include "usbsupport/QuellDevNodes9x.h"

namespace {

const size_t kValueChars = 260;

bool IsValueText(const std::wstring& text) {
    return text.size() < kValueChars + 1 && text.find(L'\0') == std::wstring::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SimMachine machine;
    static AnswerHost host(machine, nullptr, 0);
    host.Replay(data, size);
    const std::array<DriveIdentity9x, 26> table = ReadDriveTable9x(host);
    for (size_t i = 0; i < table.size(); ++i) {
        const DriveIdentity9x& drive = table[i];
        FUZZ_CHECK(drive.letter == 0 || drive.letter == static_cast<wchar_t>(L'A' + i));
        FUZZ_CHECK(IsValueText(drive.manufacturer) && IsValueText(drive.product));
    }
    return 0;
}
