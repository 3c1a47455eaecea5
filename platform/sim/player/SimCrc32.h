// CRC-32 with the common reflected polynomial 0xEDB88320: the state file's
// checksum, and the one that closes every firmware image (its last four
// bytes, little-endian, over the bytes before them).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/WinTypes.h"

// Continues `crc` (0 to start) over `length` more bytes.
uint32_t SimCrc32(uint32_t crc, const BYTE* data, size_t length);
