// What several fuzz targets share: the input read as UTF-16 text, a scratch
// folder of the process for parsers that read files, and the check that
// stops the run with a message when a property does not hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

// UTF-16LE code units, as Windows hands texts over; an odd last byte is dropped.
inline std::wstring FuzzWideText(const uint8_t* data, size_t size) {
    std::wstring text;
    for (size_t at = 0; at + 1 < size; at += 2) text += static_cast<wchar_t>(data[at] | data[at + 1] << 8);
    return text;
}

// A folder of this process's own below the temporary folder, made on first
// use and removed when the process ends normally.
inline const std::filesystem::path& FuzzScratchFolder() {
    struct Folder {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("vr-fuzz-" + std::to_string(static_cast<long>(::getpid())));
        Folder() { std::filesystem::create_directories(path); }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static const Folder folder;
    return folder.path;
}

// A property that must hold for every input: libFuzzer keeps the input
// that breaks it as a crash.
#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (0)
