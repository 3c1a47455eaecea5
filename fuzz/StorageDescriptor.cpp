// The storage device descriptor a drive answers (Windows 2000 and later):
// the texts taken from it are single-byte characters up to their
// terminator, read within what the driver returned.
#include <cstdint>

#include "fuzz/AnswerHost.h"
#include "fuzz/FuzzInput.h"
#include "usbsupport/QuellRecords.h"
#include "usbsupport/QuellStorageIdentity.h"

namespace {

bool IsText(const std::wstring& text) {
    for (wchar_t c : text) {
        if (c == 0 || c > 0xFF) return false;
    }
    return text.size() < StorageDescriptorField::kDescriptorSize;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SimMachine machine;
    static AnswerHost host(machine, nullptr, 0);
    host.Replay(data, size);
    std::wstring vendor, product;
    if (StorageIdentity(host, L'E', vendor, product)) FUZZ_CHECK(IsText(vendor) && IsText(product));
    return 0;
}
