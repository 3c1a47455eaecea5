// The views' Wine tests run with COM and the common controls set up, as
// Tavlo runs.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::OleInitialize(nullptr);
    const int status = RUN_ALL_TESTS();
    ::OleUninitialize();
    return status;
}
