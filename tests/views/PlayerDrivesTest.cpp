// The player's drives on the simulated PC: Quell's drive search finds the
// player, and the probe decides on the drive after it.
#include "manager/app/PlayerDrives.h"

#include "platform/sim/SimFolderDrive.h"
#include "tests/platform/SimTestFolder.h"
#include "tests/quell/QuellPc.h"
#include "usbsupport/QuellDriveSearch.h"

namespace {

class PlayerDriveDetection : public QuellPc {
protected:
    DriveList Detect() {
        PlayerDriveQuery quell = [this](std::wstring& roots, const std::wstring& first, const std::wstring& second) {
            return FindIdentifiedDrives(host, first, second, roots);
        };
        DriveList drives;
        DetectPlayerDrives(host, quell, drives);
        return drives;
    }

    SimTestFolder card;
};

TEST_F(PlayerDriveDetection, ACardAfterThePlayerIsItsSecondDriveAndTheProbeLeavesNothing) {
    AddOtherDrives();
    PlugPlayer(L'E');
    machine.MapFolder(L'F', DRIVE_REMOVABLE, card.Path());
    EXPECT_EQ((DriveList{L"E:", L"F:"}), Detect());
    EXPECT_TRUE(std::filesystem::is_empty(card.Path()));
}

TEST_F(PlayerDriveDetection, AUsersVokTmpIsNeitherTruncatedNorDeleted) {
    PlugPlayer(L'E');
    machine.MapFolder(L'F', DRIVE_REMOVABLE, card.Path());
    card.Write("VOK.TMP", {'k', 'e', 'e', 'p'});
    EXPECT_EQ((DriveList{L"E:", L"F:"}), Detect());
    EXPECT_EQ("keep", card.Read("VOK.TMP"));
}

TEST_F(PlayerDriveDetection, ADriveThatTakesNoFileIsNotTheSecond) {
    PlugPlayer(L'E');
    EXPECT_EQ((DriveList{L"E:"}), Detect());  // no drive F: at all

    machine.MapFolder(L'F', DRIVE_REMOVABLE, card.Path())->SetWriteProtected(true);
    EXPECT_EQ((DriveList{L"E:"}), Detect());
    card.Write("vok.tmp", {'x'});  // a user's file on a protected card proves nothing
    EXPECT_EQ((DriveList{L"E:"}), Detect());
    EXPECT_EQ("x", card.Read("vok.tmp"));
}

TEST_F(PlayerDriveDetection, NoPlayerNoDrives) {
    AddOtherDrives();
    machine.MapFolder(L'F', DRIVE_REMOVABLE, card.Path());
    EXPECT_TRUE(Detect().empty());
}

TEST_F(PlayerDriveDetection, APlayerAtZHasNoDriveAfterIt) {
    PlugPlayer(L'Z');
    EXPECT_EQ((DriveList{L"Z:"}), Detect());
    EXPECT_EQ(L"", NextDrive(L"Z:"));
    EXPECT_EQ(L"", NextDrive(L"z:"));
    EXPECT_EQ(L"F:", NextDrive(L"e:"));
    EXPECT_EQ(L"", NextDrive(L"?:"));
}

TEST(PlayerDriveNames, OnlyTheDrivesNamedAreThePlayers) {
    const DriveList drives{L"E:", L"F:"};
    EXPECT_EQ(0, PlayerDriveIndex(L"Removable Disk (E:)", drives));
    EXPECT_EQ(1, PlayerDriveIndex(L"Removable Disk (F:)", drives));
    EXPECT_EQ(-1, PlayerDriveIndex(L"Local Disk (C:)", drives));
    EXPECT_EQ(-1, PlayerDriveIndex(L"Removable Disk (G:)", drives));
    EXPECT_EQ(-1, PlayerDriveIndex(L"Local Disk (C:)", DriveList{L"", L""}));
    EXPECT_EQ(-1, PlayerDriveIndex(L"Removable Disk (E:)", DriveList{}));
}

}  // namespace
