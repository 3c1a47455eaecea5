// Which items the file lists show.
#include <gtest/gtest.h>

#include "manager/app/ListFilter.h"

namespace {

TEST(ListFilter, AnExtensionFilterKeepsItsFilesInAnyCase) {
    EXPECT_TRUE(FilterKeeps(L"*.mp3", L"C:\\Music\\SONG.MP3"));
    EXPECT_TRUE(FilterKeeps(L"*.mp3", L"C:\\Music\\a.mp3"));
    EXPECT_TRUE(FilterKeeps(L"*.MP3", L"E:\\a.mp3"));
    EXPECT_FALSE(FilterKeeps(L"*.mp3", L"C:\\Music\\a.mp3.txt"));
    EXPECT_FALSE(FilterKeeps(L"*.mp3", L"C:\\Music\\a.mp4"));
    EXPECT_FALSE(FilterKeeps(L"*.mp3", L"mp3"));
    EXPECT_TRUE(FilterKeeps(L"*.wma", L"E:\\edisk\\talk.WMA"));
}

TEST(ListFilter, OnlyStarDotStarShowsFolders) {
    EXPECT_TRUE(FilterShowsAll(L"*.*"));
    EXPECT_FALSE(FilterShowsAll(L"*.mp3"));
    EXPECT_FALSE(FilterShowsAll(L"*.*x"));
}

TEST(ListFilter, TheFirstTwoExclusionsHideNamesHoldingThem) {
    const std::vector<std::wstring> exclusions{L"SETTINGS.DAT", L"vok", L"edisk"};
    EXPECT_TRUE(ExcludedByName(L"SETTINGS.DAT", exclusions));
    EXPECT_TRUE(ExcludedByName(L"vok.tmp", exclusions));
    EXPECT_FALSE(ExcludedByName(L"edisk", exclusions));  // entry 2 is not used
    EXPECT_FALSE(ExcludedByName(L"song.mp3", exclusions));
    EXPECT_FALSE(ExcludedByName(L"song.mp3", {L"", L""}));
    EXPECT_FALSE(ExcludedByName(L"song.mp3", {}));
}

}  // namespace
