// Pictures of Tavlo's main window under Wine, on its test build with a
// Wine drive as the player: the window with the player attached and the
// PC's music folder sorted by size, largest first; with "menu", also the
// popup of the File button open, then the window once the player is gone
// and Refresh was pressed (both drive buttons disabled, the player's list
// empty).
//
//   tavlo-shots TAVLO.EXE FOLDER NAME [menu]
//
// The PC's folder shown is "tavlo-music" on drive C:, made beside the
// window's work folder. With "menu", the program asks for the player to be
// taken away by writing the file "remove-player" into FOLDER, and waits
// until the caller has removed the drive and the file.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "manager/app/ManagerControls.h"
#include "manager/app/ManagerStartup.h"
#include "manager/app/ShellSort.h"
#include "tests/tavlo-wine/TavloProcess.h"
#include "tests/wine-ui/WindowCapture.h"

namespace {

const DWORD kWaitMs = 60000;
const DWORD kSettleMs = 1500;

bool Capture(HWND window, const std::wstring& folder, const std::wstring& name) {
    std::string error;
    if (CaptureWindow(window, folder + L"\\" + name + L".bmp", error)) return true;
    std::fprintf(stderr, "tavlo-shots: no picture of %s: %s\n", Narrow(name).c_str(), error.c_str());
    return false;
}

void PressKey(WORD key) {
    ::keybd_event(static_cast<BYTE>(key), 0, 0, 0);
    ::keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
}

// Asks the caller to take the player's drive away and waits until it has.
bool RemovePlayer(const std::wstring& folder) {
    const std::wstring request = folder + L"\\remove-player";
    HANDLE file = ::CreateFileW(request.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    for (DWORD waited = 0; waited < kWaitMs; waited += 100) {
        if (::GetFileAttributesW(request.c_str()) == INVALID_FILE_ATTRIBUTES) {
            // Wine's own list of drives learns of it too.
            ::DefineDosDeviceW(DDD_REMOVE_DEFINITION, L"P:", nullptr);
            return true;
        }
        PumpFor(100);
    }
    return false;
}

bool Enabled(HWND window, int id) { return ::IsWindowEnabled(::GetDlgItem(window, id)) != FALSE; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: tavlo-shots TAVLO.EXE FOLDER NAME [menu]\n");
        return 2;
    }
    const std::wstring folder = argv[2];
    const std::wstring name = argv[3];
    const bool menu = argc > 4 && std::wstring(argv[4]) == L"menu";
    ::CoInitialize(nullptr);
    if (!SetWorkFolderOnC(argv[1], L"tavlo-music")) std::fprintf(stderr, "tavlo-shots: no work folder for the music\n");

    TavloProcess tavlo(argv[1], L"");
    HWND window = tavlo.WaitForWindow(kManagerWindowClass, kWaitMs);
    if (!window) {
        std::fprintf(stderr, "tavlo-shots: the window did not show\n");
        return 1;
    }
    int status = 0;
    PumpFor(kSettleMs);
    // Size, then size again: largest first.
    tavlo.ClickColumn(window, kPcList, kSizeColumn);
    tavlo.ClickColumn(window, kPcList, kSizeColumn);
    PumpFor(kSettleMs);
    if (!Capture(window, folder, name)) status = 1;

    if (menu) {
        ::SetForegroundWindow(window);
        ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(kFileMenuButton, BN_CLICKED), 0);
        PumpFor(kSettleMs);
        if (!Capture(window, folder, L"menu")) status = 1;
        PressKey(VK_ESCAPE);
        PumpFor(500);

        if (!RemovePlayer(folder)) {
            std::fprintf(stderr, "tavlo-shots: the player's drive was not taken away\n");
            status = 1;
        }
        ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(kRefreshButton, BN_CLICKED), 0);
        PumpFor(kSettleMs);
        const LRESULT rows = ::SendMessageW(::GetDlgItem(window, kPlayerList), LVM_GETITEMCOUNT, 0, 0);
        if (Enabled(window, kDrive1Button) || Enabled(window, kDrive2Button) || rows != 0) {
            std::fprintf(stderr, "tavlo-shots: after a refresh without the player, drive 1 %s, drive 2 %s, %ld rows\n",
                         Enabled(window, kDrive1Button) ? "enabled" : "disabled",
                         Enabled(window, kDrive2Button) ? "enabled" : "disabled", static_cast<long>(rows));
            status = 1;
        }
        if (!Capture(window, folder, L"no-player")) status = 1;
    }
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(kCloseButton, BN_CLICKED), 0);
    DWORD code = 0;
    if (!tavlo.WaitForExit(kWaitMs, code)) status = 1;
    return status;
}
