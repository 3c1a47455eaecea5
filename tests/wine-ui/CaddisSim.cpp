// caddis-sim: the updater's Windows dialogs on a simulated PC, for the
// screenshot run under Wine. It is Caddis.exe with the simulated PC in place
// of Windows' own services (so it never ships): its drive C: holds Caddis with
// its component files and language libraries, the user's language is the one
// given, and a simulated player is plugged in once the search dialog has been
// seen. A scripted user walks through every window and keeps a picture of
// each; the program succeeds only when the whole tour ran and the player
// carries the shipped firmware afterwards.
//
//   caddis-sim --language 0x0411 --player old|small|recovery --pictures FOLDER
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/TextCodec.h"
#include "tests/support/SimulatedPc.h"
#include "tests/wine-ui/ScreenshotScript.h"
#include "updater/app/VrLanguage.h"
#include "updater/app/VrUpdaterApp.h"
#include "updater/win32/VrWin32FrontEnd.h"

namespace {

// The whole tour takes some seconds; a program stuck in a loop that no
// longer pumps messages would otherwise hang the test run.
const auto kTimeLimit = std::chrono::seconds(120);

struct Options {
    LANGID language = 0x0409;
    std::string player = "old";
    std::wstring pictures;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--language") == 0) {
            options.language = static_cast<LANGID>(std::strtoul(argv[i + 1], nullptr, 16));
        } else if (std::strcmp(argv[i], "--player") == 0) {
            options.player = argv[i + 1];
        } else if (std::strcmp(argv[i], "--pictures") == 0) {
            options.pictures = WideFromUtf8(argv[i + 1]);
        } else {
            return false;
        }
    }
    return (argc % 2) == 1 && !options.pictures.empty() &&
           (options.player == "old" || options.player == "small" || options.player == "recovery");
}

// Ends the process when the tour has not finished in time, whatever the
// user-interface thread is doing.
class TimeLimit {
public:
    explicit TimeLimit(const ScreenshotScript& script) : m_thread([this, &script] { Watch(script); }) {}
    ~TimeLimit() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_over = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }

private:
    void Watch(const ScreenshotScript& script) {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_changed.wait_for(lock, kTimeLimit, [this] { return m_over; })) return;
        std::fprintf(stderr, "caddis-sim: no end after %lld s, waiting for %s\n",
                     static_cast<long long>(kTimeLimit.count()), script.Waiting());
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_over = false;
    std::thread m_thread;
};

// Every system drive holds its shipped image with the shipped versions, and
// the data drive starts with a boot record: the player had none before, and
// only a full download writes one.
std::string UpdateDifference(const SimulatedPc& pc) {
    if (!pc.player) return "no player was plugged in";
    const SimLogicalDrive* data = pc.player->State().DataDrive();
    if (!data) return "the player has no data drive";
    std::vector<BYTE> boot(data->sectorSize);
    pc.player->State().ReadSectors(*data, 0, 1, boot.data());
    if (boot.size() < 512 || boot[510] != 0x55 || boot[511] != 0xAA) return "the data drive has no boot record";
    for (const ShippedComponent& component : pc.shipped) {
        const SimLogicalDrive* drive = pc.SystemDrive(component.tag);
        if (!drive) return component.fileName + ": no drive on the player";
        std::vector<BYTE> bytes = pc.DriveBytes(*drive);
        if (bytes.size() < component.image.size() ||
            !std::equal(component.image.begin(), component.image.end(), bytes.begin())) {
            return component.fileName + ": the drive does not hold the shipped image";
        }
        if (!(drive->componentVersion == component.componentVersion) ||
            !(drive->productVersion == component.productVersion)) {
            return component.fileName + ": the drive does not carry the shipped versions";
        }
    }
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: caddis-sim --language 0xNNNN --player old|small|recovery --pictures FOLDER\n");
        return 2;
    }
    CreateDirectoryW(options.pictures.c_str(), nullptr);

    // English beside the user's language, as the log library may need it.
    std::vector<std::string> libraries{"vrxa0409.dll"};
    const std::string library = Utf8FromWide(VrLanguageLibraryFile(VrChooseLanguage(options.language)));
    if (library != libraries.front()) libraries.push_back(library);
    SimulatedPc pc(libraries);
    pc.machine.SetLanguages(options.language, options.language);
    if (::testing::UnitTest::GetInstance()->ad_hoc_test_result().Failed()) {
        std::fprintf(stderr, "caddis-sim: the simulated PC could not be set up\n");
        return 1;
    }

    VrWin32FrontEnd frontEnd(pc.host);
    CVrUpdaterApp app(pc.host, frontEnd);
    ScreenshotScript script(app, options.pictures, [&pc, &options] {
        if (options.player == "small") {
            pc.AttachPlayerWithTooSmallLayout();
        } else if (options.player == "recovery") {
            pc.AttachPlayerInRecoveryMode();
        } else {
            pc.AttachPlayer(FirmwareChoice::kOld);
        }
    });
    int32_t result = 0;
    {
        TimeLimit limit(script);
        script.Start();
        result = app.Run(L"");
    }

    if (!script.Finished()) {
        std::fprintf(stderr, "caddis-sim: the program ended (result %d) while waiting for %s\n", int(result),
                     script.Waiting());
        return 1;
    }
    if (result != 0) {
        std::fprintf(stderr, "caddis-sim: the program ended with result %d\n", int(result));
        return 1;
    }
    if (::testing::UnitTest::GetInstance()->ad_hoc_test_result().Failed()) {
        std::fprintf(stderr, "caddis-sim: the player could not be set up\n");
        return 1;
    }
    std::string difference = UpdateDifference(pc);
    if (!difference.empty()) {
        std::fprintf(stderr, "caddis-sim: after the download, %s\n", difference.c_str());
        return 1;
    }
    std::printf("caddis-sim: every window shown, the player updated\n");
    return 0;
}
