// A fresh folder under Windows' temporary folder for one test, removed
// with everything in it afterwards.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class WineFolder {
public:
    WineFolder();
    ~WineFolder();
    WineFolder(const WineFolder&) = delete;
    WineFolder& operator=(const WineFolder&) = delete;

    // The folder's path, without a trailing "\".
    const std::wstring& Path() const { return m_path; }
    // A file of `bytes` bytes, made by setting its end, so that a file of a
    // gigabyte takes no room on the disk.
    void Write(const std::wstring& name, uint64_t bytes) const;
    void Folder(const std::wstring& name) const;

private:
    std::wstring m_path;
};
