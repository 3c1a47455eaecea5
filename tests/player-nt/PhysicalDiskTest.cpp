// The player's whole medium as "\\.\PhysicalDrive1": the geometry and layout
// records byte for byte, the layout rewrite of the boot record and the
// volume that follows it, the locks it shares with the volume, and a search
// of the physical disks by INQUIRY.
#include <cstring>
#include <string>

#include "platform/sim/player/SimDiskLayout.h"
#include "platform/sim/player/SimPhysicalDisk.h"
#include "platform/sim/player/SimPlayerDrive.h"
#include "tests/player-nt/PlayerOnPc.h"

using namespace SimPartitionField;

namespace {

const uint64_t kTrack = 63;
const uint64_t kCylinder = 255 * 63;

class PhysicalDisk : public ::testing::Test {
protected:
    explicit PhysicalDisk(uint64_t sectors = 2000000) : player(std::make_shared<MemoryPlayer>(sectors)) {
        auto claims = std::make_shared<SimMediumClaims>();
        volume = std::make_shared<SimPlayerVolume>(player, claims);
        disk = std::make_shared<SimPhysicalDisk>(player, claims);
        machine.MapDrive(L'E', std::make_shared<SimPlayerDrive>(volume, DRIVE_REMOVABLE, machine.Clock()));
        machine.RegisterDevice(L"E:", volume);
        machine.RegisterDevice(L"PhysicalDrive1", disk);
        SimAttachSystemDisk(machine, 0);
    }

    HANDLE Open(const wchar_t* name) {
        return host.CreateFile(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    }
    HANDLE OpenDisk() { return Open(L"\\\\.\\PhysicalDrive1"); }
    // ERROR_SUCCESS, or the request's error.
    DWORD Control(HANDLE handle, DWORD code, const std::vector<BYTE>& in, std::vector<BYTE>* out = nullptr) {
        returned = 0xDEAD;
        const bool done = host.DeviceIoControl(handle, code, const_cast<BYTE*>(in.data()), DWORD(in.size()),
                                               out ? out->data() : nullptr, out ? DWORD(out->size()) : 0, &returned,
                                               nullptr);
        return done ? ERROR_SUCCESS : host.GetLastError();
    }
    std::vector<BYTE> Layout(HANDLE handle) {
        std::vector<BYTE> out(168, 0xCC);
        EXPECT_EQ(0u, Control(handle, kSimGetDriveLayout, {}, &out));
        EXPECT_EQ(136u, returned);
        out.resize(136);
        return out;
    }

    SimMachine machine;
    std::shared_ptr<MemoryPlayer> player;
    std::shared_ptr<SimPlayerVolume> volume;
    std::shared_ptr<SimPhysicalDisk> disk;
    SimHost host{machine, L"C:\\Caddis\\Caddis.exe"};
    DWORD returned = 0;
};

void Put64(BYTE* at, uint64_t value) {
    SimPut32(at, static_cast<uint32_t>(value));
    SimPut32(at + 4, static_cast<uint32_t>(value >> 32));
}

// The record the updater sends: one FAT16 partition from `hidden` to the
// end of the last whole cylinder, the other three entries to be cleared.
std::vector<BYTE> UpdaterLayout(uint64_t cylinders, uint32_t hidden) {
    std::vector<BYTE> record(136, 0);
    SimPut32(&record[0], 4);
    for (uint32_t i = 0; i < 4; ++i) {
        BYTE* entry = &record[8 + 32 * i];
        SimPut32(entry + kNumber, i + 1);
        entry[kRewrite] = 1;
    }
    BYTE* first = &record[8];
    Put64(first + kStartingOffset, uint64_t(hidden) * 512);
    Put64(first + kLength, cylinders * kCylinder * 512 - uint64_t(hidden) * 512);
    SimPut32(first + kHiddenSectors, hidden);
    first[kType] = 6;
    first[kRecognized] = 1;
    return record;
}

std::vector<BYTE> Bytes(std::initializer_list<int> values) {
    std::vector<BYTE> bytes;
    for (int value : values) bytes.push_back(static_cast<BYTE>(value));
    return bytes;
}

}  // namespace

TEST_F(PhysicalDisk, GeometryIsThatOfAUsbDisk) {
    HANDLE handle = OpenDisk();
    ASSERT_NE(INVALID_HANDLE_VALUE, handle);
    std::vector<BYTE> geometry(24, 0xCC);
    ASSERT_EQ(0u, Control(handle, kSimGetDriveGeometry, {}, &geometry));
    EXPECT_EQ(24u, returned);
    // 2,000,000 sectors hold 124 whole cylinders of 255 heads and 63 sectors.
    EXPECT_EQ(Bytes({124, 0, 0, 0, 0, 0, 0, 0, 11, 0, 0, 0, 255, 0, 0, 0, 63, 0, 0, 0, 0, 2, 0, 0}), geometry);
    std::vector<BYTE> tooSmall(23);
    EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), Control(handle, kSimGetDriveGeometry, {}, &tooSmall));
}

