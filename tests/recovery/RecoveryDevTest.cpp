// The recovery transfer against a scripted driver: which device object is
// taken, how the image is cut into writes, and what a short, failing or
// hanging write leaves behind.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/sim/SimHost.h"
#include "tests/engine/EngineTestBed.h"
#include "tests/recovery/RecoveryDriver.h"
#include "updater/engine/VrRecoveryDev.h"
#include "updater/engine/VrFwComponent.h"
#include "updater/base/VrResult.h"
#include "updater/base/VrStages.h"

namespace {

const uint8_t kUsbMsc = 2;

class RecoveryDevTest : public ::testing::Test, protected EngineTestBed {
protected:
    RecoveryDevTest() { machine.RegisterDevice(L"VrMp3RecDevice2", driver); }

    // The mass-storage firmware file holds an image of `size` bytes; returns
    // the image as the component serves it.
    std::vector<uint8_t> ShipImage(size_t size) {
        WriteComponentFile("usbmsc.sb", ComponentFile("Component Version: 1.0.0\n", ImageBytes(size)));
        CVrFwComponent component(updater.GetContext(), kUsbMsc);
        std::vector<uint8_t> image(component.GetSize());
        component.GetData(0, static_cast<uint32_t>(image.size()), image.data());
        return image;
    }

    std::vector<size_t> PieceSizes() {
        std::vector<size_t> sizes;
        for (const std::vector<uint8_t>& piece : driver->Pieces()) sizes.push_back(piece.size());
        return sizes;
    }

    // Whether a completion routine is still queued for this thread: an
    // alertable wait on a signalled event runs it first.
    bool RoutineQueued() {
        HANDLE signalled = host.CreateEvent(nullptr, TRUE, TRUE, nullptr);
        const DWORD outcome = host.WaitForSingleObjectEx(signalled, 0, TRUE);
        host.CloseHandle(signalled);
        return outcome == WAIT_IO_COMPLETION;
    }

    std::shared_ptr<RecoveryDriver> driver = std::make_shared<RecoveryDriver>();
    CVrRecoveryDev device{updater.GetContext()};
};

}  // namespace

TEST_F(RecoveryDevTest, TakesTheFirstObjectThatOpensForOverlappedWriting) {
    ShipImage(100);
    auto later = std::make_shared<RecoveryDriver>();
    machine.RegisterDevice(L"VrMp3RecDevice3", later);

    ASSERT_EQ(kVrOk, device.Open());
    EXPECT_EQ(L"\\\\.\\VrMp3RecDevice2", device.GetDevicePath());
    EXPECT_EQ(0, later->Opens());
    const SimOpenRequest& request = driver->LastRequest();
    EXPECT_EQ(GENERIC_READ | GENERIC_WRITE, request.access);
    EXPECT_EQ(DWORD(FILE_SHARE_READ), request.share);
    EXPECT_EQ(DWORD(OPEN_EXISTING), request.disposition);
    EXPECT_EQ(DWORD(FILE_FLAG_OVERLAPPED), request.flags);
    EXPECT_TRUE(driver->StreamOpen());
}

TEST_F(RecoveryDevTest, NoObjectOpensKeepsTheLastAttemptsError) {
    ShipImage(100);
    machine.UnregisterDevice(L"VrMp3RecDevice2");
    auto refusing = std::make_shared<RecoveryDriver>();
    refusing->openError = ERROR_ACCESS_DENIED;
    machine.RegisterDevice(L"VrMp3RecDevice99", refusing);
    auto first = std::make_shared<RecoveryDriver>();
    first->openError = ERROR_GEN_FAILURE;
    machine.RegisterDevice(L"VrMp3RecDevice0", first);

    EXPECT_EQ(kVrNoRecoveryDevice, device.Open());
    EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), device.GetSystemError());
    const CVrErrorRecord& record = updater.GetErrorRecord();
    EXPECT_EQ("CVrRecoveryDev", record.GetObjectName());
    EXPECT_EQ(kVrNoRecoveryDevice, record.GetResultCode());
    EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), record.GetSystemError());
}

TEST_F(RecoveryDevTest, MissingFirmwareFileFailsTheOpenNamingTheComponent) {
    EXPECT_EQ(kVrFileOpenFailed, device.Open());
    EXPECT_EQ(kVrFileOpenFailed, updater.GetErrorRecord().GetResultCode());
    EXPECT_EQ(kUsbMsc, updater.GetErrorRecord().GetComponentIndex());
}

TEST_F(RecoveryDevTest, WholeBlocksGoOutOneWriteAndOneStepEach) {
    const std::vector<uint8_t> image = ShipImage(3 * 4096);
    ASSERT_EQ(kVrOk, device.Open());

    EXPECT_EQ(kVrOk, device.Download(progress));
    EXPECT_EQ((std::vector<size_t>{4096, 4096, 4096}), PieceSizes());
    EXPECT_EQ((std::vector<uint64_t>{0, 0, 0}), driver->Offsets());
    EXPECT_EQ(image, driver->Written());
    EXPECT_EQ((std::vector<RecordingProgress::Stage>{{kVrStageRecoveryTransfer, 3}}), progress.stages);
    EXPECT_EQ(3, progress.steps);
    EXPECT_FALSE(driver->StreamOpen());
    EXPECT_FALSE(device.IsOpen());
}

