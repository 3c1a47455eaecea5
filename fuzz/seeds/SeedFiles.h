// Writing the seed corpora: one folder per target below the seed folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class SeedFolder {
public:
    SeedFolder(const std::filesystem::path& root, const std::string& target);

    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    void Write(const std::string& name, const std::wstring& text) const;  // UTF-16LE
    // The first `most` bytes of `file` (all of it by default).
    void Copy(const std::filesystem::path& file, size_t most = SIZE_MAX) const;

private:
    std::filesystem::path folder_;
};

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& file);

// Seeds made from what the build makes (libraries, component files,
// outline, players) and seeds recorded from the simulated PC's answers.
void WriteBuildSeeds(const std::filesystem::path& bin, const std::filesystem::path& ownResources,
                     const std::filesystem::path& root);
void WriteRecordedSeeds(const std::filesystem::path& bin, const std::filesystem::path& root);
