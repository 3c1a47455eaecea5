#include "platform/sim/player/SimFatRecords.h"

#include <cstring>

#include "platform/sim/SimPath.h"

namespace {

const BYTE kLowerBase = 0x08;
const BYTE kLowerExtension = 0x10;
const uint32_t kLastOrdinal = 0x40;
const uint32_t kMaxLongNameEntries = 20;  // 255 characters
// Where the 13 characters of a long-name entry sit.
const int kLongNameOffsets[kSimFatLongNameChars] = {1, 3, 5, 7, 9, 14, 16, 18, 20, 22, 24, 28, 30};

bool IsShortNameChar(wchar_t c) {
    if ((c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9')) return true;
    return c != 0 && std::wcschr(L"$%'-_@~`!(){}^#&", c) != nullptr;
}

// Long names are kept in UTF-16 units; the simulated PC's names stay in the
// basic plane.
bool OutsideBasicPlane(uint32_t c) { return c > 0xFFFF; }

bool IsLower(wchar_t c) { return c >= L'a' && c <= L'z'; }
bool IsUpper(wchar_t c) { return c >= L'A' && c <= L'Z'; }

// Fits one part (base or extension) of an 8.3 name, all in one case.
bool FitsPart(const std::wstring& part, size_t room, BYTE* out, bool& lower) {
    if (part.size() > room) return false;
    bool anyLower = false, anyUpper = false;
    for (size_t i = 0; i < part.size(); ++i) {
        wchar_t c = part[i];
        anyLower |= IsLower(c);
        anyUpper |= IsUpper(c);
        wchar_t upper = IsLower(c) ? static_cast<wchar_t>(c - 32) : c;
        if (!IsShortNameChar(upper)) return false;
        out[i] = static_cast<BYTE>(upper);
    }
    lower = anyLower;
    return !(anyLower && anyUpper);
}

wchar_t ShortChar(BYTE c, bool lower) {
    wchar_t wide = c;  // OEM bytes above 0x7F are taken as Latin-1
    return lower && c >= 'A' && c <= 'Z' ? static_cast<wchar_t>(wide + 32) : wide;
}

}  // namespace

std::wstring SimFatShortName(const BYTE* entry) {
    BYTE caseBits = entry[SimFatField::kCase];
    std::wstring name;
    for (int i = 0; i < 8; ++i) {
        // 0x05 stands for a first byte of 0xE5, which marks deleted entries.
        BYTE c = i == 0 && entry[0] == 0x05 ? kSimFatDeleted : entry[i];
        name += ShortChar(c, (caseBits & kLowerBase) != 0);
    }
    name.erase(name.find_last_not_of(L' ') + 1);
    std::wstring extension;
    for (int i = 8; i < 11; ++i) extension += ShortChar(entry[i], (caseBits & kLowerExtension) != 0);
    extension.erase(extension.find_last_not_of(L' ') + 1);
    return extension.empty() ? name : name + L"." + extension;
}

BYTE SimFatChecksum(const BYTE* name11) {
    BYTE sum = 0;
    for (int i = 0; i < 11; ++i) sum = static_cast<BYTE>(((sum & 1) << 7) + (sum >> 1) + name11[i]);
    return sum;
}

bool SimFatFitsShortName(const std::wstring& name, BYTE* name11, BYTE& caseBits) {
    std::memset(name11, ' ', 11);
    size_t dot = name.find(L'.');
    if (dot != std::wstring::npos && name.find(L'.', dot + 1) != std::wstring::npos) return false;
    std::wstring base = name.substr(0, dot);
    std::wstring extension = dot == std::wstring::npos ? L"" : name.substr(dot + 1);
    if (base.empty() || (dot != std::wstring::npos && extension.empty())) return false;
    bool lowerBase = false, lowerExtension = false;
    if (!FitsPart(base, 8, name11, lowerBase) || !FitsPart(extension, 3, name11 + 8, lowerExtension)) return false;
    if (name11[0] == kSimFatDeleted) name11[0] = 0x05;
    caseBits = static_cast<BYTE>((lowerBase ? kLowerBase : 0) | (lowerExtension ? kLowerExtension : 0));
    return true;
}

void SimFatAlias(const std::wstring& name, unsigned number, BYTE* name11) {
    std::memset(name11, ' ', 11);
    std::wstring upper = SimUpper(name);
    size_t dot = upper.rfind(L'.');
    if (dot == 0) dot = std::wstring::npos;  // a leading dot starts no extension
    std::wstring base, extension;
    for (size_t i = 0; i < upper.size(); ++i) {
        wchar_t c = upper[i];
        if (c == L' ' || c == L'.') continue;
        wchar_t kept = IsShortNameChar(c) ? c : L'_';
        if (dot != std::wstring::npos && i > dot) {
            if (extension.size() < 3) extension += kept;
        } else {
            base += kept;
        }
    }
    std::wstring tail = L"~" + std::to_wstring(number);
    if (base.empty()) base = L"_";
    base = base.substr(0, 8 - tail.size()) + tail;
    for (size_t i = 0; i < base.size(); ++i) name11[i] = static_cast<BYTE>(base[i]);
    for (size_t i = 0; i < extension.size(); ++i) name11[8 + i] = static_cast<BYTE>(extension[i]);
}

bool SimFatValidName(const std::wstring& name) {
    if (name.empty() || name.size() > 255) return false;
    if (name.find_first_not_of(L'.') == std::wstring::npos) return false;
    if (name.back() == L'.' || name.back() == L' ') return false;  // Windows would have cut them off
    for (wchar_t c : name) {
        if (c < 32 || OutsideBasicPlane(static_cast<uint32_t>(c)) || std::wcschr(L"\\/:*?\"<>|", c)) return false;
    }
    return true;
}

uint32_t SimFatLongNameSlots(const std::wstring& name) {
    return static_cast<uint32_t>((name.size() + kSimFatLongNameChars - 1) / kSimFatLongNameChars);
}

void SimFatPutLongName(BYTE* entry, const std::wstring& name, uint32_t ordinal, bool last, BYTE checksum) {
    std::memset(entry, 0, 32);
    entry[0] = static_cast<BYTE>(ordinal | (last ? kLastOrdinal : 0));
    entry[SimFatField::kAttributes] = kSimFatLongName;
    entry[13] = checksum;
    for (uint32_t i = 0; i < kSimFatLongNameChars; ++i) {
        size_t at = (ordinal - 1) * kSimFatLongNameChars + i;
        // The name ends with one 0 character; the rest of the entry is 0xFFFF.
        uint32_t c = at < name.size() ? static_cast<uint32_t>(name[at]) : at == name.size() ? 0 : 0xFFFF;
        SimPut16(entry + kLongNameOffsets[i], c);
    }
}

void SimFatPutStamp(BYTE* at, const SYSTEMTIME& stamp) {
    unsigned year = stamp.wYear < 1980 ? 0 : stamp.wYear > 2107 ? 127 : stamp.wYear - 1980;
    SimPut16(at, static_cast<uint32_t>(stamp.wHour) << 11 | stamp.wMinute << 5 | stamp.wSecond / 2);
    SimPut16(at + 2, year << 9 | stamp.wMonth << 5 | stamp.wDay);
}

void SimFatLongNameReader::Add(const BYTE* entry) {
    uint32_t ordinal = entry[0] & 0x1F;
    if (entry[0] & kLastOrdinal) {
        if (ordinal == 0 || ordinal > kMaxLongNameEntries) {
            expected_ = 0;
            return;
        }
        count_ = ordinal;
        checksum_ = entry[13];
        name_.assign(ordinal * kSimFatLongNameChars, L'\0');
    } else if (expected_ == 0 || ordinal != expected_ || entry[13] != checksum_) {
        expected_ = 0;  // out of order: the run belongs to nothing
        return;
    }
    for (uint32_t i = 0; i < kSimFatLongNameChars; ++i) {
        name_[(ordinal - 1) * kSimFatLongNameChars + i] = static_cast<wchar_t>(SimGet16(entry + kLongNameOffsets[i]));
    }
    // Ordinals count down to 1; expected_ then is 1 past the end: "complete".
    expected_ = ordinal == 1 ? kMaxLongNameEntries + 1 : ordinal - 1;
}

std::wstring SimFatLongNameReader::Take(const BYTE* entry, uint32_t& slots) {
    bool complete = expected_ == kMaxLongNameEntries + 1 && SimFatChecksum(entry) == checksum_;
    expected_ = 0;
    slots = complete ? count_ : 0;
    if (!complete) return L"";
    return name_.substr(0, name_.find(L'\0'));
}
