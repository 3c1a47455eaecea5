// Tavlo's preview, formatting, text-to-speech and help under Wine, on its
// test build against a Wine drive as the player, each step checked on the
// window's controls and on the files, and photographed:
//
// - preview: a click on the player list's first MP3, Play; the position
//   slider moves; the track ends and the play button comes back by itself;
//   Play again, then Stop;
// - format: the stand-in format window shows FAT, locked, for drive P:;
//   closed, the player's list is back;
// - text to speech: the stand-in program is started from its App Paths
//   folder (with blanks) and its speech file lands on the player's root as
//   an ".mp3" file, its path handed back without and then with its zero;
// - help: the help viewer opens with the skin's title, and a second Help
//   raises it rather than opening another.
//
//   tavlo-media TAVLO.EXE PLAYER-FOLDER PICTURES-FOLDER
//
// PLAYER-FOLDER is the Unix-side folder of drive P: as a Windows path.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "manager/app/ManagerControls.h"
#include "manager/app/ManagerStartup.h"
#include "manager/app/PopupMenus.h"
#include "tests/tavlo-wine/TavloProcess.h"
#include "tests/wine-ui/WindowCapture.h"

namespace {

const DWORD kWaitMs = 60000;
const DWORD kSettleMs = 1000;

int g_failures = 0;

void Check(bool good, const std::string& what) {
    std::printf("%s: %s\n", good ? "ok" : "FAILED", what.c_str());
    std::fflush(stdout);
    if (!good) ++g_failures;
}

void Capture(HWND window, const std::wstring& folder, const std::wstring& name) {
    std::string error;
    Check(CaptureWindow(window, folder + L"\\" + name + L".bmp", error), "picture " + Narrow(name) + " " + error);
}

bool Enabled(HWND window, int id) { return ::IsWindowEnabled(::GetDlgItem(window, id)) != FALSE; }
void Command(HWND window, int id) { ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
LRESULT SliderPos(HWND window) { return ::SendMessageW(::GetDlgItem(window, kPositionSlider), TBM_GETPOS, 0, 0); }
LRESULT SliderMax(HWND window) { return ::SendMessageW(::GetDlgItem(window, kPositionSlider), TBM_GETRANGEMAX, 0, 0); }
bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Waits until `done` holds, dispatching this program's messages.
template <class Condition>
bool WaitFor(Condition done, DWORD milliseconds) {
    for (DWORD waited = 0; waited < milliseconds; waited += 100) {
        if (done()) return true;
        PumpFor(100);
    }
    return done();
}

// A row's record cannot cross processes: the first row, just under the
// header, is clicked. The button's messages go to the list itself, which
// takes them whether or not the window has the foreground.
void ClickFirstRow(HWND window, int listId) {
    HWND list = ::GetDlgItem(window, listId);
    HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
    RECT rect;
    ::GetWindowRect(header, &rect);
    const LPARAM point = MAKELPARAM(40, rect.bottom - rect.top + 7);
    ::PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::PostMessageW(list, WM_LBUTTONUP, 0, point);
    PumpFor(500);
    Check(::SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0) == 1, "a click selects the list's first row");
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = L"";
    ::GetWindowTextW(window, text, 256);
    return text;
}

void Preview(HWND window, const std::wstring& pictures) {
    ::SetForegroundWindow(window);
    ClickFirstRow(window, kPlayerList);
    Command(window, kPlayButton);
    Check(WaitFor([&] { return Enabled(window, kStopButton); }, kWaitMs), "Play starts the preview");
    WaitFor([&] { return !Enabled(window, kPlayButton) && Enabled(window, kPositionSlider); }, 2000);
    Check(!Enabled(window, kPlayButton) && Enabled(window, kPositionSlider) && !Enabled(window, kFormatButton),
          std::string("while it plays: Play, Format off; the position slider on (") +
              (Enabled(window, kPlayButton) ? "play on, " : "play off, ") +
              (Enabled(window, kPositionSlider) ? "slider on, " : "slider off, ") +
              (Enabled(window, kFormatButton) ? "format on)" : "format off)"));
    const LRESULT length = SliderMax(window);
    Check(length > 4000, "the slider's range is the track's length (" + std::to_string(length) + " ms)");
    const bool moved = WaitFor([&] { return SliderPos(window) > 800; }, 10000);
    Check(moved, "the position slider moves (" + std::to_string(SliderPos(window)) + ")");
    Capture(window, pictures, L"preview-playing");

    Check(WaitFor([&] { return Enabled(window, kPlayButton); }, static_cast<DWORD>(length) + 15000),
          "at the track's end the play button comes back by itself");
    Check(!Enabled(window, kStopButton) && !Enabled(window, kPositionSlider) && SliderPos(window) == 0 &&
              Enabled(window, kFormatButton),
          "after the end: Stop and the slider off, the slider at 0, Format on");

    Command(window, kPlayButton);
    Check(WaitFor([&] { return SliderPos(window) > 300; }, 10000), "Play again");
    Command(window, kStopButton);
    Check(WaitFor([&] { return Enabled(window, kPlayButton); }, 5000) && !Enabled(window, kStopButton) &&
              SliderPos(window) == 0,
          "Stop gives the play button back and the slider goes to 0");
}

void Format(TavloProcess& tavlo, HWND window, const std::wstring& pictures) {
    Command(window, kFormatButton);
    HWND dialog = tavlo.WaitForWindow(L"TavloFormatStandIn", kWaitMs);
    Check(dialog != nullptr, "Format opens the format window");
    if (!dialog) return;
    PumpFor(kSettleMs);
    // The window lists "FAT32", "FAT", "NTFS" and shows FAT32 at first.
    HWND box = ::GetDlgItem(dialog, 28677);
    const LRESULT chosen = ::SendMessageW(box, CB_GETCURSEL, 0, 0);
    Check(chosen == 1, "the file system chosen is FAT, not FAT32 (item " + std::to_string(chosen) + ")");
    Check(!::IsWindowEnabled(box), "the file-system box is locked");
    Check(TextOf(dialog) == L"Format P:", "for the player's drive (" + Narrow(TextOf(dialog)) + ")");
    Capture(dialog, pictures, L"format");
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    Check(WaitFor([&] { return !::IsWindow(dialog); }, kWaitMs), "the format window closes");
    PumpFor(kSettleMs);
    const LRESULT rows = ::SendMessageW(::GetDlgItem(window, kPlayerList), LVM_GETITEMCOUNT, 0, 0);
    Check(rows > 0 && Enabled(window, kDrive1Button), "afterwards the player's root is shown again");
}

void Speech(HWND window, const std::wstring& player, const std::wstring& pictures) {
    for (int round = 1; round <= 2; ++round) {
        const std::wstring name = L"speech-" + std::to_wstring(round);
        Command(window, kSpeechButton);
        const std::wstring landed = player + L"\\" + name + L".mp3";
        Check(WaitFor([&] { return Exists(landed); }, kWaitMs),
              "round " + std::to_string(round) + ": the speech file lands on the player as " + Narrow(name) + ".mp3");
        Check(WaitFor([&] { return !Exists(L"C:\\tts-out\\" + name + L".wav"); }, 5000),
              "and is moved, not copied");
    }
    // The program was started once, by its quoted path.
    HANDLE file = ::CreateFileW(L"C:\\tts-out\\command-line.txt", GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    wchar_t text[256] = L"";
    DWORD read = 0;
    if (file != INVALID_HANDLE_VALUE) {
        ::ReadFile(file, text, sizeof text - sizeof(wchar_t), &read, nullptr);
        ::CloseHandle(file);
    }
    const std::wstring commandLine = text;
    Check(commandLine == L"\"C:\\Program Files\\Zizivazo TTS\\ZUZUVURA_1.exe\" -ZIZIVAZO",
          "the program's command line is quoted (" + Narrow(commandLine) + ")");
    PumpFor(kSettleMs);
    Capture(window, pictures, L"speech-import");
    HWND program = ::FindWindowW(L"ZIZIVAZO_TTSPAD_KORVALE", nullptr);
    if (program) ::PostMessageW(program, WM_CLOSE, 0, 0);
}

void Help(HWND window, const std::wstring& pictures) {
    Command(window, kHelpCommand);
    HWND help = nullptr;
    Check(WaitFor([&] { return (help = ::FindWindowW(L"HH Parent", nullptr)) != nullptr; }, kWaitMs),
          "Help opens the help viewer");
    if (!help) return;
    Check(TextOf(help) == L"Tavlo Help", "with the help file's title (" + Narrow(TextOf(help)) + ")");
    PumpFor(2000);
    Capture(help, pictures, L"help");
    Command(window, kHelpCommand);
    PumpFor(3000);
    int viewers = 0;
    for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, L"HH Parent", nullptr)) != nullptr;) ++viewers;
    Check(viewers == 1, "a second Help raises the open viewer (" + std::to_string(viewers) + " open)");
    ::PostMessageW(help, WM_CLOSE, 0, 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: tavlo-media TAVLO.EXE PLAYER-FOLDER PICTURES-FOLDER\n");
        return 2;
    }
    const std::wstring player = argv[2];
    const std::wstring pictures = argv[3];
    TavloProcess tavlo(argv[1], L"");
    HWND window = tavlo.WaitForWindow(kManagerWindowClass, kWaitMs);
    Check(window != nullptr, "Tavlo shows its window");
    if (!window) return 1;
    PumpFor(kSettleMs);
    Preview(window, pictures);
    Format(tavlo, window, pictures);
    Speech(window, player, pictures);
    Help(window, pictures);
    Command(window, kCloseButton);
    DWORD code = 0;
    Check(tavlo.WaitForExit(kWaitMs, code), "Tavlo closes");
    return g_failures == 0 ? 0 : 1;
}
