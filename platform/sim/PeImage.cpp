#include "platform/sim/PeImage.h"

#include <algorithm>

#include "platform/TextCodec.h"
#include "platform/sim/SimPath.h"

namespace {

// Libraries are 32-bit as they ship; the 64-bit Windows test tree builds
// them 64-bit, and its simulated PC reads those.
const uint16_t kMachineI386 = 0x14C;
const uint16_t kMachineAmd64 = 0x8664;
const uint16_t kMagicPe32 = 0x10B;
const uint16_t kMagicPe32Plus = 0x20B;
const uint32_t kResourceDirectoryIndex = 2;
const uint32_t kHighBit = 0x80000000u;
// A sound tree has a few hundred entries; a corrupted one can point many
// entries at the same large directory, so the walk stops at this many.
const size_t kMostEntries = 65536;

}  // namespace

struct PeImage::Entry {
    ResourceKey key;
    std::unique_ptr<Directory> child;  // types and names
    size_t resource = 0;               // languages: index into resources_
};

struct PeImage::Directory {
    std::vector<Entry> entries;
};

ResourceKey ResourceKey::Id(WORD id) {
    ResourceKey key;
    key.id = id;
    return key;
}

ResourceKey ResourceKey::Name(const std::wstring& name) {
    ResourceKey key;
    key.isName = true;
    key.name = SimUpper(name);
    return key;
}

ResourceKey ResourceKey::FromWin32(LPCWSTR text) {
    if (IS_INTRESOURCE(text)) return Id(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(text)));
    std::wstring name = text;
    if (name.size() > 1 && name[0] == L'#' &&
        std::all_of(name.begin() + 1, name.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
        unsigned long value = 0;
        for (size_t i = 1; i < name.size() && value <= 0xFFFF; ++i) value = value * 10 + (name[i] - L'0');
        if (value <= 0xFFFF) return Id(static_cast<WORD>(value));
    }
    return Name(name);
}

namespace {

class Reader {
public:
    Reader(const std::vector<unsigned char>& bytes, size_t base, size_t limit)
        : bytes_(bytes), base_(base), limit_(limit) {}

    bool Fits(uint64_t offset, uint64_t size) const { return offset <= limit_ && size <= limit_ - offset; }
    bool U16(uint64_t offset, uint16_t& value) const {
        if (!Fits(offset, 2)) return false;
        const unsigned char* p = &bytes_[base_ + offset];
        value = static_cast<uint16_t>(p[0] | (p[1] << 8));
        return true;
    }
    bool U32(uint64_t offset, uint32_t& value) const {
        if (!Fits(offset, 4)) return false;
        const unsigned char* p = &bytes_[base_ + offset];
        value = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
        return true;
    }

private:
    const std::vector<unsigned char>& bytes_;
    size_t base_;
    size_t limit_;
};

bool SameKey(const ResourceKey& a, const ResourceKey& b) {
    if (a.isName != b.isName) return false;
    return a.isName ? SimSameName(a.name, b.name) : a.id == b.id;
}

}  // namespace

std::unique_ptr<PeImage> PeImage::Parse(std::vector<unsigned char> bytes) {
    std::unique_ptr<PeImage> image(new PeImage(std::move(bytes)));
    if (!image->ReadHeaders() || !image->ReadResourceTree()) return nullptr;
    return image;
}

