#include "manager/app/SkinRegionFile.h"

#include <cstdint>

namespace {

const wchar_t kRegionFileName[] = L"RgnBack.rgn";
const size_t kHeaderSize = 32;
const size_t kRectangleSize = 16;
const uint32_t kRectangleType = 1;  // RDH_RECTANGLES
// Far more than the outline of any window on a screen needs; a bigger file
// is not a region file.
const size_t kLargestFile = 16u << 20;

uint32_t U32At(const std::vector<unsigned char>& bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

SkinRect RectAt(const std::vector<unsigned char>& bytes, size_t at) {
    return {static_cast<int32_t>(U32At(bytes, at)), static_cast<int32_t>(U32At(bytes, at + 4)),
            static_cast<int32_t>(U32At(bytes, at + 8)), static_cast<int32_t>(U32At(bytes, at + 12))};
}

bool ReadWholeFile(Host& host, const std::wstring& path, std::vector<unsigned char>& bytes) {
    HANDLE file = host.CreateFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes.clear();
    unsigned char chunk[4096];
    DWORD read = 0;
    bool ok = true;
    while ((ok = host.ReadFile(file, chunk, sizeof chunk, &read, nullptr) != FALSE) && read > 0) {
        bytes.insert(bytes.end(), chunk, chunk + read);
        if (bytes.size() > kLargestFile) {
            ok = false;
            break;
        }
    }
    host.CloseHandle(file);
    return ok;
}

}  // namespace

std::wstring ProgramFolder(Host& host) {
    wchar_t path[1024] = {};
    const DWORD length = host.GetModuleFileName(nullptr, path, sizeof path / sizeof path[0]);
    if (length == 0 || length >= sizeof path / sizeof path[0]) return std::wstring();
    const std::wstring program(path, length);
    const size_t separator = program.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : program.substr(0, separator + 1);
}

std::wstring SkinRegionPath(Host& host) {
    const std::wstring folder = ProgramFolder(host);
    if (folder.empty()) return std::wstring();
    const std::wstring path = folder + kRegionFileName;
    const DWORD attributes = host.GetFileAttributes(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::wstring();
    return path;
}

bool LoadSkinRegion(Host& host, const std::wstring& path, SkinRegion& region) {
    std::vector<unsigned char> bytes;
    return ReadWholeFile(host, path, bytes) && ParseSkinRegion(bytes, region);
}

bool ParseSkinRegion(const std::vector<unsigned char>& bytes, SkinRegion& region) {
    if (bytes.size() < kHeaderSize) return false;
    if (U32At(bytes, 0) != kHeaderSize || U32At(bytes, 4) != kRectangleType) return false;
    const size_t count = U32At(bytes, 8);
    if (count > (bytes.size() - kHeaderSize) / kRectangleSize) return false;
    std::vector<SkinRect> rectangles;
    rectangles.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const SkinRect rect = RectAt(bytes, kHeaderSize + i * kRectangleSize);
        if (rect.right < rect.left || rect.bottom < rect.top) return false;
        rectangles.push_back(rect);
    }
    region.data.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(kHeaderSize + count * kRectangleSize));
    region.rectangles = std::move(rectangles);
    region.bounds = RectAt(bytes, 16);
    return true;
}
