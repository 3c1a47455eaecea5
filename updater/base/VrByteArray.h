// The engine's byte buffer: command blocks, transfers, sense data and firmware
// images. The player's records are big-endian, so multi-byte fields are read
// and written most significant byte first. A field that does not lie wholly
// inside the array gives kVrFieldOutOfRange and leaves everything untouched.
#pragma once

#include <cstdint>
#include <string>

#include "updater/base/VrFixedArray.h"

extern template class CVrFixedArray<uint8_t>;

class CVrByteArray : public CVrFixedArray<uint8_t> {
public:
    explicit CVrByteArray(uint32_t count, const char* name = "CVrByteArray")
        : CVrFixedArray<uint8_t>(count, name) {}

    int32_t GetWord(uint16_t& out, uint32_t offset) const;
    int32_t GetDword(uint32_t& out, uint32_t offset) const;
    int32_t GetQword(uint64_t& out, uint32_t offset) const;
    int32_t GetBool(bool& out, uint32_t offset) const;
    int32_t GetBytes(void* dst, uint32_t count, uint32_t offset) const;

    int32_t SetWord(uint16_t value, uint32_t offset);
    int32_t SetDword(uint32_t value, uint32_t offset);
    int32_t SetQword(uint64_t value, uint32_t offset);
    int32_t SetBytes(const void* src, uint32_t count, uint32_t offset);

    bool IsEqual(const CVrByteArray& other) const;

    // "0x70, 0x0, 0x5": how sense bytes appear in a failure's details.
    std::wstring ToString() const;

private:
    bool Holds(uint32_t offset, uint32_t size) const;
    uint64_t ReadBigEndian(uint32_t offset, uint32_t size) const;
    void WriteBigEndian(uint64_t value, uint32_t offset, uint32_t size);
};
