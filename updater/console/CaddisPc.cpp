#include "updater/console/CaddisPc.h"

#include <ctime>

#include "platform/sim/SimHostNames.h"
#include "platform/sim/player/SimAttach.h"
#include "platform/sim/player/SimWindowsPc.h"
#include "resources/caddis/CaddisResourceImage.h"

namespace {

// The simulated clock starts at this machine's local time, so that the log
// and the files the formatter writes are dated today.
SYSTEMTIME LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(local.tm_year + 1900);
    time.wMonth = static_cast<WORD>(local.tm_mon + 1);
    time.wDayOfWeek = static_cast<WORD>(local.tm_wday);
    time.wDay = static_cast<WORD>(local.tm_mday);
    time.wHour = static_cast<WORD>(local.tm_hour);
    time.wMinute = static_cast<WORD>(local.tm_min);
    time.wSecond = static_cast<WORD>(local.tm_sec);
    return time;
}

}  // namespace

CaddisPc::CaddisPc(const std::filesystem::path& programFolder, const std::filesystem::path& currentFolder,
                   LANGID language, SimWindows windows)
    // The program sits in a folder of C: of the name it has here ("C:\bin"),
    // as it would be installed, so that its current folder is no drive root.
    : m_host(m_machine, L"C:\\" + SimPcName(programFolder.filename()) + L"\\Caddis.exe") {
    SimSetUpWindows(m_machine, windows);
    m_machine.SetLanguages(language, language);
    m_machine.Clock().SetStart(LocalTimeNow());
    m_machine.MapFolder(L'C', DRIVE_FIXED, programFolder.parent_path());
    m_machine.MapFolder(kCaddisCurrentDrive, DRIVE_FIXED, currentFolder);
    m_machine.MapFolder(kCaddisRootDrive, DRIVE_FIXED, "/");
    if (!m_machine.RunsWindows9x()) SimAttachSystemDisk(m_machine, 0);
    m_host.SetProgramImage(kCaddisResourceImage, kCaddisResourceImage_size);
}

void CaddisPc::PlugPlayer(SimPlayerState player) {
    m_player = std::make_shared<SimFlashPlayer>(std::move(player));
    m_port = SimPlugPlayer(m_machine, m_player);
}
