#include "framework/Bitmap.h"

#include "framework/DeviceContext.h"

void CBitmap::Attach(HBITMAP bitmap) {
    if (bitmap == m_bitmap) return;
    DeleteObject();
    m_bitmap = bitmap;
}

HBITMAP CBitmap::Detach() {
    HBITMAP bitmap = m_bitmap;
    m_bitmap = nullptr;
    return bitmap;
}

void CBitmap::DeleteObject() {
    if (m_bitmap) ::DeleteObject(m_bitmap);
    m_bitmap = nullptr;
}

bool CBitmap::CreateCompatibleBitmap(CDC* reference, int width, int height) {
    // A memory context would give a one-bit bitmap; without a window's
    // context the screen's format is the one wanted.
    HDC screen = reference && reference->GetSafeHdc() ? nullptr : ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen ? screen : reference->GetSafeHdc(), width, height);
    if (screen) ::ReleaseDC(nullptr, screen);
    if (!bitmap) return false;
    Attach(bitmap);
    return true;
}

bool CBitmap::GetBitmap(BITMAP* info) const {
    return m_bitmap && ::GetObjectW(m_bitmap, sizeof(BITMAP), info) == sizeof(BITMAP);
}
