// A device context: one the object made (a memory context, deleted when
// the object goes) or one it borrows (a window's, left to its owner).
#pragma once

#include <windows.h>

class CDC {
public:
    CDC() = default;
    explicit CDC(HDC borrowed) : m_dc(borrowed) {}
    ~CDC() { DeleteDC(); }
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_dc; }
    operator HDC() const { return m_dc; }

    // A memory context compatible with the reference (the screen without one).
    bool CreateCompatibleDC(CDC* reference);
    // Deletes a context the object made; lets go of a borrowed one.
    void DeleteDC();

    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_dc, object); }
    bool BitBlt(int x, int y, int width, int height, const CDC& source, int sourceX, int sourceY, DWORD operation);
    bool StretchBlt(int x, int y, int width, int height, const CDC& source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, DWORD operation);

private:
    HDC m_dc = nullptr;
    bool m_made = false;
};
