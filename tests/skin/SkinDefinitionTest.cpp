// The skin's strings and region file read through the host, on a simulated
// PC whose Tavlo folder holds a small test skin.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "manager/app/SkinDefinition.h"
#include "manager/app/SkinRegionFile.h"
#include "manager/app/SkinResources.h"
#include "platform/sim/SimHost.h"
#include "platform/sim/SimMachine.h"
#include "tests/platform/SimTestFolder.h"

namespace {

class SkinOnPc : public ::testing::Test {
protected:
    SkinOnPc() {
        machine.MapFolder(L'C', DRIVE_FIXED, folder.Path());
        folder.Write("Tavlo/SkinRes.dll", ReadHostFile(VR_SKIN_TEST_DIR "/TestSkin.dll"));
        skin = host.LoadLibrary(L"SkinRes.dll");
    }
    ~SkinOnPc() override {
        if (skin) host.FreeLibrary(skin);
    }

    SkinDefinition Load(bool chinese) {
        SkinDefinition definition;
        definition.Load(host, skin, chinese);
        return definition;
    }

    SimTestFolder folder;
    SimMachine machine;
    SimHost host{machine, L"C:\\Tavlo\\Tavlo.exe"};
    HMODULE skin = nullptr;
};

TEST_F(SkinOnPc, TheChineseVariantReadsTheLowerIdOfEachPair) {
    ASSERT_NE(nullptr, skin);
    const SkinDefinition chinese = Load(true), english = Load(false);
    EXPECT_EQ(640, chinese.Width());
    EXPECT_EQ(800, english.Width());
    EXPECT_TRUE(chinese.Element(103).Shown());
    EXPECT_FALSE(english.Element(103).Shown());
    EXPECT_EQ(40, english.Element(103).rect.right);
    EXPECT_EQ(std::wstring(L"乙"), chinese.Message(1));
    EXPECT_EQ((std::vector<std::wstring>{L"A", L"B", L"C"}), english.Messages());
    // A fixed element is the same in both variants.
    for (const SkinDefinition* variant : {&chinese, &english}) {
        EXPECT_TRUE(variant->Element(109).Shown());
        EXPECT_EQ(14, variant->Element(109).rect.bottom);
    }
}

TEST_F(SkinOnPc, MissingStringsReadAsEmpty) {
    ASSERT_NE(nullptr, skin);
    const SkinDefinition chinese = Load(true);
    EXPECT_EQ(0, chinese.Height());
    EXPECT_FALSE(chinese.Element(105).Shown());
    EXPECT_EQ(0, chinese.Element(105).rect.Width());
    EXPECT_FALSE(chinese.Element(4242).Shown());  // no element at all
    EXPECT_TRUE(chinese.MenuTexts().empty());
    EXPECT_EQ(std::wstring(), chinese.MenuText(kExitText));
    EXPECT_TRUE(chinese.ColumnTitles().empty());
    EXPECT_EQ(std::wstring(), chinese.Message(kMainWindowCaption));
    EXPECT_EQ((std::vector<std::wstring>{L"*.mp3", L"*.*"}), chinese.Filters());
}

std::vector<unsigned char> RegionFile(uint32_t type, uint32_t count, const std::vector<int32_t>& rectangles) {
    std::vector<int32_t> words = {32, static_cast<int32_t>(type), static_cast<int32_t>(count),
                                  static_cast<int32_t>(16 * count), 0, 0, 20, 10};
    words.insert(words.end(), rectangles.begin(), rectangles.end());
    std::vector<unsigned char> bytes;
    for (int32_t word : words) {
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<unsigned char>(word >> shift));
    }
    return bytes;
}

TEST_F(SkinOnPc, TheRegionFileBesideTheProgramIsTakenAsItIs) {
    EXPECT_EQ(std::wstring(L"C:\\Tavlo\\"), ProgramFolder(host));
    EXPECT_EQ(std::wstring(), SkinRegionPath(host));

    std::vector<unsigned char> bytes = RegionFile(1, 2, {0, 0, 20, 1, 2, 1, 18, 10});
    bytes.push_back(0x55);  // trailing bytes are not part of the region
    folder.Write("Tavlo/RgnBack.rgn", bytes);
    const std::wstring path = SkinRegionPath(host);
    EXPECT_EQ(std::wstring(L"C:\\Tavlo\\RgnBack.rgn"), path);
    SkinRegion region;
    ASSERT_TRUE(LoadSkinRegion(host, path, region));
    EXPECT_EQ(32u + 2 * 16, region.data.size());
    ASSERT_EQ(2u, region.rectangles.size());
    EXPECT_EQ(18, region.rectangles[1].right);
    EXPECT_EQ(10, region.bounds.bottom);
}

TEST_F(SkinOnPc, AFileThatIsNoRegionIsRefused) {
    SkinRegion region;
    const std::vector<unsigned char> wrong[] = {
        RegionFile(1, 3, {0, 0, 20, 1, 2, 1, 18, 10}),  // claims a third rectangle
        RegionFile(2, 1, {0, 0, 20, 1}),                // not rectangles
        RegionFile(1, 1, {20, 0, 0, 1}),                // inverted
        RegionFile(1, 0x10000000u, {}),                 // a count whose size overflows 32 bits
        {32, 0, 0, 0, 1, 0, 0},                         // shorter than a header
    };
    for (const std::vector<unsigned char>& bytes : wrong) {
        EXPECT_FALSE(ParseSkinRegion(bytes, region)) << bytes.size() << " bytes";
    }
    EXPECT_FALSE(LoadSkinRegion(host, L"C:\\Tavlo\\RgnBack.rgn", region));  // no such file

    // A folder of that name is no region file either.
    std::filesystem::create_directories(folder.Path() / "Tavlo" / "RgnBack.rgn");
    EXPECT_EQ(std::wstring(), SkinRegionPath(host));
}

}  // namespace