TEST_F(PhysicalDisk, SetLayoutRewritesTheTableAndTheVolumeFollows) {
    std::vector<BYTE> sector0 = Pattern(512, 3);
    sector0[510] = 0x55, sector0[511] = 0xAA;
    ASSERT_EQ(0u, player->WriteMedium(0, 1, sector0.data()));
    HANDLE handle = OpenDisk();
    ASSERT_EQ(0u, Control(handle, kSimSetDriveLayout, UpdaterLayout(124, 63)));

    const std::vector<BYTE> mbr = player->Sector(0);
    const uint32_t sectors = 124 * kCylinder - 63;
    std::vector<BYTE> entry = Bytes({0x00, 0x01, 0x01, 0x00, 0x06, 0xFE, 0x3F, 123, 63, 0, 0, 0});
    for (int shift = 0; shift < 32; shift += 8) entry.push_back(static_cast<BYTE>(sectors >> shift));
    EXPECT_EQ(entry, std::vector<BYTE>(mbr.begin() + 0x1BE, mbr.begin() + 0x1CE));
    EXPECT_EQ(std::vector<BYTE>(48, 0), std::vector<BYTE>(mbr.begin() + 0x1CE, mbr.begin() + 0x1FE));
    // Boot code and the disk signature the record set (0); the mark stays.
    EXPECT_TRUE(std::equal(sector0.begin(), sector0.begin() + 440, mbr.begin()));
    EXPECT_EQ(Bytes({0, 0, 0, 0}), std::vector<BYTE>(mbr.begin() + 440, mbr.begin() + 444));
    EXPECT_EQ(0x55, mbr[510]);
    EXPECT_EQ(0xAA, mbr[511]);

    std::vector<BYTE> expected(136, 0);
    SimPut32(&expected[0], 4);
    Put64(&expected[8 + kStartingOffset], 63 * 512);
    Put64(&expected[8 + kLength], uint64_t(sectors) * 512);
    SimPut32(&expected[8 + kHiddenSectors], 63);
    SimPut32(&expected[8 + kNumber], 1);
    expected[8 + kType] = 6;
    expected[8 + kRecognized] = 1;
    EXPECT_EQ(expected, Layout(handle));

    // A sector written through the disk at the partition's start is the
    // volume's first, once the volume is opened after the change.
    const std::vector<BYTE> boot = Pattern(512, 9);
    ASSERT_EQ(DWORD(63 * 512), host.SetFilePointer(handle, 63 * 512, nullptr, FILE_BEGIN));
    DWORD written = 0;
    ASSERT_TRUE(host.WriteFile(handle, boot.data(), 512, &written, nullptr));
    ASSERT_TRUE(host.CloseHandle(handle));
    HANDLE volumeHandle = Open(L"\\\\.\\E:");
    ASSERT_NE(INVALID_HANDLE_VALUE, volumeHandle);
    std::vector<BYTE> read(512);
    DWORD got = 0;
    ASSERT_TRUE(host.ReadFile(volumeHandle, read.data(), 512, &got, nullptr));
    EXPECT_EQ(boot, read);
    EXPECT_EQ(DWORD(sectors * 512), host.SetFilePointer(volumeHandle, 0, nullptr, FILE_END));
}

TEST_F(PhysicalDisk, BadLayoutsAreRefusedAndChangeNothing) {
    HANDLE handle = OpenDisk();
    ASSERT_EQ(0u, Control(handle, kSimSetDriveLayout, UpdaterLayout(124, 63)));
    const std::vector<BYTE> before = player->Sector(0);
    std::vector<std::vector<BYTE>> bad(6, UpdaterLayout(124, 63));
    bad[0].resize(8 + 3 * 32);                     // four entries counted, three sent
    SimPut32(&bad[1][0], 0);                       // no entries
    Put64(&bad[2][8 + kStartingOffset], 63 * 512 + 100);  // off sector bounds
    Put64(&bad[3][8 + kLength], 2000000ull * 512);  // past the end of the disk
    Put64(&bad[4][8 + kStartingOffset], 0);         // over the boot record
    BYTE* second = &bad[5][8 + 32];                 // over the first partition
    Put64(second + kStartingOffset, 1000 * 512);
    Put64(second + kLength, 512);
    second[kType] = 6;
    for (size_t i = 0; i < bad.size(); ++i) {
        EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), Control(handle, kSimSetDriveLayout, bad[i])) << "record " << i;
        EXPECT_EQ(before, player->Sector(0)) << "record " << i;
    }
}

