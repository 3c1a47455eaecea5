#include "manager/window/ManagerApp.h"

#include <commctrl.h>
#include <ole2.h>

#include "manager/app/LocaleDateFormat.h"
#include "manager/app/ManagerStartup.h"
#include "manager/window/ManagerDlg.h"
#include "usbsupport/Quell.h"

const wchar_t kSkinLibraryMissing[] = L"Unable to load resource DLL!";

namespace {

const wchar_t kSkinLibrary[] = L"SkinRes.dll";
const wchar_t kProgramName[] = L"Tavlo";

}  // namespace

CManagerApp::~CManagerApp() {
    // The skin goes before the program's own end.
    if (m_skin) m_host.FreeLibrary(m_skin);
}

int CManagerApp::Run(const std::wstring& commandLine) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (RaiseRunningCopy()) return 0;
    if (AsksForCredits(commandLine)) {
        QGetCopyRight();
        return 0;
    }
    SetVidPid(kPlayerVendorId, kPlayerProductId);
    SetCheckSpeed(kQuellCheckSpeed);
    SetSpeedMaxValue(kQuellSpeedMaxValue);
    m_skin = m_host.LoadLibrary(kSkinLibrary);
    if (!m_skin) {
        ::MessageBoxW(nullptr, kSkinLibraryMissing, kProgramName, MB_OK | MB_ICONEXCLAMATION);
        return 1;
    }
    if (!RegisterWindowClass()) return 1;
    // The shell views and drag and drop want OLE on this thread.
    ::OleInitialize(nullptr);
    INT_PTR result;
    {
        CLocaleDateFormat dates(m_host);
        CManagerDlg window(m_host, m_skin, dates);
        // 0: the window takes the variant of the system's language.
        window.SetLanguageMode(0);
        result = window.Run(m_skin, kSkinMainDialog, nullptr);
    }
    ::OleUninitialize();
    return result == -1 ? 1 : 0;
}

bool CManagerApp::RaiseRunningCopy() {
    HWND first = ::FindWindowW(kManagerWindowClass, nullptr);
    if (!first) return false;
    if (::IsIconic(first)) ::ShowWindow(first, SW_RESTORE);
    ::SetForegroundWindow(first);
    ::SetForegroundWindow(::GetLastActivePopup(first));
    return true;
}

// The main window's template names this class: the standard dialog class
// under Tavlo's own name, so that a second start can find the window.
bool CManagerApp::RegisterWindowClass() {
    WNDCLASSW type = {};
    if (!::GetClassInfoW(nullptr, WC_DIALOG, &type)) return false;
    type.hInstance = m_skin;
    type.lpszClassName = kManagerWindowClass;
    return ::RegisterClassW(&type) != 0;
}
