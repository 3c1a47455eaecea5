// A plain window holding a folder tree and a file list as Tavlo's main
// window holds them: it hands their notifications to them and keeps the
// player drive records the tree reports. For the Wine tests, the benchmark
// and the pictures of the views.
#pragma once

#include <windows.h>

#include <string>

#include "manager/views/FolderTree.h"
#include "manager/views/ShellList.h"

// A fixed date picture, "2004-03-05 09:07", in UTC.
std::wstring FixedDate(const FILETIME& time);

class ViewsWindow {
public:
    // Makes the window (shown) with the tree on the left and the list on
    // the right; COM and the common controls must be set up already.
    ViewsWindow(int width = 760, int height = 420);
    ~ViewsWindow();
    ViewsWindow(const ViewsWindow&) = delete;
    ViewsWindow& operator=(const ViewsWindow&) = delete;

    HWND Handle() const { return m_window; }
    CFolderTree& Tree() { return m_tree; }
    CShellList& List() { return m_list; }

    // What the tree reported last with UM_PLAYER_DRIVE1 and 2, and how often.
    ShellItemRef* drive1 = nullptr;
    ShellItemRef* drive2 = nullptr;
    int driveReports = 0;

    // Tells the list that a column title was clicked, as the list itself does.
    void ColumnClicked(int column);

    // Dispatches the window's pending messages.
    static void Pump();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
    CFolderTree m_tree;
    CShellList m_list;
};
