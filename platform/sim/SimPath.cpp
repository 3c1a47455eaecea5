#include "platform/sim/SimPath.h"

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

wchar_t UpperChar(wchar_t c) {
    if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 32);
    // Latin-1 lower-case letters sit 32 above their capitals, except the
    // division sign and y with diaeresis, whose capital lies elsewhere.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<wchar_t>(c - 32);
    return c;
}

std::vector<std::wstring> SplitParts(const std::wstring& text) {
    std::vector<std::wstring> parts;
    std::wstring part;
    for (wchar_t c : text) {
        if (IsSeparator(c)) {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

bool HasForbiddenCharacter(const std::wstring& part) {
    for (wchar_t c : part) {
        if (c < 32) return true;
        switch (c) {
        case L'<': case L'>': case L':': case L'"': case L'|': case L'?': case L'*':
            return true;
        default:
            break;
        }
    }
    return false;
}

}  // namespace

std::wstring SimPath::Text() const {
    if (isDevice) return L"\\\\.\\" + device;
    std::wstring text;
    text += drive;
    text += L":\\";
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) text += L'\\';
        text += parts[i];
    }
    return text;
}

SimPath SimPath::Parent() const {
    SimPath parent = *this;
    if (!parent.parts.empty()) parent.parts.pop_back();
    return parent;
}

DWORD ParseSimPath(const std::wstring& name, const std::wstring& currentDirectory, SimPath& path) {
    path = SimPath();
    if (name.size() >= 4 && IsSeparator(name[0]) && IsSeparator(name[1]) && name[2] == L'.' &&
        IsSeparator(name[3])) {
        path.isDevice = true;
        path.device = name.substr(4);
        return path.device.empty() ? static_cast<DWORD>(ERROR_PATH_NOT_FOUND) : ERROR_SUCCESS;
    }
    std::wstring full;
    if (name.size() >= 4 && IsSeparator(name[0]) && IsSeparator(name[1]) && name[2] == L'?' &&
        IsSeparator(name[3])) {
        full = name.substr(4);  // the long-path prefix changes nothing for a drive path
        // Without a drive it names a device, as a device interface's path does.
        if (full.size() < 2 || !IsLetter(full[0]) || full[1] != L':') {
            path.isDevice = true;
            path.device = full;
            return full.empty() ? static_cast<DWORD>(ERROR_PATH_NOT_FOUND) : ERROR_SUCCESS;
        }
    } else if (name.size() >= 2 && IsLetter(name[0]) && name[1] == L':') {
        full = name;
        // "D:name" is relative to the current folder only on the current drive.
        if (name.size() == 2 || !IsSeparator(name[2])) {
            bool sameDrive = !currentDirectory.empty() && UpperChar(currentDirectory[0]) == UpperChar(name[0]);
            full = (sameDrive ? currentDirectory : name.substr(0, 2)) + L"\\" + name.substr(2);
        }
    } else if (!name.empty() && IsSeparator(name[0])) {
        if (name.size() > 1 && IsSeparator(name[1])) return ERROR_PATH_NOT_FOUND;  // no network here
        full = currentDirectory.substr(0, 2) + name;
    } else if (!name.empty()) {
        full = currentDirectory + L"\\" + name;
    }
    if (full.size() < 2 || !IsLetter(full[0]) || full[1] != L':') return ERROR_PATH_NOT_FOUND;

    path.drive = UpperChar(full[0]);
    for (const std::wstring& part : SplitParts(full.substr(2))) {
        if (part == L".") continue;
        if (part == L"..") {
            if (!path.parts.empty()) path.parts.pop_back();
            continue;
        }
        if (HasForbiddenCharacter(part)) return ERROR_INVALID_NAME;
        path.parts.push_back(part);
    }
    return ERROR_SUCCESS;
}

std::wstring SimUpper(const std::wstring& text) {
    std::wstring upper = text;
    for (wchar_t& c : upper) c = UpperChar(c);
    return upper;
}

bool SimSameName(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (UpperChar(a[i]) != UpperChar(b[i])) return false;
    }
    return true;
}
