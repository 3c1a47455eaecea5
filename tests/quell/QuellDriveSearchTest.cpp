// Which drives belong to the player, on Windows 2000 and XP: each drive's
// storage device property names its vendor and product.
#include "usbsupport/QuellDriveSearch.h"

#include <cstring>

#include "platform/sim/SimDeviceFile.h"
#include "tests/quell/QuellPc.h"

namespace {

class QuellDriveSearch : public QuellPc {};

TEST_F(QuellDriveSearch, FindsBothDrivesOfThePlayerInLetterOrder) {
    AddOtherDrives();
    SimAttachFloppy(machine);
    PlugPlayer(L'F', 1, 2, 2);
    PlugPlayer(L'E', 1, 1, 1);
    SimAttachClosedDrive(machine, L'G');

    std::wstring roots = L"?:\\?:\\";
    EXPECT_EQ(5, FindIdentifiedDrives(host, L"MP3 Audio Player", L"LUMO", roots));
    EXPECT_EQ(L"E:\\F:\\", roots);
    // Either order, any case.
    EXPECT_EQ(5, FindIdentifiedDrives(host, L"lumo", L"mp3 AUDIO player", roots));
    EXPECT_EQ(L"E:\\F:\\", roots);
    // The vendor's padding and the product do not run into each other.
    EXPECT_EQ(0, FindIdentifiedDrives(host, L"LUMO", L"LUMO    MP3", roots));
}

TEST_F(QuellDriveSearch, NothingMatchingLeavesNoRoots) {
    AddOtherDrives();
    std::wstring roots = L"?:\\?:\\";
    EXPECT_EQ(0, FindIdentifiedDrives(host, L"MP3 Audio Player", L"LUMO", roots));
    EXPECT_EQ(L"", roots);
}

TEST_F(QuellDriveSearch, Windows2000AsksTheDrivesAsXpDoes) {
    machine.SetWindows(SimWindows::k2000);
    PlugPlayer(L'H');
    std::wstring roots;
    EXPECT_EQ(8, FindIdentifiedDrives(host, L"MP3 Audio Player", L"LUMO", roots));
    EXPECT_EQ(L"H:\\", roots);
}

// A volume whose storage property is a descriptor of the test's making:
// `reported` bytes of it are said to be returned, the rest of the caller's
// buffer is written with other text all the same.
class ForgedVolume final : public SimDevice, public SimDeviceFile, public std::enable_shared_from_this<ForgedVolume> {
public:
    ForgedVolume(std::vector<BYTE> bytes, DWORD reported) : bytes_(std::move(bytes)), reported_(reported) {}
    DWORD Open(const SimOpenRequest&, std::shared_ptr<SimFileObject>& file) override {
        file = shared_from_this();
        return ERROR_SUCCESS;
    }
    DWORD IoControl(DWORD code, const void*, DWORD, void* out, DWORD outSize, DWORD& returned) override {
        if (code != 0x2D1400 || outSize < bytes_.size()) return ERROR_INVALID_FUNCTION;
        std::memcpy(out, bytes_.data(), bytes_.size());
        returned = reported_;
        return ERROR_SUCCESS;
    }

private:
    const std::vector<BYTE> bytes_;
    const DWORD reported_;
};

// A descriptor header of 40 bytes with the vendor at 40 and the product after it.
std::vector<BYTE> Descriptor(const std::string& texts, DWORD vendorAt, DWORD productAt) {
    std::vector<BYTE> bytes(40 + texts.size(), 0);
    bytes[0] = 40;
    std::memcpy(&bytes[12], &vendorAt, 4);
    std::memcpy(&bytes[16], &productAt, 4);
    std::memcpy(&bytes[40], texts.data(), texts.size());
    return bytes;
}

TEST_F(QuellDriveSearch, DescriptorTextsAreReadOnlyWithinWhatTheDriverReturned) {
    machine.MapFolder(L'E', DRIVE_REMOVABLE, std::filesystem::path());
    machine.MapFolder(L'F', DRIVE_REMOVABLE, std::filesystem::path());
    // E: "Lumo" then a product that runs to the end of what was returned,
    // with more text past it; F: a product offset past that end.
    std::string texts = std::string("Lumo", 5) + "MP3 Audio Player" + "XYZ";
    machine.RegisterDevice(L"E:", std::make_shared<ForgedVolume>(Descriptor(texts, 40, 45), 61));
    machine.RegisterDevice(L"F:", std::make_shared<ForgedVolume>(Descriptor(texts, 40, 61), 61));

    std::wstring roots;
    EXPECT_EQ(5, FindIdentifiedDrives(host, L"MP3 Audio Player", L"LUMO", roots));
    EXPECT_EQ(L"E:\\", roots);
    EXPECT_EQ(0, FindIdentifiedDrives(host, L"MP3 Audio PlayerX", L"LUMO", roots));
}

}  // namespace
