// The thread library behind std::thread calls GetTickCount64, which kernel32
// exports only from Vista on: a program that imports it does not even start
// on XP. This file fills the import slot itself, so the linker takes this
// definition and never asks kernel32 for the function. It is compiled into
// every program that uses the Windows host (see CMakeLists.txt), since a slot
// inside a static library would only be picked up if something asked for it
// before the runtime's libraries are read.
#include "platform/WinTypes.h"

#include <atomic>

namespace {

// The last value handed out; its low half tells when the 32-bit count wrapped.
std::atomic<unsigned long long> lastTicks{0};

// GetTickCount wraps every 49.7 days; counting the wraps gives the 64-bit
// count, provided something asks at least once per wrap, which the thread
// library's timed waits do.
ULONGLONG WINAPI TickCount64() {
    unsigned long long last = lastTicks.load();
    for (;;) {
        const DWORD low = ::GetTickCount();
        unsigned long long next = (last & ~0xFFFFFFFFull) | low;
        if (low < static_cast<DWORD>(last)) next += 1ull << 32;
        if (lastTicks.compare_exchange_weak(last, next)) return next;
    }
}

}  // namespace

// The import slot that "call [__imp__GetTickCount64@0]" reads; 64-bit
// Windows decorates no names.
#ifdef _WIN64
#define VR_TICK_COUNT64_SLOT "__imp_GetTickCount64"
#else
#define VR_TICK_COUNT64_SLOT "__imp__GetTickCount64@0"
#endif
extern "C" ULONGLONG(WINAPI* const vrTickCount64Slot)() __asm__(VR_TICK_COUNT64_SLOT) = TickCount64;
