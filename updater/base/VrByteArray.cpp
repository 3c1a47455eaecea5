#include "updater/base/VrByteArray.h"

#include <cstring>

template class CVrFixedArray<uint8_t>;

// Written so that no sum can wrap: a huge offset must fail, not alias the
// start of the array.
bool CVrByteArray::Holds(uint32_t offset, uint32_t size) const {
    return offset <= m_count && size <= m_count - offset;
}

uint64_t CVrByteArray::ReadBigEndian(uint32_t offset, uint32_t size) const {
    uint64_t value = 0;
    for (uint32_t i = 0; i < size; ++i) value = (value << 8) | m_elements[offset + i];
    return value;
}

void CVrByteArray::WriteBigEndian(uint64_t value, uint32_t offset, uint32_t size) {
    for (uint32_t i = size; i-- > 0;) {
        m_elements[offset + i] = static_cast<uint8_t>(value);
        value >>= 8;
    }
}

int32_t CVrByteArray::GetWord(uint16_t& out, uint32_t offset) const {
    if (!Holds(offset, 2)) return kVrFieldOutOfRange;
    out = static_cast<uint16_t>(ReadBigEndian(offset, 2));
    return kVrOk;
}

int32_t CVrByteArray::GetDword(uint32_t& out, uint32_t offset) const {
    if (!Holds(offset, 4)) return kVrFieldOutOfRange;
    out = static_cast<uint32_t>(ReadBigEndian(offset, 4));
    return kVrOk;
}

int32_t CVrByteArray::GetQword(uint64_t& out, uint32_t offset) const {
    if (!Holds(offset, 8)) return kVrFieldOutOfRange;
    out = ReadBigEndian(offset, 8);
    return kVrOk;
}

int32_t CVrByteArray::GetBool(bool& out, uint32_t offset) const {
    if (!Holds(offset, 1)) return kVrFieldOutOfRange;
    out = m_elements[offset] != 0;
    return kVrOk;
}

int32_t CVrByteArray::GetBytes(void* dst, uint32_t count, uint32_t offset) const {
    if (!Holds(offset, count)) return kVrFieldOutOfRange;
    if (count != 0) std::memcpy(dst, m_elements + offset, count);
    return kVrOk;
}

int32_t CVrByteArray::SetWord(uint16_t value, uint32_t offset) {
    if (!Holds(offset, 2)) return kVrFieldOutOfRange;
    WriteBigEndian(value, offset, 2);
    return kVrOk;
}

int32_t CVrByteArray::SetDword(uint32_t value, uint32_t offset) {
    if (!Holds(offset, 4)) return kVrFieldOutOfRange;
    WriteBigEndian(value, offset, 4);
    return kVrOk;
}

int32_t CVrByteArray::SetQword(uint64_t value, uint32_t offset) {
    if (!Holds(offset, 8)) return kVrFieldOutOfRange;
    WriteBigEndian(value, offset, 8);
    return kVrOk;
}

int32_t CVrByteArray::SetBytes(const void* src, uint32_t count, uint32_t offset) {
    if (!Holds(offset, count)) return kVrFieldOutOfRange;
    if (count != 0) std::memcpy(m_elements + offset, src, count);
    return kVrOk;
}

bool CVrByteArray::IsEqual(const CVrByteArray& other) const {
    return m_count == other.m_count &&
           (m_count == 0 || std::memcmp(m_elements, other.m_elements, m_count) == 0);
}

std::wstring CVrByteArray::ToString() const {
    static const wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring text;
    for (uint32_t i = 0; i < m_count; ++i) {
        if (i != 0) text += L", ";
        text += L"0x";
        const uint8_t byte = m_elements[i];
        if (byte >= 0x10) text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}
