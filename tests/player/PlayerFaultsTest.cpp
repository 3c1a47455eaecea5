// Faults on request: failing, hanging and slow commands, removal, and reads
// that come back changed.
#include "PlayerTestSupport.h"

#include <atomic>
#include <chrono>
#include <thread>

using namespace player_test;

namespace {

class PlayerFaults : public ::testing::Test {
protected:
    SimFlashPlayer player{SimPlayerState(64 << 20)};
    SimFaults& faults = player.Faults();

    void SetUp() override { ASSERT_TRUE(IsGood(Allocate(player, UpdaterTable()))); }

    Reply Chip() { return Send(player, VendorBlock(0xC0, 0x30), 2); }
    Reply WriteSector(BYTE drive, const Bytes& data) {
        return Send(player, SectorBlock(0xC1, 0x23, drive, 0, 1), 0, data);
    }
    Reply ReadSector(BYTE drive, size_t bytes) { return Send(player, SectorBlock(0xC0, 0x13, drive, 0, 1), bytes); }

    // Waits (in real time, briefly) until `count` commands hang.
    bool AwaitHanging(int count) {
        for (int i = 0; i < 2000 && faults.Hanging() != count; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return faults.Hanging() == count;
    }
};

}  // namespace

TEST_F(PlayerFaults, FailsTheNthCommandOrEveryCommandOfAKind) {
    EXPECT_EQ(1u, faults.CommandsServed());  // the allocation
    const SimSense flashError = SimSense::DeviceStatus(0x402);
    faults.FailCommand(SimCommandMatch::Nth(3), flashError);
    EXPECT_TRUE(IsGood(Chip()));
    EXPECT_TRUE(HasStatus(Chip(), 0x402));
    EXPECT_TRUE(IsGood(Chip()));
    EXPECT_EQ(4u, faults.CommandsServed());

    faults.FailCommand(SimCommandMatch::Every(0xC1, 0x23), SimSense::InvalidFieldInCdb());
    EXPECT_TRUE(HasSense(WriteSector(2, Bytes(2048, 0)), 5, 0x24));
    EXPECT_TRUE(HasSense(WriteSector(3, Bytes(2048, 0)), 5, 0x24));
    EXPECT_TRUE(IsGood(ReadSector(2, 2048)));
    faults.FailCommand(SimCommandMatch::Every(0x2A), SimSense::DeviceStatus(0x402));
    Bytes sector(512, 0);
    EXPECT_EQ(static_cast<DWORD>(ERROR_IO_DEVICE), player.WriteMedium(0, 1, sector.data()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), player.ReadMedium(0, 1, sector.data()));

    faults.Clear();
    EXPECT_TRUE(IsGood(WriteSector(2, Bytes(2048, 0))));
}

TEST_F(PlayerFaults, ThePlayerIsGoneFromTheNthCommandOn) {
    faults.RemoveAtCommand(3);
    EXPECT_TRUE(IsGood(Chip()));
    EXPECT_TRUE(player.Connected());
    EXPECT_TRUE(HasSense(Chip(), 2, 0x3A));
    EXPECT_FALSE(player.Connected());
    EXPECT_TRUE(HasSense(Chip(), 2, 0x3A));
    Bytes sector(512);
    EXPECT_EQ(static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED), player.ReadMedium(0, 1, sector.data()));
    faults.Clear();  // the player stays out
    EXPECT_FALSE(player.Connected());
}

TEST_F(PlayerFaults, AHangingCommandWaitsUntilReleasedOrRemoved) {
    faults.HangCommand(SimCommandMatch::Every(0xC0, 0x30));
    std::atomic<bool> done{false};
    Reply released;
    std::thread pc([&] {
        released = Chip();
        done = true;
    });
    // The thread is always let go before anything is asserted.
    const bool hung = AwaitHanging(1);
    const bool answeredWhileHanging = done;
    faults.ReleaseHung();
    pc.join();
    ASSERT_TRUE(hung);
    EXPECT_FALSE(answeredWhileHanging);
    EXPECT_TRUE(IsGood(released));  // released, it is served as usual
    EXPECT_EQ(0, faults.Hanging());

    Reply removed;
    std::thread second([&] { removed = Chip(); });
    const bool hungAgain = AwaitHanging(1);
    faults.Remove();
    second.join();
    ASSERT_TRUE(hungAgain);
    EXPECT_TRUE(HasSense(removed, 2, 0x3A));
    EXPECT_FALSE(player.Connected());
}

TEST_F(PlayerFaults, ReadsOfAWatchedDriveComeBackWithOneByteChanged) {
    const Bytes system(2048, 0x42);
    ASSERT_TRUE(IsGood(WriteSector(3, system)));
    ASSERT_TRUE(IsGood(WriteSector(4, system)));
    const Bytes data(512, 0x24);
    ASSERT_TRUE(IsGood(WriteSector(1, data)));

    faults.CorruptReadBack(3);
    faults.CorruptReadBack(1);  // the data drive
    auto differences = [](const Bytes& a, const Bytes& b) {
        size_t count = 0;
        for (size_t i = 0; i < a.size() && i < b.size(); ++i) count += a[i] != b[i];
        return count + (a.size() > b.size() ? a.size() - b.size() : b.size() - a.size());
    };
    EXPECT_EQ(1u, differences(system, ReadSector(3, 2048).data));
    EXPECT_EQ(0u, differences(system, ReadSector(4, 2048).data));
    EXPECT_EQ(1u, differences(data, Send(player, Block10(0x28, 0, 1), 512).data));
    Bytes medium(512);
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), player.ReadMedium(0, 1, medium.data()));
    EXPECT_EQ(1u, differences(data, medium));
    // What the drive holds is unchanged.
    faults.Clear();
    EXPECT_EQ(system, ReadSector(3, 2048).data);
}

TEST_F(PlayerFaults, LatencyMakesEveryCommandTakeRealTime) {
    faults.SetLatency(std::chrono::milliseconds(30));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(IsGood(Chip()));
    Bytes sector(512);
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), player.ReadMedium(0, 1, sector.data()));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(60));
}
