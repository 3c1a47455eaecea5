// The bitmap-to-region exports: the runs come from RegionRuns, the regions
// from GDI.
#include "usbsupport/Quell.h"
#include "usbsupport/QuellHost.h"
#include "usbsupport/QuellSystem.h"
#include "usbsupport/QuellTexts.h"
#include "usbsupport/RegionRuns.h"

namespace {

// QWndSetupBmp cuts out white: 16 up from each component, capped at 255.
const unsigned long kWhite = 0xFFFFFFFF;
const unsigned long kWhiteTolerance = 0x101010;
const size_t kSectionGrowth = 100;  // rectangles at a time
const size_t kListGrowth = 40;

// Merges one batch of rectangles into the region built so far.
class RegionBuilder {
public:
    ~RegionBuilder() {
        if (m_region) ::DeleteObject(m_region);
    }
    void Merge(const RegionData& data) {
        if (m_failed) return;
        HRGN part = ::ExtCreateRegion(nullptr, data.Size(), reinterpret_cast<const RGNDATA*>(data.Bytes()));
        if (!part) {
            m_failed = true;  // a region without those rectangles would be the wrong outline
            return;
        }
        if (!m_region) {
            m_region = part;
            return;
        }
        if (::CombineRgn(m_region, m_region, part, RGN_OR) == ERROR) m_failed = true;
        ::DeleteObject(part);
    }
    // The region, or null when a batch failed.
    HRGN Take() {
        HRGN region = m_failed ? nullptr : m_region;
        if (region) m_region = nullptr;
        return region;
    }

private:
    HRGN m_region = nullptr;
    bool m_failed = false;
};

}  // namespace

HRGN __cdecl BitmapToRegion(HBITMAP bitmap, unsigned long colour, unsigned long tolerance) {
    if (!bitmap) return nullptr;
    CDC copy;
    if (!copy.CreateCompatibleDC(nullptr)) return nullptr;
    BITMAP info;
    if (::GetObjectW(bitmap, sizeof info, &info) != sizeof info || info.bmWidth <= 0 || info.bmHeight <= 0) {
        return nullptr;
    }
    // A 32-bit bottom-up copy of the bitmap, read in memory.
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = info.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = ::CreateDIBSection(copy, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section) return nullptr;
    HGDIOBJ copyWas = copy.SelectObject(section);
    CDC source;
    HRGN result = nullptr;
    if (source.CreateCompatibleDC(&copy)) {
        HGDIOBJ sourceWas = source.SelectObject(bitmap);
        copy.BitBlt(0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
        ::GdiFlush();  // the copy is complete before its bits are read
        source.SelectObject(sourceWas);

        const ptrdiff_t rowBytes = static_cast<ptrdiff_t>(info.bmWidth) * 4;
        const auto* top = static_cast<const uint8_t*>(bits) + (info.bmHeight - 1) * rowBytes;
        RegionData data(kSectionGrowth);
        RegionBuilder builder;
        ExtractOpaqueRuns(top, -rowBytes, info.bmWidth, info.bmHeight, TransparentRange(colour, tolerance), data,
                          [&builder](const RegionData& batch) { builder.Merge(batch); });
        result = builder.Take();
    }
    copy.SelectObject(copyWas);
    ::DeleteObject(section);
    return result;
}

HRGN __cdecl CreateRgnFromBitmap(HBITMAP bitmap, unsigned long colour) {
    if (!bitmap) return nullptr;
    BITMAP info;
    CDC dc;
    if (::GetObjectW(bitmap, sizeof info, &info) != sizeof info || !dc.CreateCompatibleDC(nullptr)) return nullptr;
    HGDIOBJ was = dc.SelectObject(bitmap);
    const COLORREF cut = colour & 0xFFFFFF;
    RegionData list(kListGrowth);
    for (LONG y = 0; y < info.bmHeight; ++y) {
        ForEachRun(
            info.bmWidth, [&](int32_t x) { return ::GetPixel(dc, x, y) != cut; },
            [&](int32_t first, int32_t end) { list.Add({first, y, end, y + 1}); });
    }
    dc.SelectObject(was);
    HRGN result = ::CreateRectRgn(0, 0, 0, 0);
    for (uint32_t i = 0; result && i < list.Count(); ++i) {
        const RegionRect rect = list.Rect(i);
        HRGN part = ::CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom);
        ::CombineRgn(result, result, part, RGN_OR);
        ::DeleteObject(part);
    }
    return result;
}

void __cdecl QWndSetupBmp(CWnd* window, CBitmap& bitmap) {
    if (!window || !window->GetHandle()) return;
    HWND handle = window->GetHandle();
    const QuellTexts& texts = TextsFor(SystemLanguageCode(QuellApplication().host()));
    HRGN region = bitmap.GetSafeHandle() ? BitmapToRegion(bitmap, kWhite, kWhiteTolerance) : nullptr;
    if (!region) {
        ::MessageBoxW(handle, texts.noRegion, texts.warning, MB_OK | MB_ICONWARNING);
    } else if (!::SetWindowRgn(handle, region, TRUE)) {
        ::MessageBoxW(handle, texts.regionRefused, texts.warning, MB_OK | MB_ICONWARNING);
        ::DeleteObject(region);
    }  // else the window owns the region
    ::InvalidateRect(handle, nullptr, TRUE);
}

void __cdecl CopyBitmap(CDC* reference, CBitmap& destination, const CBitmap& source, RECT rect) {
    if (!source.GetSafeHandle()) return;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    // An empty or inverted rectangle has nothing to copy; the destination keeps what it holds.
    if (width <= 0 || height <= 0) return;
    if (!destination.CreateCompatibleBitmap(reference, width, height)) return;
    CDC to, from;
    if (!to.CreateCompatibleDC(reference) || !from.CreateCompatibleDC(reference)) return;
    HGDIOBJ toWas = to.SelectObject(destination.GetSafeHandle());
    HGDIOBJ fromWas = from.SelectObject(source.GetSafeHandle());
    to.StretchBlt(0, 0, width, height, from, rect.left, rect.top, width, height, SRCCOPY);
    from.SelectObject(fromWas);
    to.SelectObject(toWas);
}
