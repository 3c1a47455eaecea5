#include "fuzz/seeds/SeedFiles.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

SeedFolder::SeedFolder(const fs::path& root, const std::string& target) : folder_(root / target) {
    fs::create_directories(folder_);
}

void SeedFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::ofstream out(folder_ / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + (folder_ / name).string());
}

void SeedFolder::Write(const std::string& name, const std::wstring& text) const {
    std::vector<uint8_t> bytes;
    for (wchar_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    Write(name, bytes);
}

void SeedFolder::Copy(const fs::path& file, size_t most) const {
    std::vector<uint8_t> bytes = ReadFileBytes(file);
    if (bytes.size() > most) bytes.resize(most);
    Write(file.filename().string(), bytes);
}

std::vector<uint8_t> ReadFileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
