// A list-view control of another process, read and clicked from this one.
// Its records cannot cross processes by pointer, so they travel through a
// block of the other process's memory.
#pragma once

#include <windows.h>

#include <string>

class RemoteList {
public:
    RemoteList(HWND window, int listId);
    ~RemoteList();
    RemoteList(const RemoteList&) = delete;
    RemoteList& operator=(const RemoteList&) = delete;

    HWND Handle() const { return m_list; }
    int Count() const;
    std::wstring Text(int row) const;
    // The row showing `name` in its first column; -1 when none does.
    int Find(const std::wstring& name) const;
    int SelectedCount() const;
    // The middle of the row's name, on the screen.
    bool RowPoint(int row, POINT& screen) const;

    // Clicks the row with the mouse; with `add`, adds it to the selection
    // as a Ctrl click does. False when there is no such row or it did not
    // become selected.
    bool Click(const std::wstring& name, bool add = false) const;
    bool DoubleClick(const std::wstring& name) const;
    // True when the click reached the list: no other window lay over the
    // row and the list took input.
    bool RightClick(const std::wstring& name) const;
    // The right button's messages posted to the list over the row, for a
    // list whose window takes no input now (a dialog of its program is
    // modal) but whose program still dispatches its messages.
    bool PostRightClick(const std::wstring& name) const;

private:
    bool AddToSelection(int row) const;
    bool Selected(int row) const;

    HWND m_list;
    HANDLE m_process = nullptr;
    BYTE* m_memory = nullptr;  // in the other process
};

// Presses and releases the left or right button at a screen point.
void ClickAt(POINT screen, bool right = false);
