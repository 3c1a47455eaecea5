// CManagerApp: Tavlo from start to end. Only one copy runs (a second start
// brings the first window forward and ends), "/v" shows Quell's credits,
// Quell learns the player's USB identifiers, the skin library is loaded
// and the main window runs as a modal dialog until it closes.
#pragma once

#include <windows.h>

#include <string>

#include "platform/Host.h"

// Shown when SkinRes.dll cannot be loaded; the program then ends.
extern const wchar_t kSkinLibraryMissing[];  // "Unable to load resource DLL!"

class CManagerApp {
public:
    CManagerApp(Host& host, HINSTANCE instance) : m_host(host), m_instance(instance) {}
    ~CManagerApp();
    CManagerApp(const CManagerApp&) = delete;
    CManagerApp& operator=(const CManagerApp&) = delete;

    // The whole program; its exit code.
    int Run(const std::wstring& commandLine);

private:
    // True when another copy's window was found (and brought forward).
    static bool RaiseRunningCopy();
    bool RegisterWindowClass();

    Host& m_host;
    HINSTANCE m_instance;
    HMODULE m_skin = nullptr;
};
