// CFolderTree: the PC's folders from the desktop down, with My Computer
// selected and open. The player's drives are left out of My Computer and
// reported to the main window instead (UM_PLAYER_DRIVE1 and 2, see
// ManagerMessages.h); every other drive shows. A node's children are
// enumerated the first time it opens.
//
// The tree is a control of the main window's template: Init takes it over.
// Its notifications reach the main window, which hands them to OnNotify;
// the main window's messages UM_TREE_REFRESH_DRIVES and
// UM_TREE_RELEASE_DRIVES are sent to the tree itself.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Subclass.h"
#include "framework/TreeView.h"
#include "manager/app/PlayerDrives.h"
#include "manager/views/ShellItemRef.h"

class CFolderTree : public CTreeView {
public:
    CFolderTree() = default;
    ~CFolderTree();
    CFolderTree(const CFolderTree&) = delete;
    CFolderTree& operator=(const CFolderTree&) = delete;

    // Takes over the tree-view control and gives it the system image list
    // of small icons; false when there is no control or no shell.
    bool Init(HWND tree);

    // The player's drives ("E:"), hidden from the next enumeration of My
    // Computer on: entries 0 and 1 are used. Give them before Fill, and
    // before sending UM_TREE_REFRESH_DRIVES.
    void SetDriveNames(const DriveList& drives) { m_driveNames = drives; }

    // Rebuilds the tree from the desktop, selects and opens My Computer, then
    // opens the nodes the work folder names (tree labels, top-level first,
    // "\" between them) as far as they are found, and selects the last.
    void Fill(const std::wstring& workFolder);

    // The record of the selected node; null when nothing is selected.
    ShellItemPtr SelectedItem() const;
    // The selected folder's file-system path; empty when it has none.
    std::wstring SelectedFolderPath() const;
    // The labels from the top-level node down to the selected one, "\"
    // between them; empty when nothing is selected.
    std::wstring WorkFolderPath() const;

    // Selects the child of the selected node shown as `name` (opening the
    // node first); false, and no change, when there is none: a file's name
    // finds no folder.
    bool SelectChildNamed(const std::wstring& name);
    // Selects the selected node's parent; false at the top level.
    bool SelectParent();
    // Reads the selected node's children again, as the shell now has them.
    void RefreshSelectedBranch();

    // The record of player drive 1 (index 0) or 2 (index 1); null when
    // unknown or released.
    ShellItemPtr PlayerDrive(int index) const;
    HTREEITEM MyComputer() const { return m_myComputer; }

    // A node about to open is filled; true when taken, with the answer in
    // `result`.
    bool OnNotify(const NMHDR& header, LRESULT& result);

private:
    struct Node {
        ShellItemPtr item;
        bool filled = false;  // its children have been enumerated
    };

    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void AddChildren(HTREEITEM parent, IShellFolder* folder, LPCITEMIDLIST folderAbsolute);
    void AddChild(HTREEITEM parent, ShellItemPtr item, bool playerDrives);
    void SortChildren(HTREEITEM parent, IShellFolder* folder);
    void EnsureChildren(HTREEITEM item);
    void Open(HTREEITEM item);
    HTREEITEM FindChild(HTREEITEM parent, const std::wstring& text) const;
    HTREEITEM FindMyComputer() const;
    void RefreshDrives();
    void ForgetChildren(HTREEITEM parent);
    Node* NodeOf(HTREEITEM item) const;
    static int CALLBACK CompareNodes(LPARAM first, LPARAM second, LPARAM folder);

    CSubclass m_subclass;
    IShellFolder* m_desktop = nullptr;
    LPITEMIDLIST m_desktopId = nullptr;  // the desktop's (empty) absolute list
    LPITEMIDLIST m_drivesId = nullptr;   // My Computer's
    DriveList m_driveNames;
    std::vector<std::unique_ptr<Node>> m_nodes;
    ShellItemPtr m_playerDrives[2];
    HTREEITEM m_myComputer = nullptr;
};
