#include "usbsupport/QuellDriveSearch.h"

#include "usbsupport/QuellDevNodes9x.h"
#include "usbsupport/QuellStorageIdentity.h"
#include "usbsupport/QuellSystem.h"

namespace {

// The unit separator of ASCII: no identification text holds it.
const wchar_t kSeparator = 0x1F;
const int kWindows2000 = 6;

std::wstring Root(wchar_t letter) { return std::wstring(1, letter) + L":\\"; }

}  // namespace

std::wstring QuellUpper(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    return text;
}

bool IdentityMatches(const std::wstring& vendor, const std::wstring& product, const std::wstring& firstUpper,
                     const std::wstring& secondUpper) {
    const std::wstring identity = QuellUpper(vendor + kSeparator + product);
    return identity.find(firstUpper) != std::wstring::npos && identity.find(secondUpper) != std::wstring::npos;
}

int FindIdentifiedDrives(Host& host, const std::wstring& first, const std::wstring& second, std::wstring& roots) {
    const std::wstring firstUpper = QuellUpper(first);
    const std::wstring secondUpper = QuellUpper(second);
    const bool nt = WindowsVersionCode(host) >= kWindows2000;
    std::array<DriveIdentity9x, 26> table9x;
    if (!nt) table9x = ReadDriveTable9x(host);

    roots.clear();
    const DWORD present = host.GetLogicalDrives();
    for (wchar_t letter = L'C'; letter <= L'Z'; ++letter) {
        if (!(present & (1u << (letter - L'A')))) continue;
        std::wstring vendor, product;
        if (nt) {
            if (!StorageIdentity(host, letter, vendor, product)) continue;
        } else {
            const DriveIdentity9x& entry = table9x[letter - L'A'];
            if (entry.letter != letter) continue;
            vendor = entry.manufacturer;
            product = entry.product;
        }
        if (IdentityMatches(vendor, product, firstUpper, secondUpper)) roots += Root(letter);
    }
    return roots.empty() ? 0 : roots[0] - 64;
}
