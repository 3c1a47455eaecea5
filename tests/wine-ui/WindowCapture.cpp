#include "tests/wine-ui/WindowCapture.h"

#include <cstdio>
#include <vector>

namespace {

// Rows of a 24-bit DIB are padded to whole 32-bit words.
LONG RowBytes(LONG width) { return (width * 3 + 3) & ~3; }

bool WriteBmp(const std::wstring& path, const BITMAPINFOHEADER& header, const void* bits, std::string& error) {
    const DWORD imageSize = static_cast<DWORD>(RowBytes(header.biWidth) * header.biHeight);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageSize;
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out) {
        error = "cannot create the picture file";
        return false;
    }
    bool written = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&header, sizeof header, 1, out) == 1 &&
                   std::fwrite(bits, imageSize, 1, out) == 1;
    if (std::fclose(out) != 0) written = false;
    if (!written) error = "cannot write the picture file";
    return written;
}

}  // namespace

bool CaptureWindow(HWND window, const std::wstring& path, std::string& error) {
    RECT bounds;
    if (!GetWindowRect(window, &bounds)) {
        error = "the window is gone";
        return false;
    }
    const LONG width = bounds.right - bounds.left;
    const LONG height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0) {
        error = "the window has no size";
        return false;
    }

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as BMP files keep their rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool captured = false;
    if (picture && memory) {
        HGDIOBJ previous = SelectObject(memory, picture);
        captured = BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY | CAPTUREBLT) != 0;
        GdiFlush();
        SelectObject(memory, previous);
    }
    if (!captured) error = "the screen could not be copied";
    if (captured) captured = WriteBmp(path, info.bmiHeader, bits, error);
    if (picture) DeleteObject(picture);
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return captured;
}
