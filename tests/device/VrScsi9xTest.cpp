// The ASPI transport of Windows 98 and Me against the simulated PC: the
// layer's load, the search over its host adapters, both routes to the
// player's drive letter, the DOS requests through "\\.\vwin32", and commands
// that end in an error status.
#include <gtest/gtest.h>

#include <memory>

#include "platform/sim/player/SimSense.h"
#include "tests/download/DownloadTestBed.h"
#include "updater/device/VrScsi_9x.h"
#include "updater/engine/VrUsbMscDev.h"
#include "updater/base/VrByteArray.h"
#include "updater/base/VrResult.h"

namespace {

const BYTE kRead10 = 0x28;
const BYTE kLockLogical = 0x4A, kLockPhysical = 0x4B, kUnlockLogical = 0x6A, kDriveMapInfo = 0x6F;
const wchar_t kPlayerKey[] = L"Enum\\SCSI\\Lumo____MP3_Audio_Player1";

class Scsi9x : public ::testing::TestWithParam<SimWindows> {
protected:
    Scsi9x() : bed(GetParam()) {}

    std::unique_ptr<CVrScsi_9x> Transport() { return std::make_unique<CVrScsi_9x>(bed.updater.GetContext()); }
    // Requests of one minor code made so far.
    std::vector<SimVwin32::Request> Made(BYTE minor) {
        std::vector<SimVwin32::Request> made;
        for (const SimVwin32::Request& request : bed.machine.Vwin32().Requests()) {
            if (request.minor == minor) made.push_back(request);
        }
        return made;
    }
    // A further instance of the player's device key, left by an earlier plug-in.
    void AddDeviceInstance(const std::wstring& instance, const std::wstring& lun, const std::wstring& letter) {
        SimRegistry& registry = bed.machine.Registry();
        std::shared_ptr<SimRegistry::Key> key;
        DWORD disposition = 0;
        ASSERT_EQ(ERROR_SUCCESS, registry.Create(registry.Root(HKEY_LOCAL_MACHINE),
                                                 std::wstring(kPlayerKey) + L"\\" + instance, key, disposition));
        auto set = [&](const wchar_t* name, const std::wstring& text) {
            registry.SetValue(*key, name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        };
        set(L"SCSILUN", lun);
        set(L"CurrentDriveLetterAssignment", letter);
    }

    DownloadTestBed bed;
};

TEST_P(Scsi9x, FindsThePlayerOnItsAdapterAmongOthersAndItsLetterByInt13) {
    bed.place.letter = L'G';
    bed.AttachPlayer(FirmwareChoice::kOld, 16, {L"SONG.MP3"});
    std::unique_ptr<CVrScsi_9x> transport = Transport();
    ASSERT_EQ(kVrOk, transport->GetLastResult());

    ASSERT_EQ(kVrOk, transport->FindDevice());
    EXPECT_EQ(2, transport->GetHostAdapter());  // after the IDE controller and the card reader
    EXPECT_EQ(L'G', transport->GetDriveLetter());
    EXPECT_EQ(1u, transport->IsFound());
    // The drive map was asked letter by letter until G answered with the
    // player's INT 13 unit; the handle is closed again.
    std::vector<SimVwin32::Request> maps = Made(kDriveMapInfo);
    ASSERT_FALSE(maps.empty());
    EXPECT_EQ(L'G', maps.back().letter);
    EXPECT_TRUE(maps.back().succeeded);
    EXPECT_EQ(kVrOk, transport->Close());

    // Later commands go to that adapter.
    CVrByteArray sector(512);
    ASSERT_EQ(kVrOk, transport->ReadSectors(sector, 1, 0, 512));
    EXPECT_EQ(0x55, sector.GetPtr(0)[510]);  // the data drive's partition table
}

TEST_P(Scsi9x, WithoutAnInt13DiskASingleRegistryCandidateIsTakenUnchecked) {
    bed.place.int13Drive = 0;  // only the protected-mode driver reaches it
    bed.AttachPlayer(FirmwareChoice::kOld);
    std::unique_ptr<CVrScsi_9x> transport = Transport();
    ASSERT_EQ(kVrOk, transport->FindDevice());
    EXPECT_EQ(L'E', transport->GetDriveLetter());
    EXPECT_TRUE(bed.machine.Vwin32().Requests().empty());  // no drive map asked at all
    EXPECT_EQ(kVrNotInt13Disk, bed.updater.GetErrorRecord().GetResultCode());  // why the registry was used
}

TEST_P(Scsi9x, ADriveMapThatFailsSendsTheSearchToTheRegistry) {
    bed.AttachPlayer(FirmwareChoice::kOld);
    bed.machine.Vwin32().RefuseDriveMap(L'E');
    std::unique_ptr<CVrScsi_9x> transport = Transport();
    ASSERT_EQ(kVrOk, transport->FindDevice());
    EXPECT_EQ(L'E', transport->GetDriveLetter());
    EXPECT_EQ(kVrDriveMapFailed, bed.updater.GetErrorRecord().GetResultCode());
}

TEST_P(Scsi9x, OfSeveralCandidatesTheProtectedModeDriveIsTaken) {
    bed.place.int13Drive = 0;
    bed.AttachPlayer(FirmwareChoice::kOld);
    bed.machine.MapFolder(L'F', DRIVE_REMOVABLE, std::filesystem::path());  // another removable drive
    AddDeviceInstance(L"USBSTOR&0", L"0", L"F");  // stale: before the player's in key order
    AddDeviceInstance(L"USBSTOR&1", L"1", L"F");  // another unit: passed over
    std::unique_ptr<CVrScsi_9x> transport = Transport();
    ASSERT_EQ(kVrOk, transport->FindDevice());
    EXPECT_EQ(L'E', transport->GetDriveLetter());
    std::vector<SimVwin32::Request> maps = Made(kDriveMapInfo);
    ASSERT_GE(maps.size(), 2u);
    EXPECT_EQ(L'F', maps.front().letter);
    EXPECT_EQ(L'E', maps.back().letter);

    // Without the DOS request device the candidates cannot be told apart.
    bed.machine.UnregisterDevice(L"vwin32");
    EXPECT_EQ(kVrDeviceOpenFailed, transport->FindDevice());
}

TEST_P(Scsi9x, NoRemovableCandidateEndsTheSearch) {
    bed.place.int13Drive = 0;
    bed.AttachPlayer(FirmwareChoice::kOld);
    ASSERT_EQ(ERROR_SUCCESS, bed.machine.Registry().Remove(bed.machine.Registry().Root(HKEY_LOCAL_MACHINE), kPlayerKey));
    AddDeviceInstance(L"USBSTOR&C", L"0", L"C");  // a letter that is a fixed disk
    std::unique_ptr<CVrScsi_9x> transport = Transport();
    EXPECT_EQ(kVrNoCandidateDrive, transport->FindDevice());
    EXPECT_EQ(kVrNoCandidateDrive, bed.updater.GetErrorRecord().GetResultCode());

    bed.port->Unplug();
    EXPECT_EQ(kVrNoPlayer, transport->FindDevice());
    EXPECT_EQ(CVrScsi_9x::kNoAdapter, transport->GetHostAdapter());
    EXPECT_EQ(0u, transport->IsFound());
}

TEST_P(Scsi9x, LocksCarryTheirPermissionsAndFallBackToTheOldCategory) {
    bed.AttachPlayer(FirmwareChoice::kOld, 16, {L"SONG.MP3"});
    std::unique_ptr<CVrScsi_9x> transport = Transport();
    ASSERT_EQ(kVrOk, transport->FindDevice());
    bed.machine.Vwin32().RefuseCategory(0x48);
    ASSERT_EQ(kVrOk, transport->Open());
    ASSERT_EQ(kVrOk, transport->Lock(0));
    EXPECT_TRUE(bed.volume->Locked());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, bed.host.GetFileAttributes(L"E:\\SONG.MP3"));  // locked away
    ASSERT_EQ(kVrOk, transport->LockForFormat(1));

