// The run counter that all processes with the library loaded share, with
// simulated processes on one simulated PC.
#include "usbsupport/QuellApp.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "platform/sim/SimHost.h"

namespace {

TEST(QuellRunCounter, CountsTheProcessesThatHaveTheLibraryLoaded) {
    SimMachine machine;
    std::atomic<uint32_t> shared{0};
    SimHost tavlo(machine, L"C:\\Tavlo\\Tavlo.exe");
    SimHost other(machine, L"C:\\Other\\Other.exe");
    auto first = std::make_unique<CQuellApp>(tavlo, shared);
    EXPECT_EQ(1u, first->RunCount());
    {
        CQuellApp second(other, shared);
        EXPECT_EQ(2u, first->RunCount());
        EXPECT_EQ(2u, second.RunCount());
    }
    EXPECT_EQ(1u, first->RunCount());
    first.reset();
    EXPECT_EQ(0u, shared.load());

    // A process leaving a counter that is already 0 leaves it at 0.
    auto late = std::make_unique<CQuellApp>(tavlo, shared);
    shared = 0;
    late.reset();
    EXPECT_EQ(0u, shared.load());
}

TEST(QuellRunCounter, ProcessesStartingAndEndingTogetherLoseNoCount) {
    SimMachine machine;
    std::atomic<uint32_t> shared{0};
    auto process = [&](const wchar_t* program) {
        SimHost host(machine, program);
        for (int i = 0; i < 20000; ++i) CQuellApp run(host, shared);
    };
    SimHost tavlo(machine, L"C:\\Tavlo.exe");
    CQuellApp staying(tavlo, shared);
    std::thread a(process, L"C:\\A.exe");
    std::thread b(process, L"C:\\B.exe");
    a.join();
    b.join();
    EXPECT_EQ(1u, staying.RunCount());
}

}  // namespace
