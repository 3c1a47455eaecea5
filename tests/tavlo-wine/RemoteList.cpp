#include "tests/tavlo-wine/RemoteList.h"

#include <commctrl.h>

#include "tests/tavlo-wine/TavloProcess.h"

namespace {

const SIZE_T kMemory = 4096;
const SIZE_T kTextOffset = 512;  // the text buffer, after the record
const int kTextChars = 260;
const DWORD kClickSettleMs = 300;
const int kClickAttempts = 3;

}  // namespace

RemoteList::RemoteList(HWND window, int listId) : m_list(::GetDlgItem(window, listId)) {
    DWORD id = 0;
    ::GetWindowThreadProcessId(m_list, &id);
    m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    if (m_process) {
        m_memory = static_cast<BYTE*>(::VirtualAllocEx(m_process, nullptr, kMemory, MEM_COMMIT, PAGE_READWRITE));
    }
}

RemoteList::~RemoteList() {
    if (m_memory) ::VirtualFreeEx(m_process, m_memory, 0, MEM_RELEASE);
    if (m_process) ::CloseHandle(m_process);
}

int RemoteList::Count() const { return static_cast<int>(::SendMessageW(m_list, LVM_GETITEMCOUNT, 0, 0)); }

int RemoteList::SelectedCount() const {
    return static_cast<int>(::SendMessageW(m_list, LVM_GETSELECTEDCOUNT, 0, 0));
}

std::wstring RemoteList::Text(int row) const {
    if (!m_memory) return std::wstring();
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = reinterpret_cast<LPWSTR>(m_memory + kTextOffset);
    item.cchTextMax = kTextChars;
    ::WriteProcessMemory(m_process, m_memory, &item, sizeof item, nullptr);
    ::SendMessageW(m_list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(m_memory));
    wchar_t text[kTextChars] = L"";
    ::ReadProcessMemory(m_process, m_memory + kTextOffset, text, sizeof text, nullptr);
    text[kTextChars - 1] = 0;
    return text;
}

int RemoteList::Find(const std::wstring& name) const {
    for (int row = 0, rows = Count(); row < rows; ++row) {
        if (Text(row) == name) return row;
    }
    return -1;
}

bool RemoteList::RowPoint(int row, POINT& screen) const {
    if (!m_memory || row < 0) return false;
    // The row into view first: a click lands where the row is shown.
    ::SendMessageW(m_list, LVM_ENSUREVISIBLE, row, FALSE);
    RECT rect = {LVIR_LABEL, 0, 0, 0};
    ::WriteProcessMemory(m_process, m_memory, &rect, sizeof rect, nullptr);
    if (!::SendMessageW(m_list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(m_memory))) return false;
    ::ReadProcessMemory(m_process, m_memory, &rect, sizeof rect, nullptr);
    screen = {rect.left + 12, (rect.top + rect.bottom) / 2};
    return ::ClientToScreen(m_list, &screen) != FALSE;
}

bool RemoteList::Click(const std::wstring& name, bool add) const {
    const int row = Find(name);
    if (add) return AddToSelection(row);
    // A list still busy refilling may let a click pass: it is tried again.
    for (int attempt = 0; attempt < kClickAttempts; ++attempt) {
        POINT point;
        if (!RowPoint(row, point)) return false;
        ClickAt(point);
        // Longer than a double click's time, so that the next click is one too.
        PumpFor(::GetDoubleClickTime() + kClickSettleMs);
        if (Selected(row)) return true;
    }
    return false;
}

// A Ctrl held down by injected input may reach the list after the click it
// was meant for, on a loaded machine: the row is added by the list's own
// message instead, as a Ctrl click would.
bool RemoteList::AddToSelection(int row) const {
    if (!m_memory || row < 0) return false;
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    ::WriteProcessMemory(m_process, m_memory, &item, sizeof item, nullptr);
    ::SendMessageW(m_list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(m_memory));
    return Selected(row);
}

bool RemoteList::Selected(int row) const {
    return (::SendMessageW(m_list, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

bool RemoteList::DoubleClick(const std::wstring& name) const {
    POINT point;
    if (!RowPoint(Find(name), point)) return false;
    ClickAt(point);
    ClickAt(point);
    PumpFor(::GetDoubleClickTime() + kClickSettleMs);
    return true;
}

bool RemoteList::RightClick(const std::wstring& name) const {
    POINT point;
    if (!RowPoint(Find(name), point)) return false;
    // Nothing else, such as a dialog of the shell's, lies over the row.
    const bool reached = ::WindowFromPoint(point) == m_list && ::IsWindowEnabled(m_list);
    ClickAt(point, true);
    return reached;
}

bool RemoteList::PostRightClick(const std::wstring& name) const {
    POINT point;
    if (!RowPoint(Find(name), point) || !::ScreenToClient(m_list, &point)) return false;
    const LPARAM where = MAKELPARAM(point.x, point.y);
    ::PostMessageW(m_list, WM_RBUTTONDOWN, MK_RBUTTON, where);
    ::PostMessageW(m_list, WM_RBUTTONUP, 0, where);
    return true;
}

void ClickAt(POINT screen, bool right) {
    ::SetCursorPos(screen.x, screen.y);
    ::mouse_event(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ::mouse_event(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    PumpFor(50);
}
