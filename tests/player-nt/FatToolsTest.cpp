// The FAT code against the file-system tools of the development machine:
// what it writes must pass their check and read back with them, and volumes
// they make must read and write here. Without the tools (and always in the
// Windows build) these tests skip.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/platform/SimTestFolder.h"
#include "tests/player-nt/PlayerOnPc.h"

namespace {

std::string Tool(const std::string& name) {
#ifndef _WIN32
    for (const char* folder : {"/usr/sbin", "/sbin", "/usr/bin", "/bin"}) {
        std::filesystem::path path = std::filesystem::path(folder) / name;
        if (std::filesystem::exists(path)) return path.string();
    }
#endif
    (void)name;
    return "";
}

// Runs a command line; true when it exits with 0. Its output goes to `output`.
bool RunTool(const std::string& command, const SimTestFolder& folder, std::string& output) {
    std::filesystem::path log = folder.Path() / "tool.log";
    // Images of odd sizes are fine: no geometry check.
    int status = std::system(("MTOOLS_SKIP_CHECK=1 " + command + " >'" + log.string() + "' 2>&1").c_str());
    std::ifstream in(log);
    output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return status == 0;
}

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

class FatTools : public ::testing::TestWithParam<SimFatKind> {
protected:
    void SetUp() override {
        fsck = Tool("fsck.fat");
        mkfs = Tool("mkfs.fat");
        mcopy = Tool("mcopy");
        if (fsck.empty() || mkfs.empty() || mcopy.empty()) GTEST_SKIP() << "dosfstools and mtools are not installed";
    }
    // Copies a file out of the image with the tools; its bytes.
    std::vector<BYTE> CopyOut(const std::filesystem::path& image, const std::string& name) {
        std::filesystem::path out = folder.Path() / "copied";
        std::filesystem::remove(out);
        std::string output;
        EXPECT_TRUE(RunTool(mcopy + " -i " + Quoted(image) + " '::/" + name + "' " + Quoted(out), folder, output))
            << output;
        return ReadHostFile(out);
    }
    void ExpectClean(const std::filesystem::path& image) {
        std::string output;
        EXPECT_TRUE(RunTool(fsck + " -n " + Quoted(image), folder, output)) << output;
    }

    std::string fsck, mkfs, mcopy;
    SimTestFolder folder;
    SimMachine machine;
    SimHost host{machine, L"C:\\Caddis\\Caddis.exe"};
};

class WrittenHere : public FatTools {};
class MadeByTheTools : public FatTools {};

const SYSTEMTIME kStamp = {2005, 3, 1, 14, 9, 30, 0, 0};

std::string KindName(const ::testing::TestParamInfo<SimFatKind>& info) {
    return info.param == SimFatKind::kFat12 ? "Fat12" : info.param == SimFatKind::kFat16 ? "Fat16" : "Fat32";
}

}  // namespace

TEST_P(WrittenHere, IsCleanForTheToolsAndReadsBackWithThem) {
    const uint64_t sectors = 73728;  // 36 MiB
    auto player = std::make_shared<MemoryPlayer>(sectors);
    SimAttachPlayer(machine, L'E', player);
    ASSERT_EQ(0u, SimFatFormat(*player, GetParam()));
    const std::vector<BYTE> song = Pattern(70000, 4), settings = Pattern(5000, 5);
    ASSERT_EQ(0u, SimFatWriteFile(*player, L"Track Number One.mp3", song, kStamp));
    ASSERT_EQ(0u, SimFatWriteFile(*player, L"SETTINGS.DAT", settings, kStamp));
    for (int i = 0; i < 40; ++i) {
        ASSERT_EQ(0u, SimFatWriteFile(*player, L"song" + std::to_wstring(i) + L".mp3", Pattern(1500, BYTE(i)), kStamp));
    }
    for (int i = 0; i < 40; i += 3) ASSERT_TRUE(host.DeleteFile((L"E:\\SONG" + std::to_wstring(i) + L".MP3").c_str()));
    ASSERT_EQ(0u, SimFatWriteFile(*player, L"SETTINGS.DAT", Pattern(700, 6), kStamp));  // shorter: clusters freed

    std::filesystem::path image = folder.Path() / "volume.img";
    player->SaveImage(image, 63, sectors - 63);
    ExpectClean(image);
    EXPECT_EQ(song, CopyOut(image, "Track Number One.mp3"));
    EXPECT_EQ(Pattern(700, 6), CopyOut(image, "SETTINGS.DAT"));
    EXPECT_EQ(Pattern(1500, 7), CopyOut(image, "song7.mp3"));
}

TEST_P(MadeByTheTools, ReadsAndWritesHere) {
    const int bits = GetParam() == SimFatKind::kFat12 ? 12 : GetParam() == SimFatKind::kFat16 ? 16 : 32;
    const int kibibytes = bits == 12 ? 4096 : bits == 16 ? 16384 : 40960;
    std::filesystem::path image = folder.Path() / "made.img";
    std::string output;
    ASSERT_TRUE(RunTool(mkfs + " -C -F " + std::to_string(bits) + " " + Quoted(image) + " " + std::to_string(kibibytes),
                    folder, output))
        << output;
    const std::vector<BYTE> song = Pattern(9000, 8);
    folder.Write("song.bin", song);
    folder.Write("settings.bin", {1, 2, 3});
    ASSERT_TRUE(RunTool(mcopy + " -i " + Quoted(image) + " " + Quoted(folder.Path() / "song.bin") +
                        " '::/Long Name Song.mp3'",
                    folder, output))
        << output;
    ASSERT_TRUE(
        RunTool(mcopy + " -i " + Quoted(image) + " " + Quoted(folder.Path() / "settings.bin") + " ::/SETTINGS.DAT",
            folder, output))
        << output;

    // The image has no partition table: the player's medium is one volume.
    auto player = std::make_shared<MemoryPlayer>(uint64_t(kibibytes) * 2);
    player->LoadImage(image);
    SimAttachPlayer(machine, L'E', player);
    HANDLE file = host.CreateFile(L"E:\\long name song.MP3", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    std::vector<BYTE> back(10000);
    DWORD done = 0;
    ASSERT_TRUE(host.ReadFile(file, back.data(), 10000, &done, nullptr));
    back.resize(done);
    EXPECT_EQ(song, back);
    host.CloseHandle(file);

    ASSERT_TRUE(host.DeleteFile(L"E:\\SETTINGS.DAT"));
    const std::vector<BYTE> written = Pattern(20000, 9);
    file = host.CreateFile(L"E:\\Written Here.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    ASSERT_TRUE(host.WriteFile(file, written.data(), static_cast<DWORD>(written.size()), &done, nullptr));
    host.CloseHandle(file);

    player->SaveImage(image, 0, player->MediumSectorCount());
    ExpectClean(image);
    EXPECT_EQ(written, CopyOut(image, "Written Here.txt"));
    EXPECT_EQ(song, CopyOut(image, "Long Name Song.mp3"));
}

INSTANTIATE_TEST_SUITE_P(Kinds, WrittenHere, ::testing::Values(SimFatKind::kFat16, SimFatKind::kFat32), KindName);
INSTANTIATE_TEST_SUITE_P(Kinds, MadeByTheTools,
                         ::testing::Values(SimFatKind::kFat12, SimFatKind::kFat16, SimFatKind::kFat32), KindName);
