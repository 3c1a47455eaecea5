#include "tests/views-wine/ViewsWindow.h"

#include <commctrl.h>

#include <cwchar>

#include "manager/views/ManagerMessages.h"

namespace {

const wchar_t kClassName[] = L"VrViewsWindow";
const int kTreeId = 1006;
const int kListId = 1002;

void RegisterOnce() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSW type = {};
    type.lpfnWndProc = DefWindowProcW;
    type.hInstance = ::GetModuleHandleW(nullptr);
    type.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = kClassName;
    ::RegisterClassW(&type);
    registered = true;
}

}  // namespace

std::wstring FixedDate(const FILETIME& time) {
    SYSTEMTIME at = {};
    if (!::FileTimeToSystemTime(&time, &at)) return std::wstring();
    wchar_t text[32];
    std::swprintf(text, 32, L"%04u-%02u-%02u %02u:%02u", at.wYear, at.wMonth, at.wDay, at.wHour, at.wMinute);
    return text;
}

ViewsWindow::ViewsWindow(int width, int height) {
    RegisterOnce();
    HINSTANCE module = ::GetModuleHandleW(nullptr);
    m_window = ::CreateWindowExW(0, kClassName, L"Tavlo views", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, width,
                                 height, nullptr, nullptr, module, nullptr);
    ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ViewsWindow::Procedure));
    RECT client = {};
    ::GetClientRect(m_window, &client);
    const int treeWidth = client.right * 2 / 5;
    HWND tree = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                                  WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                      TVS_SHOWSELALWAYS,
                                  0, 0, treeWidth - 4, client.bottom, m_window,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTreeId)), module, nullptr);
    HWND list = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                  WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                                  treeWidth, 0, client.right - treeWidth, client.bottom, m_window,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), module, nullptr);
    m_tree.Init(tree);
    m_list.Init(list, FixedDate);
    m_list.CreateColumns({L"Name", L"Size", L"Type", L"Modified"});
    m_list.AttachImageLists();
}

ViewsWindow::~ViewsWindow() {
    ::DestroyWindow(m_window);
    Pump();
}

void ViewsWindow::ColumnClicked(int column) {
    NMLISTVIEW click = {};
    click.hdr.hwndFrom = m_list.GetHandle();
    click.hdr.idFrom = kListId;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iSubItem = column;
    ::SendMessageW(m_window, WM_NOTIFY, kListId, reinterpret_cast<LPARAM>(&click));
}

void ViewsWindow::Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

LRESULT CALLBACK ViewsWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ViewsWindow* self = reinterpret_cast<ViewsWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self) {
        LRESULT result = 0;
        switch (message) {
        case WM_NOTIFY: {
            const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (self->m_list.OnNotify(header, result) || self->m_tree.OnNotify(header, result)) return result;
            break;
        }
        case UM_PLAYER_DRIVE1:
            self->drive1 = reinterpret_cast<ShellItemRef*>(wParam);
            ++self->driveReports;
            return 0;
        case UM_PLAYER_DRIVE2:
            self->drive2 = reinterpret_cast<ShellItemRef*>(wParam);
            ++self->driveReports;
            return 0;
        default:
            break;
        }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}
