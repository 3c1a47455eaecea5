// Tavlo's file commands end to end under Wine, on its test build with a
// Wine drive P: as the player: copies to the player at its root, in VOICE
// and in a folder of the user's own; copies back; deletions on both sides
// with the shell's confirmation answered, and declined once; no context
// menu while a copy runs; a drag from one list onto the other; names in
// Japanese and Chinese kept as they are. Every step looks at the files.
//
//   tavlo-transfers TAVLO.EXE FOLDER
//
// The caller makes the player (P:\ with the folders VOICE and Books, no
// "edisk") and C:\tavlo-transfer with the files below and the folder
// "back"; the pictures land in FOLDER as BMP files.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "manager/app/ManagerControls.h"
#include "manager/app/ManagerStartup.h"
#include "manager/app/PopupMenus.h"
#include "tests/tavlo-wine/RemoteList.h"
#include "tests/tavlo-wine/TavloProcess.h"
#include "tests/wine-ui/WindowCapture.h"

namespace {

const DWORD kWaitMs = 60000;
const DWORD kSettleMs = 1500;
const wchar_t kPc[] = L"C:\\tavlo-transfer\\";
const wchar_t kBack[] = L"C:\\tavlo-transfer\\back\\";
const wchar_t kSakura[] = L"\u3055\u304f\u3089.mp3";  // Japanese
const wchar_t kNotes[] = L"\u7b14\u8bb0.txt";          // Chinese

int g_failures = 0;

void Check(bool good, const std::string& what) {
    std::printf("%s: %s\n", good ? "ok" : "FAILED", what.c_str());
    std::fflush(stdout);
    if (!good) ++g_failures;
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The whole file; empty when it cannot be read.
std::string Contents(const std::wstring& path) {
    std::string bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read) bytes.append(buffer, read);
    ::CloseHandle(file);
    return bytes;
}

bool SameFile(const std::wstring& a, const std::wstring& b) {
    const std::string first = Contents(a);
    return !first.empty() && first == Contents(b);
}

struct QuestionSearch {
    DWORD process;
    HWND main;
    HWND found;
};

BOOL CALLBACK FindQuestion(HWND window, LPARAM data) {
    auto& s = *reinterpret_cast<QuestionSearch*>(data);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != s.process || window == s.main || !::IsWindowVisible(window)) return TRUE;
    if (ClassOf(window) != L"#32770") return TRUE;
    // The shell's progress window asks nothing.
    if (!::GetDlgItem(window, IDYES) && !::GetDlgItem(window, IDNO) && !::GetDlgItem(window, IDOK)) return TRUE;
    s.found = window;
    return FALSE;
}

class Session {
public:
    Session(TavloProcess& tavlo, HWND window, const std::wstring& pictures)
        : m_tavlo(tavlo), m_window(window), m_pictures(pictures), m_pc(window, kPcList),
          m_player(window, kPlayerList) {}

    RemoteList& Pc() { return m_pc; }
    RemoteList& Player() { return m_player; }
    HWND Window() const { return m_window; }