class LargeDisk : public PhysicalDisk {
protected:
    LargeDisk() : PhysicalDisk(20000000) {}
};

TEST_F(LargeDisk, EndsPastCylinder1023CarryTheLbaMarker) {
    HANDLE handle = OpenDisk();
    ASSERT_EQ(0u, Control(handle, kSimSetDriveLayout, UpdaterLayout(1244, 63)));
    const std::vector<BYTE> mbr = player->Sector(0);
    EXPECT_EQ(Bytes({0x00, 0x01, 0x01, 0x00, 0x06, 0xFE, 0xFF, 0xFF}),
              std::vector<BYTE>(mbr.begin() + 0x1BE, mbr.begin() + 0x1C6));
}

TEST_F(PhysicalDisk, DiskAndVolumeLocksExcludeEachOther) {
    HANDLE volumeHandle = Open(L"\\\\.\\E:");
    ASSERT_NE(INVALID_HANDLE_VALUE, volumeHandle);
    HANDLE diskHandle = OpenDisk();
    ASSERT_NE(INVALID_HANDLE_VALUE, diskHandle);
    // Neither locks while the other has a data handle open.
    EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), Control(diskHandle, kSimLockVolume, {}));
    EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), Control(volumeHandle, kSimLockVolume, {}));
    ASSERT_TRUE(host.CloseHandle(diskHandle));
    ASSERT_EQ(0u, Control(volumeHandle, kSimLockVolume, {}));
    // The volume locked: the disk does not open.
    EXPECT_EQ(INVALID_HANDLE_VALUE, OpenDisk());
    EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), host.GetLastError());

    // The formatter's way: volume unlocked and closed, then the disk taken.
    ASSERT_EQ(0u, Control(volumeHandle, kSimUnlockVolume, {}));
    ASSERT_TRUE(host.CloseHandle(volumeHandle));
    diskHandle = OpenDisk();
    ASSERT_NE(INVALID_HANDLE_VALUE, diskHandle);
    ASSERT_EQ(0u, Control(diskHandle, kSimLockVolume, {}));
    EXPECT_EQ(INVALID_HANDLE_VALUE, Open(L"\\\\.\\E:"));
    ASSERT_TRUE(host.CloseHandle(diskHandle));  // closing unlocks
    volumeHandle = Open(L"\\\\.\\E:");
    ASSERT_NE(INVALID_HANDLE_VALUE, volumeHandle);
    EXPECT_EQ(0u, Control(volumeHandle, kSimLockVolume, {}));
    EXPECT_EQ(1u, disk->Requests().locks);
}

// How the updater finds the disk to format: the first physical disk whose
// INQUIRY names the player, PhysicalDrive0 being the PC's own.
TEST_F(PhysicalDisk, SearchByInquiryPassesOverThePcsDisk) {
    int found = -1;
    std::vector<std::string> products;
    for (int number = 0; number < 4 && found < 0; ++number) {
        const std::wstring name = L"\\\\.\\PhysicalDrive" + std::to_wstring(number);
        HANDLE handle = Open(name.c_str());
        if (handle == INVALID_HANDLE_VALUE) continue;
        std::vector<BYTE> record = PassThroughRecord({0x12, 0, 0, 0, 0x60, 0}, kSimDataIn, 96);
        std::vector<BYTE> out = record;
        ASSERT_EQ(0u, Control(handle, kSimScsiPassThrough, record, &out));
        const std::string product(reinterpret_cast<const char*>(&out[kDataAt + 16]), 16);
        products.push_back(product);
        if (product == "MP3 Audio Player" && std::memcmp(&out[kDataAt + 8], "Lumo    ", 8) == 0) found = number;
        host.CloseHandle(handle);
    }
    EXPECT_EQ(1, found);
    ASSERT_EQ(2u, products.size());
    EXPECT_NE("MP3 Audio Player", products[0]);
}

TEST(SimDiskGeometry, AMediumSmallerThanOneCylinderStillCoversWholeCylinders) {
    SimDiskGeometry small(8192, 512);  // 4 MiB
    EXPECT_EQ(64u, small.heads);
    EXPECT_EQ(32u, small.sectorsPerTrack);
    EXPECT_EQ(4u, small.cylinders);
    SimDiskGeometry usual(65536, 512);
    EXPECT_EQ(255u, usual.heads);
    EXPECT_EQ(63u, usual.sectorsPerTrack);
    EXPECT_EQ(4u, usual.cylinders);
}
