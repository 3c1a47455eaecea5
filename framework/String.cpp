#include "framework/String.h"

#include <cwchar>

struct CString::Block {
    int length;
    int room;  // characters, the terminator not counted
};

namespace {

// The characters follow the block header, aligned for wchar_t.
const size_t kHeader = (sizeof(int) * 2 + sizeof(wchar_t) - 1) / sizeof(wchar_t) * sizeof(wchar_t);

wchar_t* CharsOf(void* block) { return reinterpret_cast<wchar_t*>(static_cast<char*>(block) + kHeader); }

int Clip(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

}  // namespace

CString::CString(const wchar_t* text) { Assign(text, text ? static_cast<int>(std::wcslen(text)) : 0); }

CString::CString(const wchar_t* text, int length) { Assign(text, text && length > 0 ? length : 0); }

CString::CString(const CString& other) { Assign(other.GetString(), other.GetLength()); }

CString::CString(CString&& other) noexcept : m_chars(other.m_chars) { other.m_chars = nullptr; }

CString::~CString() { Empty(); }

CString& CString::operator=(const CString& other) {
    if (this != &other) Assign(other.GetString(), other.GetLength());
    return *this;
}

CString& CString::operator=(CString&& other) noexcept {
    if (this != &other) {
        Empty();
        m_chars = other.m_chars;
        other.m_chars = nullptr;
    }
    return *this;
}

CString& CString::operator=(const wchar_t* text) {
    // The text may lie in this very string.
    CString copy(text);
    return *this = static_cast<CString&&>(copy);
}

CString::Block* CString::GetBlock() const {
    return m_chars ? reinterpret_cast<Block*>(reinterpret_cast<char*>(m_chars) - kHeader) : nullptr;
}

int CString::GetLength() const { return m_chars ? GetBlock()->length : 0; }

void CString::Empty() {
    if (m_chars) ::HeapFree(::GetProcessHeap(), 0, GetBlock());
    m_chars = nullptr;
}

bool CString::Reserve(int length, int keep) {
    Block* block = GetBlock();
    if (block && block->room >= length) return true;
    const size_t bytes = kHeader + (static_cast<size_t>(length) + 1) * sizeof(wchar_t);
    void* grown = ::HeapAlloc(::GetProcessHeap(), 0, bytes);
    if (!grown) {
        Empty();
        return false;
    }
    Block* fresh = static_cast<Block*>(grown);
    fresh->room = length;
    fresh->length = keep;
    if (keep > 0) std::wmemcpy(CharsOf(grown), m_chars, static_cast<size_t>(keep));
    CharsOf(grown)[keep] = 0;
    Empty();
    m_chars = CharsOf(grown);
    return true;
}

void CString::SetLength(int length) {
    GetBlock()->length = length;
    m_chars[length] = 0;
}

void CString::Assign(const wchar_t* text, int length) {
    if (length == 0) {
        Empty();
        return;
    }
    CString fresh;  // `text` may lie in this string
    if (!fresh.Reserve(length, 0)) {
        Empty();
        return;
    }
    std::wmemcpy(fresh.m_chars, text, static_cast<size_t>(length));
    fresh.SetLength(length);
    *this = static_cast<CString&&>(fresh);
}

void CString::Append(const wchar_t* text, int length) {
    if (length <= 0) return;
    const int old = GetLength();
    CString joined;
    if (!joined.Reserve(old + length, 0)) {
        Empty();
        return;
    }
    if (old > 0) std::wmemcpy(joined.m_chars, m_chars, static_cast<size_t>(old));
    std::wmemcpy(joined.m_chars + old, text, static_cast<size_t>(length));
    joined.SetLength(old + length);
    *this = static_cast<CString&&>(joined);
}

CString& CString::operator+=(const wchar_t* text) {
    Append(text, text ? static_cast<int>(std::wcslen(text)) : 0);
    return *this;
}

CString& CString::operator+=(const CString& text) {
    Append(text.GetString(), text.GetLength());
    return *this;
}

CString& CString::operator+=(wchar_t c) {
    Append(&c, 1);
    return *this;
}

CString CString::Left(int count) const { return CString(GetString(), Clip(count, 0, GetLength())); }

CString CString::Mid(int first, int count) const {
    first = Clip(first, 0, GetLength());
    return CString(GetString() + first, Clip(count, 0, GetLength() - first));
}

CString CString::Right(int count) const {
    count = Clip(count, 0, GetLength());
    return CString(GetString() + GetLength() - count, count);
}

int CString::Find(const wchar_t* text, int start) const {
    if (!text || start < 0 || start > GetLength()) return -1;
    const wchar_t* found = std::wcsstr(GetString() + start, text);
    return found ? static_cast<int>(found - GetString()) : -1;
}

int CString::CompareNoCase(const wchar_t* text) const { return ::lstrcmpiW(GetString(), text ? text : L""); }

wchar_t* CString::GetBuffer(int minLength) {
    const int length = GetLength();
    if (!Reserve(minLength > length ? minLength : length, length)) return nullptr;
    return m_chars;
}

void CString::ReleaseBuffer(int newLength) {
    if (!m_chars) return;
    const int room = GetBlock()->room;
    // Without a length, up to the first terminator within the room.
    int length = 0;
    if (newLength < 0) {
        while (length < room && m_chars[length] != 0) ++length;
    } else {
        length = newLength < room ? newLength : room;
    }
    SetLength(length);
}

CString operator+(const CString& left, const wchar_t* right) {
    CString joined(left);
    joined += right;
    return joined;
}

CString operator+(const CString& left, const CString& right) {
    CString joined(left);
    joined += right;
    return joined;
}

bool operator==(const CString& left, const wchar_t* right) {
    return std::wcscmp(left.GetString(), right ? right : L"") == 0;
}
