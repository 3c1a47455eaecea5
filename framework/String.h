// The text string the Windows front ends and Quell share, also across
// Quell's library boundary: Tavlo passes strings to Quell by value and by
// reference, and a string Quell fills is freed by Tavlo. Both link their
// own static runtime, so the characters live on the process heap, which
// every module of the process reaches alike, never on a runtime's heap.
//
// A string is one pointer: null when empty, else the characters of a heap
// block that starts with the length and the room. Copies copy the
// characters. When the heap has no room, the string is left empty.
#pragma once

#include <windows.h>

class CString {
public:
    CString() = default;
    CString(const wchar_t* text);  // NOLINT: converts, as string literals do
    CString(const wchar_t* text, int length);
    CString(const CString& other);
    CString(CString&& other) noexcept;
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const wchar_t* text);

    int GetLength() const;
    bool IsEmpty() const { return GetLength() == 0; }
    void Empty();
    const wchar_t* GetString() const { return m_chars ? m_chars : L""; }
    operator const wchar_t*() const { return GetString(); }
    wchar_t GetAt(int index) const { return GetString()[index]; }

    CString& operator+=(const wchar_t* text);
    CString& operator+=(const CString& text);
    CString& operator+=(wchar_t c);

    // Parts, clipped to the string.
    CString Left(int count) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;
    // The first index of `text` from `start`, or -1.
    int Find(const wchar_t* text, int start = 0) const;
    // As lstrcmpiW: less than, equal to or greater than 0.
    int CompareNoCase(const wchar_t* text) const;

    // Room for `minLength` characters and a terminator to write into; the
    // string's length is set again by ReleaseBuffer (-1: up to the first 0).
    // Null when the heap has no room.
    wchar_t* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

private:
    struct Block;
    Block* GetBlock() const;
    // Makes room for `length` characters, keeping the first `keep`; false,
    // and an empty string, when the heap has none.
    bool Reserve(int length, int keep);
    void Assign(const wchar_t* text, int length);
    void Append(const wchar_t* text, int length);
    void SetLength(int length);

    wchar_t* m_chars = nullptr;
};

CString operator+(const CString& left, const wchar_t* right);
CString operator+(const CString& left, const CString& right);
bool operator==(const CString& left, const wchar_t* right);
inline bool operator==(const wchar_t* left, const CString& right) { return right == left; }
inline bool operator!=(const CString& left, const wchar_t* right) { return !(left == right); }
