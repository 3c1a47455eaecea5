#include "manager/controls/BitmapPieces.h"

#include "framework/Bitmap.h"
#include "framework/DeviceContext.h"
#include "manager/app/Tiling.h"

HBITMAP CutFrame(HBITMAP source, int x, int width, int height) {
    CDC from, to;
    CBitmap frame;
    if (!from.CreateCompatibleDC(nullptr) || !to.CreateCompatibleDC(nullptr) ||
        !frame.CreateCompatibleBitmap(nullptr, width, height)) {
        return nullptr;
    }
    HGDIOBJ fromWas = from.SelectObject(source);
    HGDIOBJ toWas = to.SelectObject(frame);
    to.BitBlt(0, 0, width, height, from, x, 0, SRCCOPY);
    to.SelectObject(toWas);
    from.SelectObject(fromWas);
    return frame.Detach();
}

void TileOver(HDC target, HDC source, const RECT& part, int tileWidth, int tileHeight) {
    for (const Tile& row : TileSpan(part.bottom - part.top, tileHeight)) {
        for (const Tile& column : TileSpan(part.right - part.left, tileWidth)) {
            ::BitBlt(target, part.left + column.offset, part.top + row.offset, column.length, row.length, source, 0,
                     0, SRCCOPY);
        }
    }
}

std::vector<uint8_t> TopDownPixels(HBITMAP bitmap, int& width, int& height) {
    std::vector<uint8_t> pixels;
    BITMAP info;
    if (!bitmap || ::GetObjectW(bitmap, sizeof info, &info) != sizeof info || info.bmWidth <= 0 ||
        info.bmHeight <= 0) {
        return pixels;
    }
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    pixels.resize(static_cast<size_t>(width) * height * 4);
    HDC screen = ::GetDC(nullptr);
    const int rows = ::GetDIBits(screen, bitmap, 0, height, pixels.data(), &format, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (rows != height) pixels.clear();
    return pixels;
}
