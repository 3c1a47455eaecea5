#include <gtest/gtest.h>

#include "updater/base/VrConfigInfo.h"
#include "updater/base/VrResult.h"

TEST(VrConfigInfo, ComponentTableHasFourComponentsNumberedOneToFour) {
    CVrConfigInfo config;
    uint8_t count = 0;
    config.GetComponentCount(count);
    EXPECT_EQ(4, count);

    const char* files[] = {"bootmanager.sb", "usbmsc.sb", "vrxasys.sb", "resource.bin"};
    const wchar_t* names[] = {L"Boot Manager", L"USB Mass Storage", L"Player", L"Resource Manager"};
    const uint8_t tags[] = {0x50, 0x01, 0x00, 0x02};
    for (uint32_t index = 1; index <= 4; ++index) {
        std::string file;
        std::wstring name;
        uint8_t tag = 0xFF;
        bool update = false;
        uint32_t reserve = 7;
        EXPECT_EQ(kVrOk, config.GetComponentFileName(index, file));
        EXPECT_EQ(kVrOk, config.GetComponentDisplayName(index, name));
        EXPECT_EQ(kVrOk, config.GetComponentTag(index, tag));
        EXPECT_EQ(kVrOk, config.GetComponentUpdateFlag(index, update));
        EXPECT_EQ(kVrOk, config.GetComponentReserve(index, reserve));
        EXPECT_EQ(files[index - 1], file);
        EXPECT_EQ(names[index - 1], name);
        EXPECT_EQ(tags[index - 1], tag);
        EXPECT_TRUE(update);
        EXPECT_EQ(0u, reserve);
    }
}

TEST(VrConfigInfo, RecordZeroIsAbsentAndIndexFiveIsBeyondTheTable) {
    CVrConfigInfo config;
    std::string file = "kept";
    std::wstring name = L"kept";
    uint8_t tag = 0;
    uint32_t value = 99;
    bool update = true;

    EXPECT_EQ(kVrComponentNotPresent, config.GetComponentFileName(0, file));
    EXPECT_EQ(kVrComponentNotPresent, config.GetComponentDisplayName(0, name));
    EXPECT_EQ(kVrComponentNotPresent, config.GetComponentUpdateFlag(0, update));
    EXPECT_EQ("kept", file);
    EXPECT_EQ(kVrOk, config.GetComponentTag(0, tag));
    EXPECT_EQ(0x0A, tag);  // the data drive's tag

    EXPECT_EQ(kVrIndexBeyondTable, config.GetComponentFileName(5, file));
    EXPECT_EQ(kVrIndexBeyondTable, config.GetComponentDisplayName(5, name));
    EXPECT_EQ(kVrIndexBeyondTable, config.GetComponentTag(5, tag));
    EXPECT_EQ(kVrIndexBeyondTable, config.GetComponentUpdateFlag(5, update));
    EXPECT_EQ(kVrIndexBeyondTable, config.GetComponentReserve(5, value));
    EXPECT_EQ(kVrIndexBeyondTable, config.GetComponentTag(0xFFFFFFFF, tag));
    EXPECT_EQ(99u, value);
    EXPECT_TRUE(update);
}

TEST(VrConfigInfo, FixedProductValues) {
    CVrConfigInfo config;
    uint8_t byte = 0;
    std::wstring program;
    std::string vendor, product;

    config.GetRecoveryComponent(byte);
    EXPECT_EQ(2, byte);
    config.GetPlayerComponent(byte);
    EXPECT_EQ(3, byte);
    config.GetBootManagerTag(byte);
    EXPECT_EQ(0x50, byte);
    bool flag = true;
    config.GetFormatByDefault(flag);
    EXPECT_FALSE(flag);
    config.GetShowChipRevision(flag);
    EXPECT_TRUE(flag);
    config.GetProgramFileName(program);
    EXPECT_EQ(L"Caddis.exe", program);
    config.GetVendorIdentity(vendor);
    EXPECT_EQ(std::string("Lumo    "), vendor);
    config.GetProductIdentity(product);
    EXPECT_EQ(std::string("MP3 Audio Player"), product);
    EXPECT_EQ(16u, product.size());
}

TEST(VrConfigInfo, ProductTextsNeedAResourceProvider) {
    CVrConfigInfo config;
    std::wstring text = L"untouched";
    EXPECT_EQ(kVrStringNotLoaded, config.GetTitle(text));
    EXPECT_EQ(kVrStringNotLoaded, config.GetAboutTitle(text));
    EXPECT_EQ(kVrStringNotLoaded, config.GetLegalNotice(text));
    EXPECT_EQ(kVrStringNotLoaded, config.GetAboutProductLine(text));
    EXPECT_EQ(L"untouched", text);
}
