// Help: "help.chm" beside the program, raised when its window is open
// already (found by the help viewer's class and the skin's title for it),
// else opened by the shell.

#include "manager/window/ManagerDlg.h"

#include <shellapi.h>

namespace {

const wchar_t kHelpWindowClass[] = L"HH Parent";

}  // namespace

void CManagerDlg::ShowHelp() {
    wchar_t program[MAX_PATH] = L"";
    const DWORD length = m_host.GetModuleFileName(nullptr, program, MAX_PATH);
    std::wstring folder(program, length < MAX_PATH ? length : 0);
    folder.erase(folder.find_last_of(L'\\') == std::wstring::npos ? 0 : folder.find_last_of(L'\\'));
    const std::wstring helpFile = folder + L"\\help.chm";

    const std::wstring title = m_layout.Definition().Message(kHelpWindowTitle);
    HWND help = ::FindWindowW(kHelpWindowClass, title.c_str());
    if (help) {
        ::BringWindowToTop(help);
        return;
    }
    ::ShellExecuteW(GetHandle(), nullptr, helpFile.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
