// The format command's drive and file system, and the text-to-speech
// hand-off: the program's folder and command line, the WM_COPYDATA text
// and where the finished file goes on the player.
#include <gtest/gtest.h>

#include <cstring>

#include "manager/app/FormatDrive.h"
#include "manager/app/SpeechImport.h"
#include "manager/app/SpeechProgram.h"
#include "platform/sim/SimHost.h"
#include "platform/sim/SimMachine.h"

namespace {

TEST(FormatDrive, TheDriveIndexComesFromTheLetterInEitherCase) {
    EXPECT_EQ(4, FormatDriveIndex(L"E:\\"));
    EXPECT_EQ(4, FormatDriveIndex(L"e:\\Music\\Old"));
    EXPECT_EQ(25, FormatDriveIndex(L"z:"));
    EXPECT_EQ(0, FormatDriveIndex(L"A:\\"));
    EXPECT_EQ(-1, FormatDriveIndex(L""));
    EXPECT_EQ(-1, FormatDriveIndex(L"\\\\server\\share"));
}

TEST(FormatDrive, OnlyTheItemNamedFatIsChosen) {
    EXPECT_EQ(1, PlayerFileSystemItem({L"FAT32", L"FAT", L"NTFS"}));
    EXPECT_EQ(2, PlayerFileSystemItem({L"NTFS", L"FAT32", L"fat"}));
    EXPECT_EQ(-1, PlayerFileSystemItem({L"FAT32", L"NTFS", L"FAT "}));
    EXPECT_EQ(-1, PlayerFileSystemItem({}));
}

TEST(SpeechImport, TheCopyDataTextNeverReadsPastItsCount) {
    // The byte after the count is no zero: a reader that looked for one
    // would take it.
    const char unterminated[] = {'C', ':', '\\', 'a', '.', 'w', 'a', 'v', 'X', 'Y'};
    EXPECT_EQ("C:\\a.wav", CopyDataText(unterminated, 8));
    const char terminated[] = "C:\\a.wav\0junk";
    EXPECT_EQ("C:\\a.wav", CopyDataText(terminated, sizeof terminated));
    EXPECT_EQ("C:\\a.wav", CopyDataText(terminated, 9));
    EXPECT_EQ("", CopyDataText(terminated, 0));
    EXPECT_EQ("", CopyDataText(nullptr, 12));
}

TEST(SpeechImport, TheNameOnThePlayer) {
    EXPECT_EQ(L"speech.mp3", SpeechImportName(L"C:\\TTS\\speech.wav"));
    EXPECT_EQ(L"mp3", SpeechImportName(L"C:\\TTS\\speech"));
    // Only the last dot of the name counts, never one of a folder.
    EXPECT_EQ(L"news.2026.mp3", SpeechImportName(L"C:\\TTS\\news.2026.wav"));
    EXPECT_EQ(L"mp3", SpeechImportName(L"C:\\v1.2\\speech"));
    EXPECT_EQ(L"\u58f0\u97f3.mp3", SpeechImportName(L"\u58f0\u97f3.wav"));
}

TEST(SpeechImport, TheRootWhileItIsShownElseTheMp3FolderAndNeverACutPath) {
    SpeechImportTarget target;
    ASSERT_TRUE(SpeechImportDestination(1, L"P:\\", L"speech.mp3", target));
    EXPECT_EQ(L"P:\\speech.mp3", target.destination);
    EXPECT_EQ(L"", target.folder);

    ASSERT_TRUE(SpeechImportDestination(3, L"P:\\", L"speech.mp3", target));
    EXPECT_EQ(L"P:\\mp3\\speech.mp3", target.destination);
    EXPECT_EQ(L"P:\\mp3", target.folder);

    EXPECT_FALSE(SpeechImportDestination(0, L"", L"speech.mp3", target));

    // "P:\mp3\" is 7 characters: a name of 252 fills the shell's 260 with
    // the terminating zero; one more is refused, not cut.
    const std::wstring fits = std::wstring(248, L'n') + L".mp3";
    ASSERT_TRUE(SpeechImportDestination(2, L"P:\\", fits, target));
    EXPECT_EQ(259u, target.destination.size());
    EXPECT_FALSE(SpeechImportDestination(2, L"P:\\", L"n" + fits, target));
    EXPECT_EQ(L"", target.destination);
}

class SpeechProgram : public ::testing::Test {
protected:
    void SetFolder(const std::wstring& folder) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, host.RegCreateKeyEx(HKEY_LOCAL_MACHINE, kSpeechAppPathKey, 0, nullptr, 0,
                                                     KEY_ALL_ACCESS, nullptr, &key, nullptr));
        ASSERT_EQ(ERROR_SUCCESS,
                  host.RegSetValueEx(key, kSpeechPathValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                                     static_cast<DWORD>((folder.size() + 1) * sizeof(WCHAR))));
        host.RegCloseKey(key);
    }

    SimMachine machine;
    SimHost host{machine, L"C:\\Program Files\\Tavlo\\Tavlo.exe"};
};

TEST_F(SpeechProgram, ItsFolderComesFromAppPathsWithinItsBuffer) {
    EXPECT_EQ(L"", ReadSpeechProgramFolder(host));
    SetFolder(L"C:\\Program Files\\Zizivazo TTS");
    EXPECT_EQ(L"C:\\Program Files\\Zizivazo TTS", ReadSpeechProgramFolder(host));
    // 39 characters and the zero fill the 80 bytes; one more is missing.
    SetFolder(L"C:\\" + std::wstring(36, L'x'));
    EXPECT_EQ(39u, ReadSpeechProgramFolder(host).size());
    SetFolder(L"C:\\" + std::wstring(37, L'x'));
    EXPECT_EQ(L"", ReadSpeechProgramFolder(host));
}

TEST_F(SpeechProgram, TheCommandLineQuotesTheProgramSoBlanksStartTheRightOne) {
    EXPECT_EQ(L"\"C:\\Program Files\\Zizivazo TTS\\ZUZUVURA_1.exe\" -ZIZIVAZO",
              SpeechCommandLine(L"C:\\Program Files\\Zizivazo TTS"));
    EXPECT_EQ(L"\"C:\\ZUZUVURA_1.exe\" -ZIZIVAZO", SpeechCommandLine(L"C:\\"));
}

}  // namespace
