// Tavlo's test build (never shipped): the program on Windows itself, except
// that the shell's format entry point is the stand-in format window, since
// Wine's shows none.
#include <windows.h>

#include <cstring>

#include "manager/window/ManagerApp.h"
#include "platform/EntryPoint.h"
#include "platform/win32/Win32Host.h"
#include "tests/tavlo-wine/FormatStandIn.h"

namespace {

class TavloTestHost final : public Win32Host {
public:
    FARPROC GetProcAddress(HMODULE module, LPCSTR procName) override {
        const bool byName = reinterpret_cast<ULONG_PTR>(procName) > 0xFFFF;
        if (byName && std::strcmp(procName, "SHFormatDrive") == 0 && module == ::GetModuleHandleW(L"shell32.dll")) {
            return AsFarProc(StandInFormatDrive);
        }
        return Win32Host::GetProcAddress(module, procName);
    }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    TavloTestHost host;
    CManagerApp app(host, instance);
    return app.Run(::GetCommandLineW());
}
