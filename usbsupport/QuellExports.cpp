// The library's exports apart from the region functions, and its
// application object: one per process, made when the library loads and
// ended when it unloads, counting the process in the run counter that the
// section "Quell" shares between all processes that load the library.
#include "usbsupport/Quell.h"

#include <commctrl.h>

#include "usbsupport/QuellDriveSearch.h"
#include "usbsupport/QuellHost.h"
#include "usbsupport/QuellHubSearch.h"
#include "usbsupport/QuellResource.h"
#include "usbsupport/QuellSearchDialog.h"
#include "usbsupport/QuellSystem.h"

// The image's own header, which the linker places at the module's base.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

// Readable, writable and shared: one value for every process. Lock-free
// 32-bit atomics are plain 32-bit values, changed by locked instructions.
std::atomic<uint32_t> runCount __attribute__((section("Quell"), shared)) = {0};

CQuellApp theApp(QuellHost(), runCount);

const wchar_t kCreditText[] =
    L"Quell, the USB support library of the Lumo MP3 Audio Player.\n"
    L"It finds the player on the USB bus and its drives, and shapes skinned windows.";
const wchar_t kCreditTitle[] = L"Quell";

}  // namespace

CQuellApp& QuellApplication() { return theApp; }

HINSTANCE QuellModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

void __cdecl SetVidPid(int vendor, int product) {
    theApp.Settings().vendor = vendor;
    theApp.Settings().product = product;
}

void __cdecl SetCheckSpeed(int milliseconds) { theApp.Settings().checkInterval = milliseconds; }

void __cdecl SetSpeedMaxValue(int ticks) { theApp.Settings().progressMaximum = ticks; }

int __cdecl QCheckUsbDevice(unsigned int vendor, unsigned int product) {
    return FindUsbDeviceHub(theApp.host(), vendor, product);
}

int __cdecl IsUsbConnect() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    CQuellSearchDlg dialog(theApp);
    dialog.Run(QuellModule(), IDD_QUELL_SEARCH, ::GetActiveWindow());
    return dialog.Found() ? 1 : 0;
}

int __cdecl QGetUSbDrivers(CString& roots, CString first, CString second) {
    std::wstring found;
    const int drive = FindIdentifiedDrives(theApp.host(), first.GetString(), second.GetString(), found);
    roots = found.c_str();
    return drive;
}

int __cdecl QGetOSVer() { return WindowsVersionCode(theApp.host()); }

unsigned int __cdecl QGetLangID() { return SystemLanguageCode(theApp.host()); }

unsigned int __cdecl QGetRunCount() { return theApp.RunCount(); }

int __cdecl QGetCopyRight() {
    ::MessageBoxW(::GetActiveWindow(), kCreditText, kCreditTitle, MB_OK | MB_ICONINFORMATION);
    return 1;
}
