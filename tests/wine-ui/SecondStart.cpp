// A second start of Caddis.exe while a first copy runs: the second brings the
// first copy's window forward (restoring it when minimised) and ends without
// a window or message of its own.
//
//   SecondStart CADDIS.EXE
//
// The PC has no player, so the first copy keeps searching and its search
// dialog stays up. This program puts a window of its own in the foreground
// and minimises the search dialog first, so that the second start has
// something to undo. It ends the first copy with the search dialog's Cancel.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const DWORD kWaitMs = 30000;
const DWORD kPollMs = 50;

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM search) {
    Search& s = *reinterpret_cast<Search*>(search);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != s.process || !IsWindowVisible(window)) return TRUE;
    s.found = window;
    return FALSE;
}

// A visible top-level window of that process, or null.
HWND VisibleWindowOf(DWORD process) {
    Search search{process, nullptr};
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string Narrow(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(size > 0 ? size - 1 : 0, '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &narrow[0], size, nullptr, nullptr);
    return narrow;
}

std::string TitleOf(HWND window) {
    wchar_t title[256] = L"";
    GetWindowTextW(window, title, 256);
    return Narrow(title);
}

// Keeps this program's own window answering while it waits.
void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

bool Start(const std::wstring& program, PROCESS_INFORMATION& process) {
    std::wstring folder = program.substr(0, program.find_last_of(L"\\/") + 1);
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    return CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &process) != 0;
}

class Check {
public:
    void Fail(const std::string& what) {
        std::fprintf(stderr, "SecondStart: %s\n", what.c_str());
        m_failed = true;
    }
    bool Failed() const { return m_failed; }

private:
    bool m_failed = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: SecondStart CADDIS.EXE\n");
        return 2;
    }
    wchar_t program[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, argv[1], -1, program, MAX_PATH);
    Check check;

    PROCESS_INFORMATION first = {};
    if (!Start(program, first)) {
        std::fprintf(stderr, "SecondStart: %s does not start (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    HWND search = nullptr;
    for (DWORD waited = 0; !search && waited < kWaitMs; waited += kPollMs) {
        if (WaitForSingleObject(first.hProcess, kPollMs) == WAIT_OBJECT_0) break;
        search = VisibleWindowOf(first.dwProcessId);
    }
    if (!search) {
        std::fprintf(stderr, "SecondStart: the first copy showed no window\n");
        TerminateProcess(first.hProcess, 1);
        return 1;
    }
    std::printf("SecondStart: the first copy shows \"%s\"\n", TitleOf(search).c_str());

    HWND own = CreateWindowExW(0, L"STATIC", L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 120,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(search, SW_MINIMIZE);
    SetForegroundWindow(own);
    Pump();
    if (GetForegroundWindow() != own || !IsIconic(search)) {
        check.Fail("the first copy's window could not be put behind another and minimised");
    }

    PROCESS_INFORMATION second = {};
    if (!Start(program, second)) {
        check.Fail("the second copy does not start");
    } else {
        bool ended = false;
        for (DWORD waited = 0; !ended && waited < kWaitMs; waited += kPollMs) {
            Pump();
            if (HWND shown = VisibleWindowOf(second.dwProcessId)) {
                check.Fail("the second copy showed a window of its own: \"" + TitleOf(shown) + "\"");
                break;
            }
            ended = WaitForSingleObject(second.hProcess, kPollMs) == WAIT_OBJECT_0;
        }
        if (!ended && !check.Failed()) check.Fail("the second copy did not end");
        if (!ended) TerminateProcess(second.hProcess, 1);
        CloseHandle(second.hThread);
        CloseHandle(second.hProcess);
    }

    Pump();
    HWND foreground = GetForegroundWindow();
    DWORD foregroundProcess = 0;
    GetWindowThreadProcessId(foreground, &foregroundProcess);
    if (foregroundProcess != first.dwProcessId) {
        check.Fail("the foreground window is \"" + TitleOf(foreground) + "\", not the first copy's");
    }
    if (IsIconic(search)) check.Fail("the first copy's window is still minimised");
    DestroyWindow(own);

    // Cancel ends the first copy's search, and with it the program.
    PostMessageW(search, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    if (WaitForSingleObject(first.hProcess, kWaitMs) != WAIT_OBJECT_0) {
        check.Fail("the first copy did not end after Cancel");
        TerminateProcess(first.hProcess, 1);
    }
    CloseHandle(first.hThread);
    CloseHandle(first.hProcess);
    if (check.Failed()) return 1;
    std::printf("SecondStart: the second copy brought the first forward and ended without a window\n");
    return 0;
}
