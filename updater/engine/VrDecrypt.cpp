#include "updater/engine/VrDecrypt.h"

#include <cstring>
#include <new>

#include "updater/base/VrResult.h"

CVrDecrypt::CVrDecrypt(const uint8_t* input, uint32_t inputLength, std::unique_ptr<uint8_t[]>& output,
                       uint32_t& outputLength)
    : CVrBase("CVrDecrypt") {
    outputLength = inputLength;
    std::unique_ptr<uint8_t[]> plain(new (std::nothrow) uint8_t[inputLength]);
    if (!plain) {
        SetResult(kVrNoMemory);
        return;
    }
    if (inputLength != 0) std::memcpy(plain.get(), input, inputLength);
    output = std::move(plain);
}
