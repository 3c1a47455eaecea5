// Which drives belong to the player, on Windows 98 and Me: the device nodes
// in the registry name each device's drive letters and identification.
#include "usbsupport/QuellDriveSearch.h"

#include "tests/quell/QuellPc.h"

namespace {

class QuellDriveSearch9x : public QuellPc, public ::testing::WithParamInterface<SimWindows> {
protected:
    void SetUp() override { machine.SetWindows(GetParam()); }

    // A device node of the test's own, its values as raw bytes.
    void AddNode(const std::wstring& node, const std::wstring& hardwareKey,
                 const std::vector<std::pair<std::wstring, std::vector<BYTE>>>& values) {
        SimRegistry& registry = machine.Registry();
        std::shared_ptr<SimRegistry::Key> key;
        DWORD disposition = 0;
        registry.Create(registry.Root(HKEY_DYN_DATA), L"Config Manager\\Enum\\" + node, key, disposition);
        SetValue(*key, L"HardWareKey", Text(hardwareKey, true));
        registry.Create(registry.Root(HKEY_LOCAL_MACHINE), L"Enum\\" + hardwareKey, key, disposition);
        for (const auto& value : values) SetValue(*key, value.first, value.second);
    }
    void SetValue(SimRegistry::Key& key, const std::wstring& name, const std::vector<BYTE>& bytes) {
        machine.Registry().SetValue(key, name, REG_SZ, bytes.data(), static_cast<DWORD>(bytes.size()));
    }
    static std::vector<BYTE> Text(const std::wstring& text, bool terminated) {
        const BYTE* bytes = reinterpret_cast<const BYTE*>(text.c_str());
        return std::vector<BYTE>(bytes, bytes + (text.size() + (terminated ? 1 : 0)) * sizeof(wchar_t));
    }
};

TEST_P(QuellDriveSearch9x, FindsBothDrivesOfThePlayerInLetterOrder) {
    AddOtherDrives();
    PlugPlayer(L'F', 1, 2, 2);
    PlugPlayer(L'E', 1, 1, 1);

    std::wstring roots = L"?:\\?:\\";
    EXPECT_EQ(5, FindIdentifiedDrives(host, L"MP3 Audio Player", L"LUMO", roots));
    EXPECT_EQ(L"E:\\F:\\", roots);
    EXPECT_EQ(5, FindIdentifiedDrives(host, L"lumo", L"mp3 audio PLAYER", roots));
    EXPECT_EQ(L"E:\\F:\\", roots);
}

TEST_P(QuellDriveSearch9x, APlayerGoneLeavesOnlyItsHardwareKeyAndIsNotFound) {
    AddOtherDrives();
    std::shared_ptr<SimPlayerPort> player = PlugPlayer(L'E');
    player->Unplug();
    machine.MapFolder(L'E', DRIVE_REMOVABLE, std::filesystem::path());  // the letter taken by another disk

    std::wstring roots = L"?:\\?:\\";
    EXPECT_EQ(0, FindIdentifiedDrives(host, L"MP3 Audio Player", L"LUMO", roots));
    EXPECT_EQ(L"", roots);
}

TEST_P(QuellDriveSearch9x, RegistryValuesAreCutOrPassedOverAtTheirBounds) {
    for (wchar_t letter : std::wstring(L"CEKZ")) machine.MapFolder(letter, DRIVE_REMOVABLE, std::filesystem::path());
    // Letters outside A to Z are passed over, a name without a terminator
    // ends where its value ends.
    AddNode(L"C29A0100", L"SCSI\\LUMO____MP3_AUDIO_PLAYER\\1",
            {{L"CurrentDriveLetterAssignment", Text(L"@e1[?z", true)},
             {L"Manufacturer", Text(L"LUMO", false)},
             {L"ProductId", Text(L"MP3 Audio Player", true)}});
    // Values longer than their buffer count as missing: a hardware key, and
    // a drive letter assignment.
    AddNode(L"C29A0101", L"SCSI\\" + std::wstring(300, L'L'),
            {{L"CurrentDriveLetterAssignment", Text(L"K", true)},
             {L"Manufacturer", Text(L"LUMO", true)},
             {L"ProductId", Text(L"MP3 Audio Player", true)}});
    AddNode(L"C29A0102", L"SCSI\\LUMO____MP3_AUDIO_PLAYER\\2",
            {{L"CurrentDriveLetterAssignment", Text(L"K" + std::wstring(300, L'K'), true)},
             {L"Manufacturer", Text(L"LUMO", true)},
             {L"ProductId", Text(L"MP3 Audio Player", true)}});

    std::wstring roots;
    EXPECT_EQ(5, FindIdentifiedDrives(host, L"MP3 Audio Player", L"LUMO", roots));
    EXPECT_EQ(L"E:\\Z:\\", roots);
}

INSTANTIATE_TEST_SUITE_P(Windows98AndMe, QuellDriveSearch9x, ::testing::Values(SimWindows::k98, SimWindows::kMe));

}  // namespace
