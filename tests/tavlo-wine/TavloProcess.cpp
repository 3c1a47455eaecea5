#include "tests/tavlo-wine/TavloProcess.h"

#include <commctrl.h>

namespace {

const DWORD kPollMs = 50;

struct Search {
    DWORD process;
    const wchar_t* windowClass;
    HWND found;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM search) {
    Search& s = *reinterpret_cast<Search*>(search);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != s.process || !::IsWindowVisible(window)) return TRUE;
    if (s.windowClass && ClassOf(window) != s.windowClass) return TRUE;
    s.found = window;
    return FALSE;
}

BOOL CALLBACK AddText(HWND child, LPARAM texts) {
    wchar_t text[512] = L"";
    ::GetWindowTextW(child, text, 512);
    if (text[0]) *reinterpret_cast<std::wstring*>(texts) += std::wstring(text) + L"\n";
    return TRUE;
}

}  // namespace

TavloProcess::TavloProcess(const std::wstring& program, const std::wstring& arguments) {
    const std::wstring folder = program.substr(0, program.find_last_of(L"\\/") + 1);
    std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &m_process)) {
        m_process = {};
    }
}

TavloProcess::~TavloProcess() {
    if (!m_process.hProcess) return;
    if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(m_process.hProcess, 1);
    ::CloseHandle(m_process.hProcess);
    ::CloseHandle(m_process.hThread);
}

bool TavloProcess::WaitForExit(DWORD milliseconds, DWORD& exitCode) {
    for (DWORD waited = 0; waited < milliseconds; waited += kPollMs) {
        if (::WaitForSingleObject(m_process.hProcess, kPollMs) == WAIT_OBJECT_0) {
            return ::GetExitCodeProcess(m_process.hProcess, &exitCode) != FALSE;
        }
        PumpFor(0);
    }
    return false;
}

HWND TavloProcess::WaitForWindow(const wchar_t* windowClass, DWORD milliseconds) {
    for (DWORD waited = 0; waited < milliseconds; waited += kPollMs) {
        Search search{m_process.dwProcessId, windowClass, nullptr};
        ::EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (::WaitForSingleObject(m_process.hProcess, kPollMs) == WAIT_OBJECT_0) return nullptr;
        PumpFor(0);
    }
    return nullptr;
}

bool TavloProcess::ClickColumn(HWND window, int listId, int column) {
    // A notification's record cannot cross processes: the column's title is
    // clicked with the mouse. The lists' columns are 150 pixels wide.
    const int kColumnWidth = 150;
    HWND header = reinterpret_cast<HWND>(::SendMessageW(::GetDlgItem(window, listId), LVM_GETHEADER, 0, 0));
    RECT rect;
    if (!header || !::GetWindowRect(header, &rect)) return false;
    ::SetCursorPos(rect.left + column * kColumnWidth + 20, (rect.top + rect.bottom) / 2);
    ::mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ::mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    // Longer than a double click's time, so that a second click is one too.
    PumpFor(::GetDoubleClickTime() + 200);
    return true;
}

std::wstring ChildTexts(HWND window) {
    std::wstring texts;
    ::EnumChildWindows(window, AddText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[128] = L"";
    ::GetClassNameW(window, name, 128);
    return name;
}

void PumpFor(DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    do {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
        if (milliseconds) ::Sleep(10);
    } while (::GetTickCount() - start < milliseconds);
}

std::string Narrow(const std::wstring& text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(size > 0 ? size - 1 : 0, '\0');
    if (size > 1) ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &narrow[0], size, nullptr, nullptr);
    return narrow;
}
