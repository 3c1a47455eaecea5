// The decryption step of firmware images that the configuration marks as
// stored encrypted. This player's images are stored as they run, so the step
// hands back an exact copy: there is no key, no block size and no cipher.
#pragma once

#include <cstdint>
#include <memory>

#include "updater/base/VrBase.h"

class CVrDecrypt : public CVrBase {
public:
    // Sets `outputLength` to `inputLength` and `output` to a new buffer of
    // that many bytes holding the decrypted input; the caller owns it. When
    // the buffer cannot be had the result code is -1 and `output` is left
    // as it was.
    CVrDecrypt(const uint8_t* input, uint32_t inputLength, std::unique_ptr<uint8_t[]>& output,
               uint32_t& outputLength);
};
