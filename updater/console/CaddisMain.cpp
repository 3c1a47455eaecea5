// caddis: the firmware updater on a terminal, run against a simulated player.
//
//   CADDIS_PLAYER=player.state caddis [options of the updater]
//
// The player is the state file that player-sim makes; caddis plugs it into
// a simulated PC (running Windows XP, or the Windows that CADDIS_WINDOWS
// names: 95, 98, me, 2000 or xp), runs the updater's start-up as Caddis.exe runs it, and
// writes the player back to the file afterwards, whatever became of the
// update. It holds the file's lock from loading to saving, so a second run
// on the same player says that the player is in use instead of undoing the
// first one's work. The usage text ("-?", "--help") needs no player. Exit
// status: 0 when the update (or the usage text) ended well, 1 when it failed
// (the message has been shown), 2 when there is no player, 3 when the user
// declined the reformat that the update needed (nothing was written), 4 when
// another run is using the player.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/LocaleLanguage.h"
#include "platform/sim/player/SimStateFile.h"
#include "platform/sim/player/SimStateLock.h"
#include "platform/sim/player/SimWindowsPc.h"
#include "updater/app/VrUpdaterApp.h"
#include "updater/console/CaddisCommandLine.h"
#include "updater/console/CaddisPc.h"
#include "updater/console/VrConsoleFrontEnd.h"

namespace fs = std::filesystem;

namespace {

const int kFailed = 1;
const int kNoPlayer = 2;
const int kNothingWritten = 3;
const int kPlayerInUse = 4;

const char kNoPlayerText[] =
    "caddis: no player to update. Set CADDIS_PLAYER to the state file of a simulated player;\n"
    "player-sim (beside caddis) makes one, for instance:\n"
    "  player-sim create player.state --firmware old\n"
    "  CADDIS_PLAYER=player.state caddis -silent\n";

// The exit status of a run of the updater that reached its end.
int ExitStatus(int32_t result) {
    if (result == CVrUpdaterApp::kNothingWritten) return kNothingWritten;
    return result < 0 ? kFailed : 0;
}

// The folder caddis was started from; empty when it has been deleted since,
// and the PC's drive of the current folder then has no medium.
fs::path CurrentFolder() {
    std::error_code error;
    fs::path folder = fs::current_path(error);
    return error ? fs::path() : folder;
}

// The Windows of CADDIS_WINDOWS, XP when it is not set; false for a name it does not know.
bool ChosenWindows(SimWindows& windows) {
    windows = SimWindows::kXp;
    const char* name = std::getenv("CADDIS_WINDOWS");
    if (!name || !*name) return true;
    if (SimParseWindows(name, windows)) return true;
    std::fprintf(stderr, "caddis: CADDIS_WINDOWS=%s is no Windows it can simulate: 95, 98, me, 2000 or xp\n", name);
    return false;
}

int RunUpdater(CaddisPc& pc, const std::vector<std::string>& words) {
    VrConsoleTerminal terminal(STDIN_FILENO, stdout, stderr);
    VrConsoleFrontEnd frontEnd(pc.GetHost(), terminal);
    CVrUpdaterApp app(pc.GetHost(), frontEnd);
    return app.Run(CaddisCommandLine(words));
}

}  // namespace

int main(int argc, char** argv) {
    // Multibyte output and character widths follow the terminal's locale.
    std::setlocale(LC_CTYPE, "");
    const std::vector<std::string> words(argv + 1, argv + argc);
    const fs::path programFolder = fs::canonical("/proc/self/exe").parent_path();
    const LANGID language = LanguageOfLocale(EnvironmentLocale());
    SimWindows windows = SimWindows::kXp;
    if (!ChosenWindows(windows)) return kFailed;
    if (CaddisAsksForUsage(words)) {
        CaddisPc pc(programFolder, CurrentFolder(), language, windows);
        return RunUpdater(pc, words) < 0 ? kFailed : 0;
    }

    const char* playerFile = std::getenv("CADDIS_PLAYER");
    if (!playerFile || !*playerFile) {
        std::fputs(kNoPlayerText, stderr);
        return kNoPlayer;
    }
    const SimStateLock lock(playerFile);
    if (lock.GetOutcome() == SimStateLock::Outcome::kInUse) {
        std::fprintf(stderr, "caddis: %s: the player is in use by another program; try again when it has finished\n",
                     playerFile);
        return kPlayerInUse;
    }
    if (lock.GetOutcome() == SimStateLock::Outcome::kFailed) {
        std::fprintf(stderr, "caddis: %s: cannot lock the player state: %s\n", playerFile, lock.Error().c_str());
        return kNoPlayer;
    }
    SimPlayerState player;
    std::string error = SimLoadPlayerState(playerFile, player);
    if (!error.empty()) {
        std::fprintf(stderr, "caddis: %s\n", error.c_str());
        return kNoPlayer;
    }

    CaddisPc pc(programFolder, CurrentFolder(), language, windows);
    pc.PlugPlayer(std::move(player));
    const int32_t result = RunUpdater(pc, words);
    // The player keeps what was written to it, a failed update included.
    error = SimSavePlayerState(pc.PlayerState(), playerFile);
    if (!error.empty()) {
        std::fprintf(stderr, "caddis: %s\n", error.c_str());
        return kFailed;
    }
    return ExitStatus(result);
}
