// Tavlo's test build as another process, seen from a program that drives
// it under Wine: starting it, finding its windows and texts, and handing
// the mouse to its controls.
#pragma once

#include <windows.h>

#include <string>

class TavloProcess {
public:
    // Starts the program, in its own folder, with the arguments after it.
    TavloProcess(const std::wstring& program, const std::wstring& arguments);
    ~TavloProcess();
    TavloProcess(const TavloProcess&) = delete;
    TavloProcess& operator=(const TavloProcess&) = delete;

    bool Started() const { return m_process.hProcess != nullptr; }
    DWORD Id() const { return m_process.dwProcessId; }
    // True once it ended within the time, with its exit code.
    bool WaitForExit(DWORD milliseconds, DWORD& exitCode);
    // Its visible top-level window of the class (any class when null),
    // waited for; null when none came in time or the process ended.
    HWND WaitForWindow(const wchar_t* windowClass, DWORD milliseconds);
    // Clicks the title of a column of the list control `listId`.
    bool ClickColumn(HWND window, int listId, int column);

private:
    PROCESS_INFORMATION m_process = {};
};

// Makes C:\`folder` the work folder the program's next start selects. The
// window keeps the tree's labels of the folder selected as it closes: a
// start without a work folder, closed at once, gives those of My Computer,
// to which the drive's label and the folder are added.
bool SetWorkFolderOnC(const std::wstring& program, const std::wstring& folder);

// The texts of a window's children, one a line (a message box's message).
std::wstring ChildTexts(HWND window);
std::wstring ClassOf(HWND window);
// Dispatches this program's own messages while it waits.
void PumpFor(DWORD milliseconds);
std::string Narrow(const std::wstring& text);
