#include "tests/tavlo-wine/TavloProcess.h"

#include <commctrl.h>
#include <shlobj.h>

#include "manager/app/ManagerControls.h"
#include "manager/app/ManagerStartup.h"

namespace {

const DWORD kPollMs = 50;
const DWORD kWaitMs = 60000;
const wchar_t kWorkFolderKey[] = L"SOFTWARE\\Merel";
const wchar_t kWorkFolderValue[] = L"WorkFolder";

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

std::wstring PathLabel(const wchar_t* path) {
    SHFILEINFOW info = {};
    ::SHGetFileInfoW(path, 0, &info, sizeof info, SHGFI_DISPLAYNAME);
    return info.szDisplayName;
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

bool SetWorkFolderOnC(const std::wstring& program, const std::wstring& folder) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kWorkFolderKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr) != ERROR_SUCCESS) {
        return false;
    }
    ::RegDeleteValueW(key, kWorkFolderValue);
    {
        TavloProcess first(program, L"");
        HWND window = first.WaitForWindow(kManagerWindowClass, kWaitMs);
        DWORD code = 0;
        if (window) ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(kCloseButton, BN_CLICKED), 0);
        if (!window || !first.WaitForExit(kWaitMs, code)) {
            ::RegCloseKey(key);
            return false;
        }
    }
    wchar_t text[256] = L"";
    DWORD size = sizeof text - sizeof(wchar_t);
    bool set = ::RegQueryValueExW(key, kWorkFolderValue, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) ==
               ERROR_SUCCESS;
    if (set) {
        const std::wstring path = std::wstring(text) + L"\\" + PathLabel(L"C:\\") + L"\\" + folder;
        set = ::RegSetValueExW(key, kWorkFolderValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                               static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    ::RegCloseKey(key);
    return set;
}
