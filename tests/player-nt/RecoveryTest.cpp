// The player in recovery mode on the PC: only its recovery device object
// shows; a stream of overlapped writes brings the mass-storage firmware,
// after which it comes back as a drive. Also the faults of the stream and
// the restarts that change how the player shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/SimHost.h"
#include "platform/sim/player/SimAllocation.h"
#include "platform/sim/player/SimBoot.h"
#include "platform/sim/player/SimCrc32.h"
#include "platform/sim/player/SimLittleEndian.h"
#include "platform/sim/player/SimPlayerPort.h"
#include "platform/sim/player/SimPlayerVolume.h"

namespace {

const DWORD kPiece = 4096;
const DWORD kDriveE = 1u << ('E' - 'A');

// One overlapped write and what its completion routine was told.
struct PieceWrite {
    OVERLAPPED overlapped = {};  // first, so the routine finds the rest
    DWORD error = 0xFFFFFFFF;
    DWORD transferred = 0;
};

void WINAPI Completed(DWORD error, DWORD transferred, OVERLAPPED* overlapped) {
    PieceWrite* write = reinterpret_cast<PieceWrite*>(overlapped);
    write->error = error;
    write->transferred = transferred;
}

struct Outcome {
    DWORD wait = 0;
    DWORD length = 0;
    DWORD error = 0;
    DWORD transferred = 0;
};

// Bytes closed by their CRC-32, as the shipped mass-storage image is.
std::vector<BYTE> Image(size_t length) {
    std::vector<BYTE> image(length);
    for (size_t i = 0; i + 4 < length; ++i) image[i] = static_cast<BYTE>(i * 31 + (i >> 9));
    SimPut32(&image[length - 4], SimCrc32(0, image.data(), length - 4));
    return image;
}

class Recovery : public ::testing::Test {
protected:
    // 3 × 4096 + 1808 bytes: the last piece is short.
    Recovery() : image(Image(3 * kPiece + 1808)) {
        SimPlayerState state(16 << 20);
        EXPECT_EQ(0, SimAllocateDrives(state, {{1, 0x50, 40000}, {0, 0x0A, 0}, {1, kSimMassStorageTag, 65536}}));
        state.mode = SimPlayerMode::kRecovery;  // its firmware drive erased
        player = std::make_shared<SimFlashPlayer>(std::move(state));
    }
    void Plug(unsigned recoveryDevice = 0) {
        SimPlayerPlace place;
        place.recoveryDevice = recoveryDevice;
        port = SimPlugPlayer(machine, player, place);
    }
    HANDLE OpenDevice(unsigned number = 0) {
        const std::wstring name = L"\\\\.\\VrMp3RecDevice" + std::to_wstring(number);
        return host.CreateFile(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_FLAG_OVERLAPPED, nullptr);
    }
    // One piece as the updater sends it: an overlapped write at offset 0,
    // then an alertable wait of at most 1000 ms.
    Outcome Send(HANDLE device, const BYTE* piece, DWORD length) {
        PieceWrite write;
        Outcome outcome;
        outcome.length = length;
        if (!host.WriteFileEx(device, piece, length, &write.overlapped, Completed)) {
            outcome.wait = WAIT_FAILED;
            outcome.error = host.GetLastError();
            return outcome;
        }
        outcome.wait = host.WaitForSingleObjectEx(event, 1000, TRUE);
        if (outcome.wait == WAIT_TIMEOUT) {
            host.CancelIo(device);
            EXPECT_EQ(DWORD(WAIT_IO_COMPLETION), host.WaitForSingleObjectEx(event, 1000, TRUE));
        }
        outcome.error = write.error;
        outcome.transferred = write.transferred;
        return outcome;
    }
    std::vector<Outcome> Stream(HANDLE device) {
        std::vector<Outcome> outcomes;
        for (size_t at = 0; at < image.size(); at += kPiece)
            outcomes.push_back(Send(device, &image[at], static_cast<DWORD>(std::min<size_t>(kPiece, image.size() - at))));
        return outcomes;
    }
    std::vector<BYTE> FirmwareDrive() {
        std::vector<BYTE> bytes(image.size());
        player->WithState([&](SimPlayerState& state) {
            state.flash.Read(state.drives[2].offset, bytes.data(), bytes.size());
        });
        return bytes;
    }

    const std::vector<BYTE> image;
    SimMachine machine;
    std::shared_ptr<SimFlashPlayer> player;
    SimHost host{machine, L"C:\\Caddis\\Caddis.exe"};
    HANDLE event = host.CreateEvent(nullptr, TRUE, FALSE, nullptr);
    std::shared_ptr<SimPlayerPort> port;
};

}  // namespace

