#include "usbsupport/QuellDevNodes9x.h"

#include "usbsupport/QuellDriveSearch.h"

namespace {

const DWORD kNodeNameChars = 261;
const DWORD kValueChars = 260;

// A text value of at most kValueChars characters, terminator included.
bool ReadText(Host& host, HKEY key, const wchar_t* name, std::wstring& text) {
    text.clear();
    WCHAR buffer[kValueChars] = {};
    DWORD size = sizeof buffer;
    if (host.RegQueryValueEx(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
        return false;
    }
    const DWORD chars = size / sizeof(WCHAR) < kValueChars ? size / sizeof(WCHAR) : kValueChars;
    DWORD length = 0;
    while (length < chars && buffer[length] != 0) ++length;
    text.assign(buffer, length);
    return true;
}

void ReadNode(Host& host, HKEY nodes, const WCHAR* node, std::array<DriveIdentity9x, 26>& table) {
    HKEY nodeKey = nullptr;
    if (host.RegOpenKeyEx(nodes, node, 0, KEY_QUERY_VALUE, &nodeKey) != ERROR_SUCCESS) return;
    std::wstring hardwareKey;
    bool named = ReadText(host, nodeKey, L"HardWareKey", hardwareKey);
    host.RegCloseKey(nodeKey);
    if (!named || hardwareKey.empty()) return;

    HKEY device = nullptr;
    if (host.RegOpenKeyEx(HKEY_LOCAL_MACHINE, (L"Enum\\" + hardwareKey).c_str(), 0, KEY_QUERY_VALUE, &device) !=
        ERROR_SUCCESS) {
        return;
    }
    std::wstring letters;
    if (ReadText(host, device, L"CurrentDriveLetterAssignment", letters)) {
        DriveIdentity9x identity;
        ReadText(host, device, L"Manufacturer", identity.manufacturer);  // missing: empty
        ReadText(host, device, L"ProductId", identity.product);
        for (wchar_t letter : QuellUpper(letters)) {
            if (letter < L'A' || letter > L'Z') continue;
            identity.letter = letter;
            table[letter - L'A'] = identity;
        }
    }
    host.RegCloseKey(device);
}

}  // namespace

std::array<DriveIdentity9x, 26> ReadDriveTable9x(Host& host) {
    std::array<DriveIdentity9x, 26> table;
    HKEY nodes = nullptr;
    if (host.RegOpenKeyEx(HKEY_DYN_DATA, L"Config Manager\\Enum", 0, KEY_READ, &nodes) != ERROR_SUCCESS) return table;
    for (DWORD index = 0;; ++index) {
        WCHAR node[kNodeNameChars];
        DWORD length = kNodeNameChars;
        LONG status = host.RegEnumKeyEx(nodes, index, node, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA) continue;  // a name too long for a node's: no node
        if (status != ERROR_SUCCESS) break;
        ReadNode(host, nodes, node, table);
    }
    host.RegCloseKey(nodes);
    return table;
}