    std::vector<SimVwin32::Request> logical = Made(kLockLogical), physical = Made(kLockPhysical);
    ASSERT_EQ(2u, logical.size());
    EXPECT_EQ(0x48, logical[0].category);
    EXPECT_FALSE(logical[0].succeeded);
    EXPECT_EQ(0x08, logical[1].category);
    EXPECT_TRUE(logical[1].succeeded);
    EXPECT_EQ(0, logical[1].permissions);
    ASSERT_EQ(2u, physical.size());
    EXPECT_EQ(4, physical[1].permissions);

    EXPECT_EQ(kVrOk, transport->Release(1));
    EXPECT_TRUE(bed.volume->Locked());  // the plain lock still holds
    EXPECT_EQ(kVrOk, transport->Unlock(0));
    EXPECT_FALSE(bed.volume->Locked());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, bed.host.GetFileAttributes(L"E:\\SONG.MP3"));
    EXPECT_EQ(kVrUnlockFailed, transport->Unlock(0));  // nothing left to unlock
    EXPECT_EQ(kVrOk, transport->Dismount());

    bed.volume->RefuseLock(true);
    EXPECT_EQ(kVrLockFailed, transport->Lock(0));
    EXPECT_EQ(static_cast<uint32_t>(5), bed.updater.GetErrorRecord().GetSystemError());  // the DOS error
    transport->Close();
    EXPECT_EQ(kVrLockFailed, transport->Lock(0));  // no handle: the control call itself fails
    bed.machine.UnregisterDevice(L"vwin32");
    EXPECT_EQ(kVrDeviceOpenFailed, transport->Open());
}

