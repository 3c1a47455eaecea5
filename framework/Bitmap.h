// A bitmap the object owns: it deletes the bitmap when it goes or takes
// another. Copying is not allowed; a bitmap made in one module may be
// freed in another (GDI objects belong to the process).
#pragma once

#include <windows.h>

class CDC;

class CBitmap {
public:
    CBitmap() = default;
    ~CBitmap() { DeleteObject(); }
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    HBITMAP GetSafeHandle() const { return m_bitmap; }
    operator HBITMAP() const { return m_bitmap; }

    // Takes ownership of `bitmap`, deleting the one held before.
    void Attach(HBITMAP bitmap);
    HBITMAP Detach();
    void DeleteObject();

    // A bitmap of the reference context's format (the screen's without one).
    bool CreateCompatibleBitmap(CDC* reference, int width, int height);
    bool GetBitmap(BITMAP* info) const;

private:
    HBITMAP m_bitmap = nullptr;
};
