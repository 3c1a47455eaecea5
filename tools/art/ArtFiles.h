// The file formats the picture generators write: a little-endian byte
// writer with RIFF chunks, bitmap headers, and icon files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class Bytes {
public:
    void U8(uint8_t value) { m_bytes.push_back(value); }
    void U16(uint16_t value) { U8(static_cast<uint8_t>(value)), U8(static_cast<uint8_t>(value >> 8)); }
    void U32(uint32_t value) { U16(static_cast<uint16_t>(value)), U16(static_cast<uint16_t>(value >> 16)); }
    void Tag(const char (&tag)[5]) { m_bytes.insert(m_bytes.end(), tag, tag + 4); }
    void Append(const std::vector<uint8_t>& bytes) { m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end()); }
    size_t Size() const { return m_bytes.size(); }

    // A RIFF chunk: its tag, a size filled in by End, and for lists the list type.
    size_t Begin(const char (&tag)[5]);
    size_t BeginList(const char (&tag)[5], const char (&type)[5]);
    void End(size_t start);

    // Writes the bytes to `path`; says so on standard error when it cannot.
    bool Save(const std::string& path) const;

private:
    std::vector<uint8_t> m_bytes;
};

// BITMAPINFOHEADER of an uncompressed bitmap.
void BitmapInfoHeader(Bytes& out, int width, int height, int bitCount, uint32_t imageBytes, uint32_t colours);

// One square image of an icon, 32-bit, top row first.
struct IconImage {
    int size;
    std::vector<uint8_t> bgra;
};

// An icon file: the directory, then per image a bitmap of twice the height
// holding the colour rows and the AND mask, both bottom row first.
Bytes IconFile(const std::vector<IconImage>& images);
