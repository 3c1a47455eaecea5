// The simulated loader's reading of resource libraries: real libraries made
// by the build, and every truncation and many corruptions of one.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/sim/PeImage.h"
#include "tests/platform/SimTestFolder.h"

namespace {

const WORD kStringType = 6;

std::vector<unsigned char> TestLibrary() { return ReadHostFile(VR_SIM_TEST_DIR "/SimTestResources.dll"); }

std::vector<unsigned char> Corrupted(std::vector<unsigned char> bytes, size_t offset, unsigned char value) {
    bytes[offset] = value;
    return bytes;
}

}  // namespace

TEST(PeImage, FindsTheStringBlocksOfALanguageLibrary) {
    std::unique_ptr<PeImage> image = PeImage::Parse(ReadHostFile(VR_BIN_DIR "/vrxa0409.dll"));
    ASSERT_TRUE(image);
    PeImage::Resource found;
    // String 108, which every language library holds, lives in block 108 / 16 + 1.
    ASSERT_EQ(ERROR_SUCCESS, image->Find(ResourceKey::Id(kStringType), ResourceKey::Id(7), {0x0409}, found));
    EXPECT_EQ(0x0409, found.language);
    EXPECT_GE(found.size, 32u);  // sixteen length words at least
    EXPECT_LE(found.dataOffset + found.size, image->Size());
    ASSERT_NE(nullptr, image->ResourceAt(found.entryOffset));
    EXPECT_EQ(found.dataOffset, image->ResourceAt(found.entryOffset)->dataOffset);
    EXPECT_EQ(nullptr, image->ResourceAt(found.dataOffset));

    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND),
              image->Find(ResourceKey::Id(2), ResourceKey::Id(7), {0x0409}, found));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND),
              image->Find(ResourceKey::Id(kStringType), ResourceKey::Id(0x7FFF), {0x0409}, found));
}

TEST(PeImage, FindsNamedResourcesWithoutRegardToCase) {
    std::unique_ptr<PeImage> image = PeImage::Parse(TestLibrary());
    ASSERT_TRUE(image);
    PeImage::Resource found;
    ASSERT_EQ(ERROR_SUCCESS, image->Find(ResourceKey::FromWin32(L"sample"), ResourceKey::FromWin32(L"PayLoad"), {0},
                                         found));
    ASSERT_EQ(6u, found.size);
    EXPECT_EQ(0, std::memcmp("hello", image->Bytes() + found.dataOffset, 6));
    // "#6" is the id 6, not a name.
    EXPECT_EQ(ERROR_SUCCESS, image->Find(ResourceKey::FromWin32(L"#6"), ResourceKey::Id(1), {0}, found));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND),
              image->Find(ResourceKey::FromWin32(L"#66000"), ResourceKey::Id(1), {0}, found));
}

TEST(PeImage, RefusesEveryTruncation) {
    std::vector<unsigned char> bytes = TestLibrary();
    ASSERT_TRUE(PeImage::Parse(bytes));
    // The library ends with its last section, so any shorter file lacks part of it.
    for (size_t size = 0; size < bytes.size(); ++size) {
        EXPECT_FALSE(PeImage::Parse(std::vector<unsigned char>(bytes.begin(), bytes.begin() + size))) << size;
    }
}

TEST(PeImage, CorruptedImagesAreRefusedOrStayInsideTheirBytes) {
    std::vector<unsigned char> bytes = TestLibrary();
    const struct {
        LPCWSTR type;
        LPCWSTR name;
    } lookups[] = {{MAKEINTRESOURCEW(kStringType), MAKEINTRESOURCEW(1)},
                   {MAKEINTRESOURCEW(kStringType), MAKEINTRESOURCEW(2)},
                   {MAKEINTRESOURCEW(kStringType), MAKEINTRESOURCEW(3)},
                   {L"SAMPLE", L"PAYLOAD"}};
    size_t refused = 0, checked = 0;
    for (size_t offset = 0; offset < bytes.size(); ++offset) {
        for (unsigned char value : {0x00, 0x7F, 0x80, 0xFF, bytes[offset] ^ 0x01}) {
            if (value == bytes[offset]) continue;
            std::unique_ptr<PeImage> image = PeImage::Parse(Corrupted(bytes, offset, value));
            if (!image) {
                ++refused;
                continue;
            }
            for (const auto& lookup : lookups) {
                PeImage::Resource found;
                if (image->Find(ResourceKey::FromWin32(lookup.type), ResourceKey::FromWin32(lookup.name),
                                {0x0409, 0}, found) != ERROR_SUCCESS) {
                    continue;
                }
                ASSERT_LE(found.dataOffset + found.size, image->Size()) << offset;
                ASSERT_LE(found.entryOffset + 16, image->Size()) << offset;
                unsigned sum = 0;  // touches every byte, for the sanitizer build
                for (size_t i = 0; i < found.size; ++i) sum += image->Bytes()[found.dataOffset + i];
                checked += sum > 0;
            }
        }
    }
    EXPECT_GT(refused, 0u);
    EXPECT_GT(checked, 0u);
}
