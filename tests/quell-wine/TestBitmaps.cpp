#include "tests/quell-wine/TestBitmaps.h"

HBITMAP MakeBitmap(int width, int height, const std::function<uint32_t(int x, int y)>& colour) {
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixels[y * width + x] = colour(x, y) & 0xFFFFFF;  // bytes blue, green, red
    }
    return bitmap;
}

std::vector<RECT> RegionRects(HRGN region) {
    const DWORD size = ::GetRegionData(region, 0, nullptr);
    if (size == 0) return {};
    std::vector<DWORD> room((size + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* data = reinterpret_cast<RGNDATA*>(room.data());
    if (::GetRegionData(region, size, data) != size) return {};
    const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
    return std::vector<RECT>(rects, rects + data->rdh.nCount);
}

HRGN RegionOf(const std::vector<RECT>& rects) {
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    for (const RECT& rect : rects) {
        HRGN part = ::CreateRectRgnIndirect(&rect);
        ::CombineRgn(region, region, part, RGN_OR);
        ::DeleteObject(part);
    }
    return region;
}

bool SameRects(const std::vector<RECT>& a, const std::vector<RECT>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (!::EqualRect(&a[i], &b[i])) return false;
    }
    return true;
}
