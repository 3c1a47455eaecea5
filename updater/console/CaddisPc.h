// The PC that `caddis` runs on: a simulated one with the program and the
// files it ships with in a folder of C:, the root of this machine on Z: (as Wine shows
// it) and the current folder on D:, so that a log can go anywhere, the PC's
// own disk, and the player of a state file plugged in at E:. It runs the
// Windows it is given: on 95, 98 and Me the player shows on an ASPI host
// adapter after the PC's own, on 2000 and XP as a volume.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/sim/SimHost.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/player/SimFlashPlayer.h"
#include "platform/sim/player/SimPlayerPort.h"

const wchar_t kCaddisRootDrive = L'Z';
const wchar_t kCaddisCurrentDrive = L'D';

class CaddisPc {
public:
    // `programFolder` holds the component files and the language libraries;
    // the program, with its own resources built in, is Caddis.exe there. The
    // PC starts with no player attached.
    CaddisPc(const std::filesystem::path& programFolder, const std::filesystem::path& currentFolder,
             LANGID language, SimWindows windows = SimWindows::kXp);
    CaddisPc(const CaddisPc&) = delete;
    CaddisPc& operator=(const CaddisPc&) = delete;

    Host& GetHost() { return m_host; }
    void PlugPlayer(SimPlayerState player);
    // The player as the updater left it; only after PlugPlayer.
    const SimPlayerState& PlayerState() { return m_player->State(); }

private:
    SimMachine m_machine;
    SimHost m_host;
    std::shared_ptr<SimFlashPlayer> m_player;
    std::shared_ptr<SimPlayerPort> m_port;  // unplugs the player when the PC goes
};