TEST_F(Recovery, AWholeStreamBringsThePlayerBackAsADrive) {
    Plug(2);
    port->Recovery()->SetFaults({0, 0, 0, std::chrono::milliseconds(5)});  // completed by the device's own thread
    EXPECT_EQ(0u, host.GetLogicalDrives());
    EXPECT_EQ(INVALID_HANDLE_VALUE, OpenDevice(0));
    EXPECT_EQ(INVALID_HANDLE_VALUE, OpenDevice(1));
    EXPECT_EQ(INVALID_HANDLE_VALUE,
              host.CreateFile(L"\\\\.\\PhysicalDrive1", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    HANDLE device = OpenDevice(2);
    ASSERT_NE(INVALID_HANDLE_VALUE, device);
    auto recovery = port->Recovery();

    const std::vector<Outcome> outcomes = Stream(device);
    ASSERT_EQ(4u, outcomes.size());
    for (const Outcome& outcome : outcomes) {
        EXPECT_EQ(DWORD(WAIT_IO_COMPLETION), outcome.wait);
        EXPECT_EQ(0u, outcome.error);
        EXPECT_EQ(outcome.length, outcome.transferred);
    }
    EXPECT_EQ(1808u, outcomes.back().length);
    EXPECT_EQ(4u, recovery->Counts().writes);
    EXPECT_EQ(1u, recovery->Counts().recoveries);

    EXPECT_EQ(kDriveE, host.GetLogicalDrives());
    EXPECT_EQ(SimPlayerMode::kMassStorage, port->Mode());
    EXPECT_EQ(image, FirmwareDrive());
    EXPECT_EQ(INVALID_HANDLE_VALUE, OpenDevice(2));
    HANDLE volume = host.CreateFile(L"\\\\.\\E:", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, volume);
    // The old handle now reaches nothing.
    PieceWrite late;
    EXPECT_FALSE(host.WriteFileEx(device, image.data(), kPiece, &late.overlapped, Completed));
    EXPECT_EQ(DWORD(ERROR_DEVICE_NOT_CONNECTED), host.GetLastError());
}

TEST_F(Recovery, AShortWriteLeavesThePlayerInRecovery) {
    Plug();
    port->Recovery()->SetFaults({2, 0, 0, {}});
    HANDLE device = OpenDevice();
    const std::vector<Outcome> outcomes = Stream(device);
    ASSERT_EQ(4u, outcomes.size());
    EXPECT_EQ(0u, outcomes[1].error);
    EXPECT_EQ(kPiece / 2, outcomes[1].transferred);
    EXPECT_EQ(SimPlayerMode::kRecovery, port->Mode());
    EXPECT_EQ(0u, host.GetLogicalDrives());
    EXPECT_EQ(3 * kPiece + 1808 - kPiece / 2, port->Recovery()->Counts().bytes);
}

TEST_F(Recovery, AHungWriteEndsOnlyWhenCancelled) {
    Plug();
    port->Recovery()->SetFaults({0, 1, 0, {}});
    HANDLE device = OpenDevice();
    const Outcome hung = Send(device, image.data(), kPiece);
    EXPECT_EQ(DWORD(WAIT_TIMEOUT), hung.wait);
    EXPECT_EQ(DWORD(ERROR_OPERATION_ABORTED), hung.error);
    EXPECT_EQ(0u, hung.transferred);
    EXPECT_EQ(1u, port->Recovery()->Counts().cancelled);
    EXPECT_EQ(0u, port->Recovery()->Counts().bytes);
}

TEST_F(Recovery, ABrokenStreamNeedsAFreshOpen) {
    Plug();
    auto recovery = port->Recovery();
    recovery->SetFaults({0, 0, 2, {}});
    HANDLE device = OpenDevice();
    std::vector<Outcome> outcomes = Stream(device);
    EXPECT_EQ(DWORD(ERROR_GEN_FAILURE), outcomes[1].error);
    EXPECT_EQ(0u, outcomes[1].transferred);
    // The pieces after the break do not make an image.
    EXPECT_EQ(0u, outcomes[3].error);
    EXPECT_EQ(SimPlayerMode::kRecovery, port->Mode());

    ASSERT_TRUE(host.CloseHandle(device));
    device = OpenDevice();
    ASSERT_NE(INVALID_HANDLE_VALUE, device);
    outcomes = Stream(device);
    EXPECT_EQ(0u, outcomes.back().error);
    EXPECT_EQ(SimPlayerMode::kMassStorage, port->Mode());
    EXPECT_EQ(kDriveE, host.GetLogicalDrives());
    EXPECT_EQ(8u, recovery->Counts().writes);
    EXPECT_EQ(2u, recovery->Counts().opens);
}

// After the media were erased there is no drive for the firmware: the
// player runs it from memory this once.
TEST_F(Recovery, WithoutAFirmwareDriveTheImageRunsUntilTheNextRestart) {
    player->WithState([](SimPlayerState& state) { state.EraseMedia(); });
    Plug();
    HANDLE device = OpenDevice();
    Stream(device);
    EXPECT_EQ(SimPlayerMode::kMassStorage, port->Mode());
    EXPECT_EQ(kDriveE, host.GetLogicalDrives());
    port->Restart();
    EXPECT_EQ(SimPlayerMode::kRecovery, port->Mode());
    EXPECT_EQ(0u, host.GetLogicalDrives());
    HANDLE again = OpenDevice();
    EXPECT_NE(INVALID_HANDLE_VALUE, again);
}

// Erasing the firmware drive does not stop the firmware that runs; the
// player shows in recovery mode from its next start.
TEST_F(Recovery, AnErasedFirmwareDriveShowsAtTheNextRestart) {
    player->WithState([&](SimPlayerState& state) {
        state.flash.Write(state.drives[2].offset, image.data(), image.size());
        state.mode = SimPlayerMode::kMassStorage;
    });
    Plug();
    EXPECT_EQ(kDriveE, host.GetLogicalDrives());
    HANDLE volume = host.CreateFile(L"\\\\.\\E:", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, volume);
    EXPECT_EQ(INVALID_HANDLE_VALUE, OpenDevice());

    player->WithState([](SimPlayerState& state) { state.EraseDrive(state.drives[2]); });
    EXPECT_EQ(kDriveE, host.GetLogicalDrives());
    port->Restart();
    EXPECT_EQ(SimPlayerMode::kRecovery, port->Mode());
    EXPECT_EQ(0u, host.GetLogicalDrives());
    EXPECT_NE(INVALID_HANDLE_VALUE, OpenDevice());
    DWORD returned = 0;
    EXPECT_FALSE(host.DeviceIoControl(volume, kSimLockVolume, nullptr, 0, nullptr, 0, &returned, nullptr));
    EXPECT_EQ(DWORD(ERROR_DEVICE_NOT_CONNECTED), host.GetLastError());
}
