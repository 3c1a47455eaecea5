#include "updater/win32/VrProgramArguments.h"

#include <gtest/gtest.h>

TEST(VrProgramArguments, SkipsTheProgramNameAndTheBlanksAfterIt) {
    EXPECT_EQ(L"-log c:\\log.txt", VrArgumentsAfterProgramName(L"Caddis.exe  \t-log c:\\log.txt"));
    EXPECT_EQ(L"-?", VrArgumentsAfterProgramName(L"C:\\Caddis\\Caddis.exe -?"));
    EXPECT_EQ(L"", VrArgumentsAfterProgramName(L"Caddis.exe"));
    EXPECT_EQ(L"", VrArgumentsAfterProgramName(L"Caddis.exe   "));
    EXPECT_EQ(L"", VrArgumentsAfterProgramName(L""));
}

TEST(VrProgramArguments, AQuotedNameMayHoldBlanks) {
    EXPECT_EQ(L"-silent", VrArgumentsAfterProgramName(L"\"C:\\Program Files\\Caddis.exe\" -silent"));
    // Windows starts the arguments right after the closing quote.
    EXPECT_EQ(L"-silent", VrArgumentsAfterProgramName(L"\"C:\\My Tools\\Caddis.exe\"-silent"));
    EXPECT_EQ(L"", VrArgumentsAfterProgramName(L"\"C:\\My Tools\\Caddis.exe -silent"));
    // Quotes later on belong to the arguments.
    EXPECT_EQ(L"-log \"a b.txt\"", VrArgumentsAfterProgramName(L"\"Caddis.exe\" -log \"a b.txt\""));
}
