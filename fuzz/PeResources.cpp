// The resources of a Windows image (language and skin libraries): a parsed
// image never points outside its bytes, and every string it gives through
// the loader lies within its string block.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzPc.h"
#include "platform/ResourceStrings.h"
#include "platform/sim/PeImage.h"

namespace {

const WORD kTypes[] = {2, 3, 4, 5, 6, 14, 16, 24};  // bitmap, icon, menu, dialog, string, group icon, version, manifest
const WORD kLastName = 40;
const WORD kStringType = 6;

void CheckInside(const PeImage& image, const PeImage::Resource& resource) {
    FUZZ_CHECK(resource.dataOffset <= image.Size() && resource.size <= image.Size() - resource.dataOffset);
    FUZZ_CHECK(image.ResourceAt(resource.entryOffset) != nullptr);
}

// The strings of block `block` as the program loads them.
void LoadStrings(WORD block, const PeImage::Resource& resource) {
    Host& host = TheFuzzPc().host;
    for (UINT id = (block - 1u) * 16; id < block * 16u; ++id) {
        std::wstring text;
        if (LoadResourceString(host, host.GetModuleHandle(nullptr), id, resource.language, text)) {
            FUZZ_CHECK(!text.empty() && text.size() * 2 <= resource.size);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::unique_ptr<PeImage> image = PeImage::Parse(std::vector<unsigned char>(data, data + size));
    if (!image) return 0;
    const bool loaded = TheFuzzPc().host.SetProgramImage(data, size);
    FUZZ_CHECK(loaded);  // the loader takes what the parser takes
    for (WORD type : kTypes) {
        for (WORD name = 1; name <= kLastName; ++name) {
            PeImage::Resource resource;
            if (image->Find(ResourceKey::Id(type), ResourceKey::Id(name), {0x0409, 0x0411}, resource) != ERROR_SUCCESS) {
                continue;
            }
            CheckInside(*image, resource);
            if (type == kStringType) LoadStrings(name, resource);
        }
    }
    return 0;
}