    void Command(int id) { ::PostMessageW(m_window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    // Shows every file and folder: the filter box's last item, "*.*".
    void ShowEverything() {
        HWND box = ::GetDlgItem(m_window, kFilterBox);
        const LRESULT count = ::SendMessageW(box, CB_GETCOUNT, 0, 0);
        ::SendMessageW(box, CB_SETCURSEL, count - 1, 0);
        ::PostMessageW(m_window, WM_COMMAND, MAKEWPARAM(kFilterBox, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
        PumpFor(kSettleMs);
    }

    bool OperationRunning() const { return !::IsWindowEnabled(::GetDlgItem(m_window, kCopyToPlayerButton)); }

    // Runs a command that starts a file operation and waits for its end,
    // answering the shell's question with `answer` (IDYES or IDNO) when it
    // asks one. False when it did not end in time.
    bool RunOperation(int command, int answer = IDYES) {
        Command(command);
        return WaitForOperation(answer);
    }

    bool WaitForOperation(int answer = IDYES) {
        // Time for the window to take the command and start.
        PumpFor(800);
        for (DWORD waited = 0; waited < kWaitMs; waited += 100) {
            if (HWND question = Question()) {
                std::printf("  the shell asks: %s", Narrow(ChildTexts(question)).c_str());
                ::PostMessageW(question, WM_COMMAND, answer, 0);
                PumpFor(500);
                continue;
            }
            if (!OperationRunning()) {
                PumpFor(kSettleMs);
                return true;
            }
            PumpFor(100);
        }
        return false;
    }

    // A dialog of Tavlo's other than the main window: the shell's question
    // or a warning of Tavlo's.
    HWND Question() const {
        QuestionSearch search{m_tavlo.Id(), m_window, nullptr};
        ::EnumWindows(FindQuestion, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    bool MenuShown() const {
        HWND menu = ::FindWindowW(L"#32768", nullptr);
        return menu && ::IsWindowVisible(menu);
    }

    void Picture(const wchar_t* name) {
        std::string error;
        const bool taken = CaptureWindow(m_window, m_pictures + L"\\" + name + L".bmp", error);
        Check(taken, "picture " + Narrow(name) + (taken ? "" : ": " + error));
    }

    void Refresh() {
        Command(kRefreshButton);
        PumpFor(kSettleMs);
    }

private:
    TavloProcess& m_tavlo;
    HWND m_window;
    std::wstring m_pictures;
    RemoteList m_pc;
    RemoteList m_player;
};

void PressKey(WORD key) {
    ::keybd_event(static_cast<BYTE>(key), 0, 0, 0);
    ::keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
}

// Up one level on the side of `list`, until it shows `expected`: a click
// on the list's empty space makes it the side the command works on.
void Up(Session& s, const RemoteList& list, const wchar_t* expected) {
    for (int attempt = 0; attempt < 3 && list.Find(expected) < 0; ++attempt) {
        RECT rect;
        ::GetWindowRect(list.Handle(), &rect);
        ClickAt({rect.left + 40, rect.bottom - 24});
        PumpFor(::GetDoubleClickTime() + 200);
        s.Command(kUpOneLevelCommand);
        PumpFor(kSettleMs);
    }
    Check(list.Find(expected) >= 0, "up one level shows " + Narrow(expected));
}

void RemoveFromPlayer(std::initializer_list<const wchar_t*> paths) {
    for (const wchar_t* path : paths) ::DeleteFileW(path);
    ::RemoveDirectoryW(L"P:\\edisk");
}

// Song.MP3 and notes.txt to the player, with the player list showing
// `shown` (empty: the root); music lands in the root, notes.txt in
// `notesFolder`.
void CopyPair(Session& s, const std::wstring& shown, const std::wstring& notesFolder) {
    const std::string where = shown.empty() ? "at the root" : "in " + Narrow(shown);
    if (!shown.empty()) Check(s.Player().DoubleClick(shown), "the player list opens " + Narrow(shown));
    Check(s.Pc().Click(L"Song.MP3") && s.Pc().Click(L"notes.txt", true) && s.Pc().SelectedCount() == 2,
          "Song.MP3 and notes.txt selected");
    Check(s.RunOperation(kCopyToPlayerButton), "the copy " + where + " ends");
    Check(SameFile(L"P:\\Song.MP3", std::wstring(kPc) + L"Song.MP3"), "copied " + where + ": Song.MP3 in the root");
    Check(SameFile(notesFolder + L"notes.txt", std::wstring(kPc) + L"notes.txt"),
          "copied " + where + ": notes.txt in " + Narrow(notesFolder));
    // The player list shows the folder again with what came into it.
    if (shown.empty()) Check(s.Player().Find(L"Song.MP3") >= 0, "the player list shows Song.MP3");
    if (notesFolder == L"P:\\Books\\") Check(s.Player().Find(L"notes.txt") >= 0, "the player list shows notes.txt");
    if (!shown.empty()) {
        Up(s, s.Player(), L"VOICE");
    }
    RemoveFromPlayer({L"P:\\Song.MP3", L"P:\\edisk\\notes.txt", L"P:\\Books\\notes.txt"});
    s.Refresh();
}

void CopiesToThePlayer(Session& s) {
    Check(!Exists(L"P:\\edisk"), "no edisk on the player yet");
    CopyPair(s, L"", L"P:\\edisk\\");
    CopyPair(s, L"VOICE", L"P:\\edisk\\");
    CopyPair(s, L"Books", L"P:\\Books\\");
}

// Opens the PC list's folder "back" (the tree follows), from the folder of
// the files.
void OpenBack(Session& s) {
    Check(s.Pc().DoubleClick(L"back"), "the PC list opens back");
    PumpFor(kSettleMs);
}


void CopyBackAndDelete(Session& s) {
    Check(s.Pc().Click(L"Song.MP3"), "Song.MP3 selected on the PC");
    Check(s.RunOperation(kCopyToPlayerButton), "Song.MP3 copied to the player");
    OpenBack(s);
    Check(s.Player().Click(L"Song.MP3"), "Song.MP3 selected on the player");
    Check(s.RunOperation(kCopyToPcButton), "the copy back ends");
    Check(SameFile(std::wstring(kBack) + L"Song.MP3", L"P:\\Song.MP3"), "Song.MP3 copied back into back");
    Check(s.Pc().Find(L"Song.MP3") >= 0, "the PC list shows it");

    Check(s.Pc().Click(L"Song.MP3"), "Song.MP3 clicked in back");
    Check(s.RunOperation(kDeleteButton, IDNO), "a declined deletion ends");
    Check(Exists(std::wstring(kBack) + L"Song.MP3") && s.Pc().Find(L"Song.MP3") >= 0,
          "declined: the file and its row stay");
    Check(s.RunOperation(kDeleteButton, IDYES), "the deletion on the PC ends");
    Check(!Exists(std::wstring(kBack) + L"Song.MP3") && s.Pc().Find(L"Song.MP3") < 0,
          "deleted on the PC: file and row gone");

    Check(s.Player().Click(L"Song.MP3"), "Song.MP3 clicked on the player");
    // The key straight to the list, whichever window has the focus.
    ::PostMessageW(s.Player().Handle(), WM_KEYDOWN, VK_DELETE, 1);
    ::PostMessageW(s.Player().Handle(), WM_KEYUP, VK_DELETE, 0xC0000001);
    Check(s.WaitForOperation(IDYES), "the Delete key's deletion on the player ends");
    Check(!Exists(L"P:\\Song.MP3") && s.Player().Find(L"Song.MP3") < 0, "deleted on the player: file and row gone");
    Up(s, s.Pc(), L"Drift.mp3");
}

void ForeignNames(Session& s) {
    Check(s.Pc().Click(kSakura) && s.Pc().Click(kNotes, true) && s.Pc().SelectedCount() == 2,
          "the Japanese and Chinese names selected");
    Check(s.RunOperation(kCopyToPlayerButton), "their copy to the player ends");
    Check(SameFile(std::wstring(L"P:\\") + kSakura, std::wstring(kPc) + kSakura), "the Japanese name in the root");
    Check(SameFile(std::wstring(L"P:\\edisk\\") + kNotes, std::wstring(kPc) + kNotes),
          "the Chinese name in edisk");
    OpenBack(s);
    Check(s.Player().Click(kSakura), "the Japanese name selected on the player");
    Check(s.RunOperation(kCopyToPcButton), "its copy back ends");
    Check(s.Player().DoubleClick(L"edisk") && s.Player().Click(kNotes), "the Chinese name selected in edisk");
    Check(s.RunOperation(kCopyToPcButton), "its copy back ends");
    Check(SameFile(std::wstring(kBack) + kSakura, std::wstring(kPc) + kSakura), "the Japanese name back unchanged");
    Check(SameFile(std::wstring(kBack) + kNotes, std::wstring(kPc) + kNotes), "the Chinese name back unchanged");
    Up(s, s.Player(), L"VOICE");
    Up(s, s.Pc(), L"Drift.mp3");
}

void DragToThePlayer(Session& s) {
    POINT from;
    const bool found = s.Pc().RowPoint(s.Pc().Find(L"Drift.mp3"), from);
    Check(found, "Drift.mp3 shown on the PC");
    if (!found) return;
    RECT target;
    ::GetWindowRect(s.Player().Handle(), &target);
    const POINT to = {(target.left + target.right) / 2, (target.top + target.bottom) / 2};
    ::SetCursorPos(from.x, from.y);
    ::mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    PumpFor(100);
    const int kSteps = 20;
    for (int step = 1; step <= kSteps; ++step) {
        ::SetCursorPos(from.x + (to.x - from.x) * step / kSteps, from.y + (to.y - from.y) * step / kSteps);
        ::mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
        PumpFor(40);
    }
    ::mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    Check(s.WaitForOperation(), "the drop's copy ends");
    Check(SameFile(L"P:\\Drift.mp3", std::wstring(kPc) + L"Drift.mp3"), "dragged: Drift.mp3 in the player's root");
}

// The shell asks before it replaces a file, in the middle of the copy: a
// right click on the player list then, while the operation runs, opens no
// menu.
void NoMenuDuringACopy(Session& s) {
    Check(s.Pc().Click(L"Drift.mp3"), "Drift.mp3 selected again");
    s.Command(kCopyToPlayerButton);
    HWND question = nullptr;
    for (DWORD waited = 0; waited < kWaitMs && !question; waited += 100) {
        question = s.Question();
        if (!question) PumpFor(100);
    }
    Check(question != nullptr && s.OperationRunning(), "the copy asks before it replaces Drift.mp3");
    if (!question) return;
    PumpFor(500);
    s.Picture(L"copy-in-progress");
    Check(s.Player().PostRightClick(L"Drift.mp3"), "a right click on the player list during the copy");
    PumpFor(kSettleMs);
    Check(s.OperationRunning(), "still copying after the right click");
    Check(!s.MenuShown(), "no menu while the copy runs");
    if (s.MenuShown()) PressKey(VK_ESCAPE);
    Check(s.WaitForOperation(IDYES), "the copy ends once the replacement is allowed");
    Check(!s.MenuShown(), "no menu after the copy either");
    Check(SameFile(L"P:\\Drift.mp3", std::wstring(kPc) + L"Drift.mp3"), "Drift.mp3 replaced whole");
}

void MenuPicture(Session& s) {
    Check(s.Player().Click(L"Drift.mp3"), "Drift.mp3 clicked on the player");
    Check(s.Player().RightClick(L"Drift.mp3"), "the right click reaches the player list");
    PumpFor(kSettleMs);
    Check(s.MenuShown(), "the player list's menu shows");
    s.Picture(L"context-menu");
    PressKey(VK_ESCAPE);
    PumpFor(500);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: tavlo-transfers TAVLO.EXE FOLDER\n");
        return 2;
    }
    ::CoInitialize(nullptr);
    Check(SetWorkFolderOnC(argv[1], L"tavlo-transfer"), "the work folder is C:\\tavlo-transfer");
    TavloProcess tavlo(argv[1], L"");
    HWND window = tavlo.WaitForWindow(kManagerWindowClass, kWaitMs);
    Check(window != nullptr, "the window shows");
    if (!window) return 1;
    ::SetForegroundWindow(window);
    PumpFor(kSettleMs);
    Session session(tavlo, window, argv[2]);
    session.ShowEverything();
    Check(session.Pc().Find(L"Song.MP3") >= 0 && session.Player().Find(L"VOICE") >= 0,
          "both lists show everything");

    CopiesToThePlayer(session);
    CopyBackAndDelete(session);
    ForeignNames(session);
    DragToThePlayer(session);
    NoMenuDuringACopy(session);
    MenuPicture(session);

    session.Command(kCloseButton);
    DWORD code = 0;
    Check(tavlo.WaitForExit(kWaitMs, code), "the window closes");
    std::printf("%d failed\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}
