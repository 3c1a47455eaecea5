// Formatting the player: the shell's format dialog for the drive shown,
// with its file-system box set to FAT and locked while it is up, because
// the player reads only FAT.

#include "manager/window/ManagerDlg.h"

#include <vector>

#include "manager/app/FormatDrive.h"
#include "platform/EntryPoint.h"

namespace {

// The shell's format entry point, looked up when the command runs.
typedef DWORD(WINAPI* FormatDriveFunction)(HWND owner, UINT drive, UINT formatId, UINT options);
const UINT kFormatDefaultId = 0xFFFF;  // SHFMT_ID_DEFAULT

// "格式化失败!": fixed in the program, not taken from the skin.
const wchar_t kFormatFailed[] = L"\u683c\u5f0f\u5316\u5931\u8d25!";

// A hook procedure has no context of its own: the hook's handle is the
// one global, valid only while the format dialog runs.
HHOOK g_formatHook = nullptr;

std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    const LRESULT count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
        std::wstring text(length > 0 ? static_cast<size_t>(length) : 0, L'\0');
        if (length > 0) ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        items.push_back(text.c_str());
    }
    return items;
}

BOOL CALLBACK LockFileSystemBox(HWND child, LPARAM /*unused*/) {
    if (::GetDlgCtrlID(child) != kFormatFileSystemCombo) return TRUE;
    const int fat = PlayerFileSystemItem(ComboItems(child));
    if (fat >= 0) ::SendMessageW(child, CB_SETCURSEL, fat, 0);
    ::EnableWindow(child, FALSE);
    return FALSE;
}

LRESULT CALLBACK WatchFormatDialog(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const CWPSTRUCT& message = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (message.message == WM_SHOWWINDOW) ::EnumChildWindows(message.hwnd, LockFileSystemBox, 0);
    }
    return ::CallNextHookEx(g_formatHook, code, wParam, lParam);
}

}  // namespace

void CManagerDlg::FormatPlayer() {
    if (m_previewPlaying) return;
    if (m_navigation.empty()) {
        Warn(kNoPlayer);
        return;
    }
    const int drive = FormatDriveIndex(m_navigation.back()->FileSystemPath());
    HMODULE shell = drive < 0 ? nullptr : m_host.LoadLibrary(L"shell32.dll");
    if (!shell) {
        ShowFormatFailed();
        return;
    }
    const auto format = EntryPoint<FormatDriveFunction>(m_host.GetProcAddress(shell, "SHFormatDrive"));
    if (format) {
        g_formatHook = ::SetWindowsHookExW(WH_CALLWNDPROC, WatchFormatDialog, nullptr, ::GetCurrentThreadId());
        if (g_formatHook) {
            format(GetHandle(), static_cast<UINT>(drive), kFormatDefaultId, 0);
            ::UnhookWindowsHookEx(g_formatHook);
            g_formatHook = nullptr;
        }
    }
    m_host.FreeLibrary(shell);

    // The player is found again and shown at its root, formatted or not.
    m_playerList.Empty();
    m_navigation.resize(1);
    RefreshGauge(true);
    RefreshCapacityTexts();
    RefreshPlayer(false, DeviceEvents::kOther);
    if (!format) ShowFormatFailed();
}

void CManagerDlg::ShowFormatFailed() {
    ::MessageBoxW(GetHandle(), kFormatFailed, m_layout.Definition().Message(kWarningCaption).c_str(),
                  MB_OK | MB_ICONWARNING);
}
