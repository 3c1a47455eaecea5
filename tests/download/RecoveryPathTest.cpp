// The recovery path on the simulated PC: a player whose mass-storage
// firmware is gone gets it through the recovery driver, comes back as a
// drive, and is then updated normally.
#include <gtest/gtest.h>

#include "tests/download/DownloadTestBed.h"
#include "updater/base/VrResult.h"
#include "updater/base/VrStages.h"

namespace {

class RecoveryPath : public ::testing::Test {
protected:
    void SetUp() override {
        SimPlayerState state(uint64_t(16) << 20);
        ASSERT_EQ("", InstallFirmware(state, FirmwareChoice::kOld, bed.shipped));
        LoseMassStorageFirmware(state);
        bed.AttachPlayer(std::move(state));
        ASSERT_EQ(SimPlayerMode::kRecovery, bed.port->Mode());
        ASSERT_NE(nullptr, bed.port->Recovery());
    }
    DownloadTestBed bed;
};

TEST_F(RecoveryPath, TheImageArrivesInPiecesAndThePlayerComesBackAsADrive) {
    EXPECT_EQ(kVrNoPlayer, bed.updater.OpenDevice());  // no drive while in recovery mode
    DWORD drivesBefore = bed.host.GetLogicalDrives();
    std::shared_ptr<SimRecoveryDevice> device = bed.port->Recovery();

    ASSERT_EQ(kVrOk, bed.updater.OpenRecoveryDevice());
    ASSERT_EQ(kVrOk, bed.updater.RecoveryDownload(bed.progress));

    const size_t image = bed.Shipped(0x01).image.size();
    const StageRecorder::Stage* transfer = bed.progress.Find(kVrStageRecoveryTransfer);
    ASSERT_NE(nullptr, transfer);
    EXPECT_EQ(static_cast<int32_t>((image + 4095) / 4096), transfer->range);
    EXPECT_EQ(transfer->range, transfer->steps);  // one step per write
    EXPECT_EQ(static_cast<unsigned>(transfer->range), device->Counts().writes);
    EXPECT_EQ(image, device->Counts().bytes);  // the last write short

    EXPECT_NE(drivesBefore, bed.host.GetLogicalDrives());  // E: is back
    ASSERT_EQ(SimPlayerMode::kMassStorage, bed.port->Mode());
    ASSERT_EQ(kVrOk, bed.updater.OpenDevice());
    ASSERT_EQ(kVrOk, bed.updater.PlainDownload());
    const SimLogicalDrive* massStorage = bed.SystemDrive(0x01);
    ASSERT_NE(nullptr, massStorage);
    EXPECT_EQ(bed.Shipped(0x01).componentVersion, massStorage->componentVersion);
}

TEST_F(RecoveryPath, WritesThatFailLeaveThePlayerInRecoveryModeForAFreshAttempt) {
    std::shared_ptr<SimRecoveryDevice> device = bed.port->Recovery();
    SimRecoveryFaults faults;
    faults.shortWrite = 3;
    device->SetFaults(faults);
    ASSERT_EQ(kVrOk, bed.updater.OpenRecoveryDevice());
    EXPECT_EQ(kVrRecoveryWriteFailed, bed.updater.RecoveryDownload(bed.progress));
    EXPECT_EQ(SimPlayerMode::kRecovery, bed.port->Mode());

    faults = SimRecoveryFaults();
    faults.hangWrite = device->Counts().writes + 2;
    device->SetFaults(faults);
    ASSERT_EQ(kVrOk, bed.updater.OpenRecoveryDevice());
    EXPECT_EQ(kVrRecoveryWriteTimedOut, bed.updater.RecoveryDownload(bed.progress));
    EXPECT_EQ(1u, device->Counts().cancelled);
    EXPECT_EQ(SimPlayerMode::kRecovery, bed.port->Mode());

    // A new attempt starts the stream from the beginning and completes it.
    device->SetFaults(SimRecoveryFaults());
    ASSERT_EQ(kVrOk, bed.updater.OpenRecoveryDevice());
    EXPECT_EQ(kVrOk, bed.updater.RecoveryDownload(bed.progress));
    EXPECT_EQ(1u, device->Counts().recoveries);
    EXPECT_EQ(SimPlayerMode::kMassStorage, bed.port->Mode());
}

TEST_F(RecoveryPath, WithoutARecoveryDeviceOpeningFails) {
    bed.port->Unplug();
    EXPECT_EQ(kVrNoRecoveryDevice, bed.updater.OpenRecoveryDevice());
}

}  // namespace