PeImage::PeImage(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

PeImage::~PeImage() = default;

bool PeImage::ReadHeaders() {
    Reader file(bytes_, 0, bytes_.size());
    uint16_t word = 0;
    uint32_t pe = 0, signature = 0;
    if (!file.U16(0, word) || word != 0x5A4D || !file.U32(0x3C, pe)) return false;
    if (!file.U32(pe, signature) || signature != 0x00004550) return false;

    uint16_t machine = 0, sectionCount = 0, optionalSize = 0, magic = 0;
    if (!file.U16(uint64_t(pe) + 4, machine) || !file.U16(uint64_t(pe) + 6, sectionCount) ||
        !file.U16(uint64_t(pe) + 20, optionalSize)) {
        return false;
    }
    uint64_t optional = uint64_t(pe) + 24;
    if (!file.U16(optional, magic)) return false;
    // The data directories follow the fields whose width is the image's.
    uint64_t directories = 0;
    if (machine == kMachineI386 && magic == kMagicPe32) {
        directories = 96;
    } else if (machine == kMachineAmd64 && magic == kMagicPe32Plus) {
        directories = 112;
    } else {
        return false;
    }

    uint32_t directoryCount = 0;
    if (optionalSize >= directories && !file.U32(optional + directories - 4, directoryCount)) return false;
    uint64_t directoryEnd = directories + 8 * uint64_t(kResourceDirectoryIndex + 1);
    if (directoryCount > kResourceDirectoryIndex && optionalSize >= directoryEnd) {
        uint64_t entry = optional + directories + 8 * kResourceDirectoryIndex;
        if (!file.U32(entry, resourceRva_) || !file.U32(entry + 4, resourceSize_)) return false;
    }

    // The loader maps every section; one whose raw data lies beyond the end
    // of the file makes the image invalid.
    uint64_t table = optional + optionalSize;
    for (uint16_t i = 0; i < sectionCount; ++i) {
        uint64_t at = table + 40 * uint64_t(i);
        Section section{};
        if (!file.U32(at + 12, section.virtualAddress) || !file.U32(at + 16, section.rawSize) ||
            !file.U32(at + 20, section.rawOffset)) {
            return false;
        }
        if (section.rawSize > 0 && !file.Fits(section.rawOffset, section.rawSize)) return false;
        sections_.push_back(section);
    }
    return true;
}

bool PeImage::FileOffset(uint32_t rva, uint32_t size, size_t& offset) const {
    for (const Section& section : sections_) {
        uint64_t start = section.virtualAddress;
        uint64_t end = start + section.rawSize;
        if (rva >= start && uint64_t(rva) + size <= end) {
            offset = section.rawOffset + (rva - section.virtualAddress);
            return true;
        }
    }
    return false;
}

bool PeImage::ReadResourceTree() {
    if (resourceRva_ == 0 || resourceSize_ == 0) return true;  // an image without resources
    if (!FileOffset(resourceRva_, resourceSize_, resourceOffset_)) return false;
    root_.reset(new Directory());
    return ReadDirectory(0, 0, *root_);
}

// Levels: 0 types, 1 names, 2 languages. Every offset in the tree counts
// from the start of the resource directory and must stay inside it.
bool PeImage::ReadDirectory(uint32_t offset, int level, Directory& directory) {
    Reader tree(bytes_, resourceOffset_, resourceSize_);
    uint16_t named = 0, ids = 0;
    if (!tree.U16(uint64_t(offset) + 12, named) || !tree.U16(uint64_t(offset) + 14, ids)) return false;
    size_t count = size_t(named) + ids;
    if (!tree.Fits(uint64_t(offset) + 16, 8 * uint64_t(count))) return false;

    for (size_t i = 0; i < count; ++i) {
        if (++entriesRead_ > kMostEntries) return false;
        uint64_t at = uint64_t(offset) + 16 + 8 * i;
        uint32_t nameField = 0, dataField = 0;
        tree.U32(at, nameField);
        tree.U32(at + 4, dataField);

        Entry entry;
        if (nameField & kHighBit) {
            uint64_t nameAt = nameField & ~kHighBit;
            uint16_t length = 0;
            if (level == 2 || !tree.U16(nameAt, length) || !tree.Fits(nameAt + 2, 2 * uint64_t(length))) return false;
            std::vector<uint16_t> units(length);
            for (uint16_t u = 0; u < length; ++u) tree.U16(nameAt + 2 + 2 * u, units[u]);
            entry.key = ResourceKey::Name(WideFromUtf16(units.data(), units.size()));
        } else {
            entry.key = ResourceKey::Id(static_cast<WORD>(nameField));
        }

        bool isDirectory = (dataField & kHighBit) != 0;
        if (level < 2) {
            if (!isDirectory) return false;
            entry.child.reset(new Directory());
            if (!ReadDirectory(dataField & ~kHighBit, level + 1, *entry.child)) return false;
        } else {
            uint32_t dataRva = 0, size = 0;
            if (isDirectory || !tree.U32(dataField, dataRva) || !tree.U32(uint64_t(dataField) + 4, size)) return false;
            if (!tree.Fits(dataField, 16)) return false;
            Resource resource;
            resource.entryOffset = resourceOffset_ + dataField;
            resource.size = size;
            resource.language = entry.key.id;
            if (!FileOffset(dataRva, size, resource.dataOffset)) return false;
            entry.resource = resources_.size();
            resources_.push_back(resource);
        }
        directory.entries.push_back(std::move(entry));
    }
    return true;
}

DWORD PeImage::Find(const ResourceKey& type, const ResourceKey& name, const std::vector<WORD>& languages,
                    Resource& found) const {
    if (!root_) return ERROR_RESOURCE_DATA_NOT_FOUND;
    auto match = [](const Directory& directory, const ResourceKey& key) -> const Entry* {
        for (const Entry& entry : directory.entries) {
            if (SameKey(entry.key, key)) return &entry;
        }
        return nullptr;
    };
    const Entry* typeEntry = match(*root_, type);
    if (!typeEntry) return ERROR_RESOURCE_TYPE_NOT_FOUND;
    const Entry* nameEntry = match(*typeEntry->child, name);
    if (!nameEntry) return ERROR_RESOURCE_NAME_NOT_FOUND;
    const std::vector<Entry>& languageEntries = nameEntry->child->entries;
    if (languageEntries.empty()) return ERROR_RESOURCE_LANG_NOT_FOUND;
    for (WORD language : languages) {
        if (const Entry* entry = match(*nameEntry->child, ResourceKey::Id(language))) {
            found = resources_[entry->resource];
            return ERROR_SUCCESS;
        }
    }
    found = resources_[languageEntries.front().resource];
    return ERROR_SUCCESS;
}

const PeImage::Resource* PeImage::ResourceAt(size_t entryOffset) const {
    for (const Resource& resource : resources_) {
        if (resource.entryOffset == entryOffset) return &resource;
    }
    return nullptr;
}

std::vector<WORD> LoaderLanguageOrder(WORD requested, WORD userDefault, WORD systemDefault) {
    std::vector<WORD> order;
    auto add = [&order](WORD language) {
        if (std::find(order.begin(), order.end(), language) == order.end()) order.push_back(language);
    };
    add(requested);
    add(MAKELANGID(PRIMARYLANGID(requested), SUBLANG_NEUTRAL));
    add(MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    if (PRIMARYLANGID(requested) == LANG_NEUTRAL) {
        add(userDefault);
        add(MAKELANGID(PRIMARYLANGID(userDefault), SUBLANG_NEUTRAL));
        add(systemDefault);
        add(MAKELANGID(PRIMARYLANGID(systemDefault), SUBLANG_NEUTRAL));
        add(MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT));
    }
    return order;
}
