// Finding the player among the drives and disks, and choosing the transport.
#include <gtest/gtest.h>

#include <vector>

#include "tests/device/TransportTestBed.h"
#include "updater/device/VrStandardCommands.h"

using namespace scripted;

namespace {

class VrScsiSearch : public ::testing::Test, public TransportTestBed {};

const std::vector<uint8_t> kInquiry = {0x12, 0, 0, 0, 0x60, 0};
const std::vector<uint8_t> kIsPlayer = {0xC0, 0x02, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

}  // namespace

TEST_F(VrScsiSearch, DriveSearchTakesOnlyARemovablePlayerThatSaysSo) {
    auto floppy = Player();
    auto fixed = Player();
    auto otherVendor = std::make_shared<Unit>("Other   ", "MP3 Audio Player", true);
    auto notAPlayer = std::make_shared<Unit>("lumo    ", "mp3 audio player", false);
    auto player = Player();
    Attach(machine, L'A', DRIVE_REMOVABLE, floppy);
    Attach(machine, L'C', DRIVE_FIXED, fixed);
    Attach(machine, L'D', DRIVE_REMOVABLE, nullptr);  // cannot be opened
    Attach(machine, L'F', DRIVE_REMOVABLE, otherVendor);
    Attach(machine, L'G', DRIVE_REMOVABLE, notAPlayer);
    Attach(machine, L'H', DRIVE_REMOVABLE, player);

    ASSERT_EQ(kVrOk, transport.FindDevice());
    EXPECT_EQ(L'H', transport.GetDriveLetter());
    EXPECT_EQ(0, floppy->Opens());
    EXPECT_EQ(0, fixed->Opens());
    EXPECT_EQ(std::vector<std::vector<uint8_t>>{kInquiry}, otherVendor->Commands());
    // Case does not matter for the identity, but the unit must say it is a player.
    EXPECT_EQ((std::vector<std::vector<uint8_t>>{kInquiry, kIsPlayer}), notAPlayer->Commands());
    EXPECT_EQ((std::vector<std::vector<uint8_t>>{kInquiry, kIsPlayer}), player->Commands());
    for (auto& unit : {otherVendor, notAPlayer, player}) EXPECT_EQ(0, unit->OpenFiles());

    // The next command opens the volume by its letter.
    CVrReadCapacity capacity;
    ASSERT_EQ(kVrOk, transport.SendCommand(capacity));
    EXPECT_EQ(3u, player->Commands().size());

    machine.UnregisterDevice(L"H:");
    EXPECT_EQ(kVrNoPlayer, transport.FindDevice());
    EXPECT_EQ(0, transport.GetDriveLetter());
}

TEST_F(VrScsiSearch, DiskSearchKeepsThePlayersDiskOpen) {
    auto otherDisk = std::make_shared<Unit>("Other   ", "Hard Disk       ", false);
    // The disk search looks at the identity only.
    auto playerDisk = std::make_shared<Unit>("Lumo    ", "MP3 Audio Player", false);
    machine.RegisterDevice(L"PhysicalDrive0", otherDisk);
    machine.RegisterDevice(L"PhysicalDrive3", playerDisk);

    ASSERT_EQ(kVrOk, transport.FindByPhysicalDrive());
    EXPECT_EQ(0, otherDisk->OpenFiles());
    EXPECT_EQ(1, playerDisk->OpenFiles());
    EXPECT_EQ(std::vector<std::vector<uint8_t>>{kInquiry}, playerDisk->Commands());
    CVrReadCapacity capacity;
    ASSERT_EQ(kVrOk, transport.SendCommand(capacity));
    EXPECT_EQ(2u, playerDisk->Commands().size());

    machine.UnregisterDevice(L"PhysicalDrive3");
    EXPECT_EQ(kVrNoPlayer, transport.FindByPhysicalDrive());
    EXPECT_EQ(0, playerDisk->OpenFiles());
}

TEST_F(VrScsiSearch, EachSystemClassGetsItsTransport) {
    auto player = Player();
    Attach(machine, L'E', DRIVE_REMOVABLE, player);
    struct Case {
        DWORD platform, major, minor;
        int32_t result;
        const char* transport;
    };
    // NT 4.0 counts with Windows 95 and 98 but has no ASPI layer here (a PC
    // once made Windows 98 keeps its layer, so it comes first).
    for (const Case& c : {Case{VER_PLATFORM_WIN32_NT, 4, 0, kVrAspiMissing, ""},
                          Case{VER_PLATFORM_WIN32_NT, 5, 0, kVrOk, "CVrScsi_Nt"},
                          Case{VER_PLATFORM_WIN32_NT, 5, 1, kVrOk, "CVrScsi_Nt"},
                          Case{VER_PLATFORM_WIN32_WINDOWS, 4, 10, kVrOk, "CVrScsi_9x"},
                          Case{VER_PLATFORM_WIN32_WINDOWS, 4, 90, kVrOk, "CVrScsi_9x"},
                          Case{VER_PLATFORM_WIN32_WINDOWS, 4, 50, kVrNoTransport, ""},
                          Case{VER_PLATFORM_WIN32_NT, 6, 0, kVrNoTransport, ""}}) {
        SimVersion version;
        version.platformId = c.platform, version.major = c.major, version.minor = c.minor;
        machine.SetVersion(version);
        int32_t result = 1;
        std::unique_ptr<CVrScsiDevice> created = CVrScsiDevice::Create(updater.GetContext(), result);
        EXPECT_EQ(c.result, result) << c.major << "." << c.minor;
        EXPECT_EQ(c.result == kVrOk, created != nullptr);
        if (created) {
            EXPECT_EQ(c.transport, created->GetObjectName());
        }
    }
    EXPECT_EQ(0, player->Opens());
}
