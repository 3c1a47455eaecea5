// Plain downloads that meet a fault: the first failure ends the sequence with
// its code, the failure record explains it, and nothing crashes.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/sim/player/SimFaults.h"
#include "tests/download/DownloadTestBed.h"
#include "updater/app/VrLanguageResource.h"
#include "updater/base/VrResult.h"
#include "updater/base/VrStages.h"

namespace fs = std::filesystem;

namespace {

const BYTE kVendorWrite = 0xC1;
const BYTE kWriteDriveSectors = 0x23;

class DownloadFaults : public ::testing::Test {
protected:
    void SetUp() override {
        bed.AttachPlayer(FirmwareChoice::kOld);
        ASSERT_EQ(kVrOk, bed.updater.OpenDevice());
    }
    DownloadTestBed bed;
};

TEST_F(DownloadFaults, AVolumeThatWillNotLockIsTriedTenTimesAndLeftAlone) {
    bed.volume->RefuseLock(true);
    uint64_t served = bed.player->Faults().CommandsServed();

    EXPECT_EQ(kVrLockFailed, bed.updater.PlainDownload());
    SimVolumeRequests requests = bed.volume->Requests();
    EXPECT_EQ(10u, requests.lockAttempts);
    EXPECT_EQ(0u, requests.unlockAttempts);
    EXPECT_EQ(0u, requests.sectorWrites);
    EXPECT_EQ(served, bed.player->Faults().CommandsServed());  // nothing sent to the player
    EXPECT_EQ(nullptr, bed.progress.Find(kVrStageUnlock));     // Finish does not run
    EXPECT_EQ(kVrLockFailed, bed.updater.GetErrorRecord().GetResultCode());
}

TEST_F(DownloadFaults, ACheckConditionCarriesThePlayersStatusText) {
    bed.player->Faults().FailCommand(SimCommandMatch::Every(kVendorWrite, kWriteDriveSectors),
                                     SimSense::DeviceStatus(0x401));
    EXPECT_EQ(kVrCheckCondition, bed.updater.PlainDownload());

    std::wstring status;
    bed.resource->GetDeviceStatusText(0x401, status, false);
    const CVrErrorRecord& errors = bed.updater.GetErrorRecord();
    EXPECT_EQ(kVrCheckCondition, errors.GetResultCode());
    EXPECT_NE(std::wstring::npos, errors.GetDetail().find(status));
    EXPECT_NE(nullptr, bed.progress.Find(kVrStageClose));  // Finish ran
}

TEST_F(DownloadFaults, AReadBackThatDiffersStopsTheVerification) {
    const SimLogicalDrive* massStorage = bed.SystemDrive(0x01);  // component 2
    ASSERT_NE(nullptr, massStorage);
    bed.player->Faults().CorruptReadBack(massStorage->number);

    EXPECT_EQ(kVrVerifyMismatch, bed.updater.PlainDownload());
    EXPECT_EQ(2, bed.updater.GetErrorRecord().GetComponentIndex());
    // Only the boot manager's runs were verified before the difference.
    const StageRecorder::Stage* bootManagerWrite = bed.progress.Find(kVrStageWriteComponent + 1);
    const StageRecorder::Stage* verify = bed.progress.Find(kVrStageVerify);
    ASSERT_TRUE(bootManagerWrite && verify);
    EXPECT_EQ(bootManagerWrite->range, verify->steps);
}

TEST_F(DownloadFaults, APlayerPulledOutInTheMiddleEndsTheDownloadCleanly) {
    bed.player->Faults().RemoveAtCommand(bed.player->Faults().CommandsServed() + 12);
    int32_t result = bed.updater.PlainDownload();
    EXPECT_NE(kVrOk, result);
    EXPECT_FALSE(bed.player->Connected());
    EXPECT_NE(nullptr, bed.progress.Find(kVrStageUnlock));  // Finish still ran
    // The engine can be asked again: no player now.
    bed.updater.ReleaseDevice();
    EXPECT_NE(kVrOk, bed.updater.OpenDevice());
}

class ComponentFiles : public ::testing::Test {
protected:
    DownloadTestBed bed;
    fs::path File(const char* name) { return bed.folder.Path() / "Caddis" / name; }
};

TEST_F(ComponentFiles, AMissingFileIsNamed) {
    fs::remove(File("vrxasys.sb"));
    bed.AttachPlayer(FirmwareChoice::kOld);
    EXPECT_EQ(kVrFileOpenFailed, bed.updater.OpenDevice());
    const CVrErrorRecord& errors = bed.updater.GetErrorRecord();
    EXPECT_EQ(3, errors.GetComponentIndex());
    std::wstring message;
    bed.resource->GetComponentErrorText(kVrFileOpenFailed, message, errors.GetComponentIndex(), false);
    EXPECT_NE(std::wstring::npos, message.find(L"vrxasys.sb"));
}

TEST_F(ComponentFiles, AHeaderWithoutTheMarkerIsRefused) {
    std::ofstream(File("usbmsc.sb"), std::ios::binary | std::ios::trunc)
        << "Product Version: 1.5.0\nComponent Version: 1.5.7\nno marker follows\n";
    EXPECT_EQ(kVrBadComponentFile, bed.updater.OpenDevice());  // no player needed to find out
    EXPECT_EQ(2, bed.updater.GetErrorRecord().GetComponentIndex());
}

}  // namespace
