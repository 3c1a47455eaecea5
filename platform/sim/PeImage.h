// The resources of a 32-bit Windows image (a PE32 file such as the language
// libraries), read from the file's bytes as the loader would find them.
//
// The whole resource tree is checked when the image is parsed, so a
// truncated or corrupted file is refused there and no later lookup can read
// outside the bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/WinTypes.h"

// A resource type or name as Win32 passes it: a 16-bit id, or a name.
struct ResourceKey {
    bool isName = false;
    WORD id = 0;
    std::wstring name;

    static ResourceKey Id(WORD id);
    static ResourceKey Name(const std::wstring& name);
    // MAKEINTRESOURCE values, "#123" and names, as FindResource reads them.
    static ResourceKey FromWin32(LPCWSTR text);
};

class PeImage {
public:
    // Null when the bytes are not a well-formed PE32 image.
    static std::unique_ptr<PeImage> Parse(std::vector<unsigned char> bytes);
    ~PeImage();

    // One data entry of the resource tree.
    struct Resource {
        size_t entryOffset = 0;  // of the data entry record within the file
        size_t dataOffset = 0;   // of the resource bytes within the file
        DWORD size = 0;
        WORD language = 0;
    };

    // Looks type/name up, trying `languages` in order and then the first
    // language present. Returns ERROR_SUCCESS or the loader's error:
    // ERROR_RESOURCE_DATA_NOT_FOUND (no resources at all),
    // ERROR_RESOURCE_TYPE_NOT_FOUND, ERROR_RESOURCE_NAME_NOT_FOUND or
    // ERROR_RESOURCE_LANG_NOT_FOUND.
    DWORD Find(const ResourceKey& type, const ResourceKey& name, const std::vector<WORD>& languages,
               Resource& found) const;
    // The data entry that starts at `entryOffset`, if it is one.
    const Resource* ResourceAt(size_t entryOffset) const;

    const unsigned char* Bytes() const { return bytes_.data(); }
    size_t Size() const { return bytes_.size(); }

private:
    struct Entry;
    struct Directory;

    explicit PeImage(std::vector<unsigned char> bytes);
    bool ReadHeaders();
    bool ReadResourceTree();
    bool ReadDirectory(uint32_t offset, int level, Directory& directory);
    bool FileOffset(uint32_t rva, uint32_t size, size_t& offset) const;

    struct Section {
        uint32_t virtualAddress;
        uint32_t rawSize;
        uint32_t rawOffset;
    };

    std::vector<unsigned char> bytes_;
    std::vector<Section> sections_;
    uint32_t resourceRva_ = 0;
    uint32_t resourceSize_ = 0;
    size_t resourceOffset_ = 0;
    size_t entriesRead_ = 0;
    std::unique_ptr<Directory> root_;
    std::vector<Resource> resources_;
};

// The languages the loader tries, in order, before it takes the first one
// present: the one asked for, its primary language, neutral, and for a
// neutral request the user's and the system's defaults and US English.
std::vector<WORD> LoaderLanguageOrder(WORD requested, WORD userDefault, WORD systemDefault);
