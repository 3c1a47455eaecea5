// caddis: the firmware updater on a terminal, run against a simulated player.
//
//   CADDIS_PLAYER=player.state caddis [options of the updater]
//
// The player is the state file that player-sim makes; caddis plugs it into
// a simulated PC, runs the updater's start-up as Caddis.exe runs it, and
// writes the player back to the file afterwards, whatever became of the
// update. The usage text ("-?", "--help") needs no player. Exit status: 0
// when the update (or the usage text) ended well, 1 when it failed (the
// message has been shown), 2 when there is no player.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/LocaleLanguage.h"
#include "platform/sim/player/SimStateFile.h"
#include "updater/app/VrUpdaterApp.h"
#include "updater/console/CaddisCommandLine.h"
#include "updater/console/CaddisPc.h"
#include "updater/console/VrConsoleFrontEnd.h"

namespace fs = std::filesystem;

namespace {

const int kFailed = 1;
const int kNoPlayer = 2;

const char kNoPlayerText[] =
    "caddis: no player to update. Set CADDIS_PLAYER to the state file of a simulated player;\n"
    "player-sim (beside caddis) makes one, for instance:\n"
    "  player-sim create player.state --firmware old\n"
    "  CADDIS_PLAYER=player.state caddis -silent\n";

}  // namespace

int main(int argc, char** argv) {
    // Multibyte output and character widths follow the terminal's locale.
    std::setlocale(LC_CTYPE, "");
    const std::vector<std::string> words(argv + 1, argv + argc);
    const char* playerFile = std::getenv("CADDIS_PLAYER");
    const bool usageOnly = CaddisAsksForUsage(words);
    if (!usageOnly && (!playerFile || !*playerFile)) {
        std::fputs(kNoPlayerText, stderr);
        return kNoPlayer;
    }
    SimPlayerState player;
    std::string error = usageOnly ? std::string() : SimLoadPlayerState(playerFile, player);
    if (!error.empty()) {
        std::fprintf(stderr, "caddis: %s\n", error.c_str());
        return kNoPlayer;
    }

    const fs::path programFolder = fs::canonical("/proc/self/exe").parent_path();
    CaddisPc pc(programFolder, fs::current_path(), LanguageOfLocale(EnvironmentLocale()));
    if (!usageOnly) pc.PlugPlayer(std::move(player));
    VrConsoleTerminal terminal(STDIN_FILENO, stdout, stderr);
    VrConsoleFrontEnd frontEnd(pc.GetHost(), terminal);
    int32_t result = 0;
    {
        CVrUpdaterApp app(pc.GetHost(), frontEnd);
        result = app.Run(CaddisCommandLine(words));
    }
    if (usageOnly) return result < 0 ? kFailed : 0;

    // The player keeps what was written to it, a failed update included.
    error = SimSavePlayerState(pc.PlayerState(), playerFile);
    if (!error.empty()) {
        std::fprintf(stderr, "caddis: %s\n", error.c_str());
        return kFailed;
    }
    // A positive result is a start-up that ended on purpose (the usage text).
    return result < 0 ? kFailed : 0;
}
