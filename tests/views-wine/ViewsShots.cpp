// views-shots: a picture of the folder tree and a file list as Tavlo shows
// them, under Wine: the PC's folders with the player's drive (a removable
// Wine drive named by QUELL_TEST_PLAYER) left out of My Computer, and the
// player's drive listed with "*.*", sorted by size descending.
//
//   views-shots FOLDER     (writes views.bmp)
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdio>
#include <string>

#include "manager/views/QuellDriveQuery.h"
#include "platform/win32/Win32Host.h"
#include "tests/views-wine/ViewsWindow.h"
#include "tests/wine-ui/WindowCapture.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: views-shots FOLDER\n");
        return 2;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::OleInitialize(nullptr);
    int status = 1;
    {
        Win32Host host;
        DriveList drives;
        DetectPlayerDrives(host, QuellDriveQuery(), drives);
        ViewsWindow window(820, 440);
        window.Tree().SetDriveNames(drives);
        window.Tree().Fill(L"");
        if (window.drive1 && window.List().Fill(*window.drive1, L"*.*", nullptr)) {
            window.ColumnClicked(kSizeColumn);
            window.ColumnClicked(kSizeColumn);
        }
        ::SetForegroundWindow(window.Handle());
        ::RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        // Wine's desktop shows what was painted by its next turn.
        for (int i = 0; i < 10; ++i) {
            ViewsWindow::Pump();
            ::Sleep(50);
        }
        std::string error;
        if (!window.drive1) {
            std::fprintf(stderr, "views-shots: the tree reported no player drive\n");
        } else if (!CaptureWindow(window.Handle(), std::wstring(argv[1]) + L"\\views.bmp", error)) {
            std::fprintf(stderr, "views-shots: %s\n", error.c_str());
        } else {
            status = 0;
        }
    }
    ::OleUninitialize();
    return status;
}
