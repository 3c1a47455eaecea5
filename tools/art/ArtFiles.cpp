#include "ArtFiles.h"

#include <cstdio>
#include <fstream>

size_t Bytes::Begin(const char (&tag)[5]) {
    Tag(tag);
    U32(0);
    return Size();
}

size_t Bytes::BeginList(const char (&tag)[5], const char (&type)[5]) {
    const size_t start = Begin(tag);
    Tag(type);
    return start;
}

void Bytes::End(size_t start) {
    const uint32_t size = static_cast<uint32_t>(Size() - start);
    for (int b = 0; b < 4; ++b) m_bytes[start - 4 + b] = static_cast<uint8_t>(size >> (8 * b));
    if (size % 2) U8(0);
}

bool Bytes::Save(const std::string& path) const {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(m_bytes.data()), static_cast<std::streamsize>(m_bytes.size()));
    file.close();
    if (!file) std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return static_cast<bool>(file);
}

void BitmapInfoHeader(Bytes& out, int width, int height, int bitCount, uint32_t imageBytes, uint32_t colours) {
    out.U32(40), out.U32(width), out.U32(height), out.U16(1), out.U16(bitCount);
    out.U32(0);  // BI_RGB
    out.U32(imageBytes), out.U32(0), out.U32(0), out.U32(colours), out.U32(0);
}

Bytes IconFile(const std::vector<IconImage>& images) {
    Bytes out;
    out.U16(0), out.U16(1), out.U16(static_cast<uint16_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    std::vector<uint32_t> sizes;
    for (const IconImage& image : images) {
        const uint32_t maskRow = (image.size + 31) / 32 * 4;
        sizes.push_back(40 + image.size * image.size * 4 + maskRow * image.size);
        out.U8(static_cast<uint8_t>(image.size)), out.U8(static_cast<uint8_t>(image.size)), out.U8(0), out.U8(0);
        out.U16(1), out.U16(32), out.U32(sizes.back()), out.U32(offset);
        offset += sizes.back();
    }
    for (size_t i = 0; i < images.size(); ++i) {
        const IconImage& image = images[i];
        const int n = image.size;
        const uint32_t maskRow = (n + 31) / 32 * 4;
        BitmapInfoHeader(out, n, 2 * n, 32, sizes[i] - 40, 0);
        for (int y = n - 1; y >= 0; --y)
            out.Append({image.bgra.begin() + y * n * 4, image.bgra.begin() + (y + 1) * n * 4});
        // Systems without alpha draw through the mask: mostly clear pixels stay clear.
        for (int y = n - 1; y >= 0; --y) {
            std::vector<uint8_t> row(maskRow, 0);
            for (int x = 0; x < n; ++x)
                if (image.bgra[(y * n + x) * 4 + 3] < 128) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            out.Append(row);
        }
    }
    return out;
}