TEST_F(RecoveryDevTest, LastBlockGoesOutWithItsRealLength) {
    const std::vector<uint8_t> image = ShipImage(10000);
    driver->completion = RecoveryDriver::Completion::Later;
    ASSERT_EQ(kVrOk, device.Open());

    EXPECT_EQ(kVrOk, device.Download(progress));
    EXPECT_EQ((std::vector<size_t>{4096, 4096, 1808}), PieceSizes());
    EXPECT_EQ(image, driver->Written());
    EXPECT_EQ((std::vector<RecordingProgress::Stage>{{kVrStageRecoveryTransfer, 3}}), progress.stages);
}

TEST_F(RecoveryDevTest, ShortWriteEndsTheStreamWithTheHandleOpen) {
    ShipImage(3 * 4096);
    driver->completion = RecoveryDriver::Completion::Short;
    ASSERT_EQ(kVrOk, device.Open());

    EXPECT_EQ(kVrRecoveryWriteFailed, device.Download(progress));
    EXPECT_EQ(1u, driver->Pieces().size());
    EXPECT_TRUE(driver->StreamOpen());
    EXPECT_EQ(kVrRecoveryWriteFailed, updater.GetErrorRecord().GetResultCode());
}

TEST_F(RecoveryDevTest, WriteThatCannotStartKeepsTheSystemError) {
    ShipImage(100);
    driver->startError = ERROR_GEN_FAILURE;
    ASSERT_EQ(kVrOk, device.Open());

    EXPECT_EQ(kVrRecoveryWriteFailed, device.Download(progress));
    EXPECT_EQ(kVrRecoveryWriteFailed, updater.GetErrorRecord().GetResultCode());
    EXPECT_EQ(DWORD(ERROR_GEN_FAILURE), updater.GetErrorRecord().GetSystemError());
}

TEST_F(RecoveryDevTest, HangingWriteIsCancelledAndItsRoutineRunsBeforeTheReturn) {
    ShipImage(3 * 4096);
    driver->completion = RecoveryDriver::Completion::OnCancel;
    ASSERT_EQ(kVrOk, device.Open());
    const DWORD start = host.GetTickCount();

    EXPECT_EQ(kVrRecoveryWriteTimedOut, device.Download(progress));
    EXPECT_EQ(1, driver->Cancels());
    EXPECT_EQ(1u, driver->Pieces().size());
    EXPECT_GE(host.GetTickCount() - start, CVrRecoveryDev::kWriteTimeoutMs);
    EXPECT_FALSE(RoutineQueued());
    EXPECT_EQ(kVrRecoveryWriteTimedOut, updater.GetErrorRecord().GetResultCode());
}

TEST_F(RecoveryDevTest, EmptyImageIsRefusedBeforeAnyWrite) {
    ShipImage(0);
    EXPECT_EQ(kVrBadComponentFile, device.Open());
    EXPECT_EQ("CVrFwComponent", updater.GetErrorRecord().GetObjectName());
    EXPECT_EQ(kVrBadComponentFile, updater.GetErrorRecord().GetResultCode());

    EXPECT_NE(kVrOk, device.Download(progress));
    EXPECT_TRUE(driver->Pieces().empty());
    EXPECT_TRUE(progress.stages.empty());
}

TEST_F(RecoveryDevTest, UpdaterDropsTheRecoveryDeviceWhateverTheResult) {
    const std::vector<uint8_t> image = ShipImage(5000);
    EXPECT_EQ(kVrNoDeviceObject, updater.RecoveryDownload(progress));

    ASSERT_EQ(kVrOk, updater.OpenRecoveryDevice());
    ASSERT_NE(nullptr, updater.GetRecoveryDevice());
    EXPECT_EQ(kVrOk, updater.RecoveryDownload(progress));
    EXPECT_EQ(nullptr, updater.GetRecoveryDevice());
    EXPECT_EQ(image, driver->Written());

    driver->completion = RecoveryDriver::Completion::Short;
    ASSERT_EQ(kVrOk, updater.OpenRecoveryDevice());
    EXPECT_EQ(kVrRecoveryWriteFailed, updater.RecoveryDownload(progress));
    EXPECT_EQ(nullptr, updater.GetRecoveryDevice());
    EXPECT_FALSE(driver->StreamOpen());
}

// A driver that holds a cancelled write past the wait for it: the device is
// gone by the time the routine runs, which must find its record still there.
TEST_F(RecoveryDevTest, WriteHeldPastTheDeviceCompletesOnItsOwnRecord) {
    ShipImage(100);
    driver->completion = RecoveryDriver::Completion::Held;
    ASSERT_EQ(kVrOk, updater.OpenRecoveryDevice());
    EXPECT_EQ(kVrRecoveryWriteTimedOut, updater.RecoveryDownload(progress));
    EXPECT_EQ(nullptr, updater.GetRecoveryDevice());
    EXPECT_FALSE(RoutineQueued());

    driver->CompleteHeld();
    EXPECT_TRUE(RoutineQueued());
}