TEST_P(Scsi9x, TheGeometryComesFromTheDeviceParameters) {
    bed.AttachPlayer(FirmwareChoice::kOld, 64);
    std::unique_ptr<CVrScsi_9x> transport = Transport();
    ASSERT_EQ(kVrOk, transport->FindDevice());
    ASSERT_EQ(kVrOk, transport->Open());
    VrDiskGeometry geometry;
    ASSERT_EQ(kVrOk, transport->GetDriveGeometry(geometry));
    const uint64_t sectors = bed.player->MediumSectorCount();
    EXPECT_EQ(512u, geometry.bytesPerSector);
    EXPECT_EQ(63u, geometry.sectorsPerTrack);
    EXPECT_EQ(255u, geometry.tracksPerCylinder);
    EXPECT_EQ(std::max<uint64_t>(sectors / (255 * 63), 1), geometry.cylinders);
    // The device parameters exist in the old category only.
    for (const SimVwin32::Request& request : Made(0x60)) EXPECT_EQ(0x08, request.category);
    bed.port->Unplug();
    EXPECT_EQ(kVrControlFailed, transport->GetDriveGeometry(geometry));
}

TEST_P(Scsi9x, ARequestEndingInErrorKeepsItsStatusAndSense) {
    bed.AttachPlayer(FirmwareChoice::kOld);
    std::unique_ptr<CVrScsi_9x> transport = Transport();
    ASSERT_EQ(kVrOk, transport->FindDevice());
    const int32_t pumpsBefore = bed.progress.pumps;
    CVrByteArray sector(512);
    ASSERT_EQ(kVrOk, transport->ReadSectors(sector, 1, 0, 512));
    // The wait gave the interface one turn and then slept on the event: no polling.
    EXPECT_EQ(pumpsBefore + 1, bed.progress.pumps);

    bed.player->Faults().FailCommand(SimCommandMatch::Every(kRead10), SimSense::MediumNotPresent());
    EXPECT_EQ(kVrCheckCondition, transport->ReadSectors(sector, 1, 0, 512));
    const CVrErrorRecord& errors = bed.updater.GetErrorRecord();
    EXPECT_EQ(kVrCheckCondition, errors.GetResultCode());
    EXPECT_EQ(4u, errors.GetSystemError());  // the layer's error status
    ASSERT_NE(nullptr, transport->GetSense());
    ASSERT_EQ(14u, transport->GetSense()->GetCount());
    uint8_t sense[14] = {};
    transport->GetSense()->GetBytes(sense, 14, 0);
    EXPECT_EQ(0x02, sense[2] & 0x0F);  // not ready
    EXPECT_EQ(0x3A, sense[12]);
    EXPECT_NE(std::wstring::npos, errors.GetDetail().find(L"0x3a"));
}

TEST_P(Scsi9x, AnAspiLayerThatCannotServeIsReportedByTheDeviceAtOnce) {
    const struct {
        SimAspiInstall install;
        int32_t result;
    } cases[] = {{SimAspiInstall::kMissing, kVrAspiMissing},
                 {SimAspiInstall::kWithoutSend, kVrAspiEntryMissing},
                 {SimAspiInstall::kNotReady, kVrAspiNotReady}};
    for (const auto& fault : cases) {
        bed.machine.Aspi().SetInstall(fault.install);
        CVrUsbMscDev device(bed.updater.GetContext());
        EXPECT_EQ(fault.result, device.GetLastResult());
        EXPECT_EQ(fault.result, device.Connect());
        EXPECT_EQ(fault.result, bed.updater.GetErrorRecord().GetResultCode());
    }
    EXPECT_EQ(static_cast<uint32_t>(ERROR_MOD_NOT_FOUND), [&] {
        bed.machine.Aspi().SetInstall(SimAspiInstall::kMissing);
        CVrScsi_9x transport(bed.updater.GetContext());
        return bed.updater.GetErrorRecord().GetSystemError();
    }());
}

INSTANTIATE_TEST_SUITE_P(Windows98AndMe, Scsi9x, ::testing::Values(SimWindows::k98, SimWindows::kMe));

}  // namespace
