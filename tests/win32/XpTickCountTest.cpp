// The programs' own GetTickCount64 stands in for kernel32's (XP has none), so
// every call through the import must land there and count like the system.
#include "platform/WinTypes.h"

#include <gtest/gtest.h>

// The XP headers leave it undeclared; calling it goes through the import slot.
extern "C" __declspec(dllimport) ULONGLONG WINAPI GetTickCount64();

TEST(XpTickCount, ImportLandsInTheProgram) {
    const FARPROC system =
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "GetTickCount64");
    EXPECT_NE(reinterpret_cast<void*>(system), reinterpret_cast<void*>(&GetTickCount64));
}

namespace {

// Read between two system readings, the low half lies between them and the
// wrap count stays put while time moves on.
ULONGLONG ReadBetweenSystemTicks() {
    const DWORD before = ::GetTickCount();
    const ULONGLONG ticks = GetTickCount64();
    const DWORD after = ::GetTickCount();
    EXPECT_LE(before, static_cast<DWORD>(ticks));
    EXPECT_GE(after, static_cast<DWORD>(ticks));
    return ticks;
}

}  // namespace

TEST(XpTickCount, FollowsTheSystemTickCount) {
    const ULONGLONG first = ReadBetweenSystemTicks();
    ::Sleep(50);
    const ULONGLONG second = ReadBetweenSystemTicks();
    EXPECT_GT(second, first);
    EXPECT_EQ(first >> 32, second >> 32);
}
