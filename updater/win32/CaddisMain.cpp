// Caddis.exe: the updater on Windows, its dialogs on the real windows and its
// host the real system.
#include <windows.h>

#include "platform/win32/Win32Host.h"
#include "updater/app/VrUpdaterApp.h"
#include "updater/win32/VrProgramArguments.h"
#include "updater/win32/VrWin32FrontEnd.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    Win32Host host;
    VrWin32FrontEnd frontEnd(host);
    CVrUpdaterApp app(host, frontEnd);
    return app.Run(VrArgumentsAfterProgramName(::GetCommandLineW()));
}
