// Tavlo.exe: the content manager on Windows, its host the real system.
#include <windows.h>

#include "manager/window/ManagerApp.h"
#include "platform/win32/Win32Host.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    Win32Host host;
    CManagerApp app(host, instance);
    return app.Run(::GetCommandLineW());
}
