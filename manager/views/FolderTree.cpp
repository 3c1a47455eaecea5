#include "manager/views/FolderTree.h"

#include <algorithm>
#include <set>

#include "manager/app/ShellSort.h"
#include "manager/app/WorkFolder.h"
#include "manager/views/ManagerMessages.h"
#include "manager/views/ShellNames.h"

namespace {

const ULONG kNodeAttributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM;

}  // namespace

CFolderTree::~CFolderTree() {
    m_subclass.Release();
    ::CoTaskMemFree(m_desktopId);
    ::CoTaskMemFree(m_drivesId);
    if (m_desktop) m_desktop->Release();
}

bool CFolderTree::Init(HWND tree) {
    if (!tree || m_desktop) return false;
    Attach(tree);
    if (FAILED(::SHGetDesktopFolder(&m_desktop))) return false;
    if (FAILED(::SHGetSpecialFolderLocation(tree, CSIDL_DESKTOP, &m_desktopId)) ||
        FAILED(::SHGetSpecialFolderLocation(tree, CSIDL_DRIVES, &m_drivesId))) {
        return false;
    }
    SetImageList(SystemImageList(true), TVSIL_NORMAL);
    return m_subclass.Take(tree, [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return OnMessage(message, wParam, lParam, result);
    });
}

void CFolderTree::Fill(const std::wstring& workFolder) {
    if (!m_desktop) return;
    DeleteAllItems();
    m_nodes.clear();
    m_myComputer = nullptr;
    AddChildren(TVI_ROOT, m_desktop, m_desktopId);
    SortChildren(TVI_ROOT, m_desktop);

    m_myComputer = FindMyComputer();
    if (m_myComputer) {
        SelectItem(m_myComputer);
        Open(m_myComputer);
    }
    // The path runs from the top level down; it stops where a label is not
    // found, so no folder of the same name elsewhere is taken for it.
    HTREEITEM current = TVI_ROOT;
    HTREEITEM last = nullptr;
    for (const std::wstring& label : SplitWorkFolder(workFolder)) {
        if (current != TVI_ROOT) Open(current);
        HTREEITEM found = FindChild(current, label);
        if (!found) break;
        last = current = found;
    }
    if (last) {
        Open(last);
        SelectItem(last);
    }
}

ShellItemPtr CFolderTree::SelectedItem() const {
    Node* node = NodeOf(GetSelection());
    return node ? node->item : nullptr;
}

std::wstring CFolderTree::SelectedFolderPath() const {
    ShellItemPtr item = SelectedItem();
    if (!item || !(item->Attributes() & SFGAO_FILESYSTEM)) return std::wstring();
    return item->FileSystemPath();
}

std::wstring CFolderTree::WorkFolderPath() const {
    std::vector<std::wstring> labels;
    for (HTREEITEM item = GetSelection(); item; item = GetParent(item)) labels.push_back(GetItemText(item));
    return JoinWorkFolder(labels);
}

bool CFolderTree::SelectChildNamed(const std::wstring& name) {
    HTREEITEM selected = GetSelection();
    if (!selected) return false;
    EnsureChildren(selected);
    HTREEITEM child = FindChild(selected, name);
    return child && SelectItem(child);
}

bool CFolderTree::SelectParent() {
    HTREEITEM selected = GetSelection();
    HTREEITEM parent = selected ? GetParent(selected) : nullptr;
    return parent && SelectItem(parent);
}

void CFolderTree::RefreshSelectedBranch() {
    HTREEITEM selected = GetSelection();
    Node* node = NodeOf(selected);
    if (!node) return;
    const bool open = (Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(selected), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    ForgetChildren(selected);
    node->filled = false;
    EnsureChildren(selected);
    if (open) Expand(selected, TVE_EXPAND);
}

ShellItemPtr CFolderTree::PlayerDrive(int index) const {
    return index == 0 || index == 1 ? m_playerDrives[index] : nullptr;
}

bool CFolderTree::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != GetHandle() || header.code != TVN_ITEMEXPANDINGW) return false;
    const NMTREEVIEWW& change = reinterpret_cast<const NMTREEVIEWW&>(header);
    if (change.action & TVE_EXPAND) EnsureChildren(change.itemNew.hItem);
    result = FALSE;  // let it open
    return true;
}

bool CFolderTree::OnMessage(UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& result) {
    switch (message) {
    case UM_TREE_REFRESH_DRIVES:
        RefreshDrives();
        break;
    case UM_TREE_RELEASE_DRIVES:
        m_playerDrives[0].reset();
        m_playerDrives[1].reset();
        break;
    default:
        return false;
    }
    result = 0;
    return true;
}

void CFolderTree::AddChildren(HTREEITEM parent, IShellFolder* folder, LPCITEMIDLIST folderAbsolute) {
    // Only My Computer's children can be the player's drives.
    const bool playerDrives = parent != TVI_ROOT && parent == m_myComputer;
    EnumerateShellChildren(folder, GetHandle(), SHCONTF_FOLDERS, [&](LPITEMIDLIST child) {
        ShellItemPtr item = ShellItemRef::Make(folder, folderAbsolute, child, kNodeAttributes);
        if (item && item->IsFolder()) AddChild(parent, std::move(item), playerDrives);
    });
}

void CFolderTree::AddChild(HTREEITEM parent, ShellItemPtr item, bool playerDrives) {
    const std::wstring name = item->DisplayName();
    if (name.empty() || FindChild(parent, name)) return;  // one node per name
    if (playerDrives) {
        const int drive = PlayerDriveIndex(name, m_driveNames);
        if (drive >= 0) {
            m_playerDrives[drive] = item;
            ::SendMessageW(::GetParent(GetHandle()), drive == 0 ? UM_PLAYER_DRIVE1 : UM_PLAYER_DRIVE2,
                           reinterpret_cast<WPARAM>(item.get()), 0);
            return;
        }
    }
    auto node = std::make_unique<Node>();
    node->item = std::move(item);
    CTreeNode shown;
    shown.text = name;
    shown.image = SmallIconIndex(node->item->Absolute(), false);
    shown.selectedImage = SmallIconIndex(node->item->Absolute(), true);
    shown.hasChildren = (node->item->Attributes() & SFGAO_HASSUBFOLDER) != 0;
    shown.data = reinterpret_cast<LPARAM>(node.get());
    if (InsertItem(parent, shown)) m_nodes.push_back(std::move(node));
}

HTREEITEM CFolderTree::FindChild(HTREEITEM parent, const std::wstring& text) const {
    for (HTREEITEM child = GetChild(parent); child; child = GetNextSibling(child)) {
        if (GetItemText(child) == text) return child;
    }
    return nullptr;
}

void CFolderTree::SortChildren(HTREEITEM parent, IShellFolder* folder) {
    CTreeView::SortChildren(parent, &CFolderTree::CompareNodes, reinterpret_cast<LPARAM>(folder));
}

int CALLBACK CFolderTree::CompareNodes(LPARAM first, LPARAM second, LPARAM folder) {
    const Node& a = *reinterpret_cast<const Node*>(first);
    const Node& b = *reinterpret_cast<const Node*>(second);
    return RowOrder(reinterpret_cast<IShellFolder*>(folder)->CompareIDs(0, a.item->Relative(), b.item->Relative()),
                    false);
}

void CFolderTree::EnsureChildren(HTREEITEM item) {
    Node* node = NodeOf(item);
    if (!node || node->filled) return;
    node->filled = true;
    IShellFolder* folder = node->item->BindFolder();
    if (!folder) return;
    AddChildren(item, folder, node->item->Absolute());
    SortChildren(item, folder);
    folder->Release();
}

void CFolderTree::Open(HTREEITEM item) {
    EnsureChildren(item);
    Expand(item, TVE_EXPAND);
}

HTREEITEM CFolderTree::FindMyComputer() const {
    for (HTREEITEM child = GetRoot(); child; child = GetNextSibling(child)) {
        Node* node = NodeOf(child);
        if (node && SameItemId(node->item->Relative(), m_drivesId)) return child;
    }
    return nullptr;
}

// A device arrived: My Computer's drives are enumerated again. A player
// drive found again replaces its record; one not found keeps it until
// UM_TREE_RELEASE_DRIVES.
void CFolderTree::RefreshDrives() {
    Node* computer = NodeOf(m_myComputer);
    if (!computer) return;
    ForgetChildren(m_myComputer);
    computer->filled = false;
    Open(m_myComputer);
}

void CFolderTree::ForgetChildren(HTREEITEM parent) {
    std::set<const Node*> gone;
    std::vector<HTREEITEM> pending;
    for (HTREEITEM child = GetChild(parent); child; child = GetNextSibling(child)) pending.push_back(child);
    std::vector<HTREEITEM> direct = pending;
    while (!pending.empty()) {
        HTREEITEM item = pending.back();
        pending.pop_back();
        gone.insert(NodeOf(item));
        for (HTREEITEM child = GetChild(item); child; child = GetNextSibling(child)) pending.push_back(child);
    }
    for (HTREEITEM child : direct) DeleteItem(child);
    m_nodes.erase(std::remove_if(m_nodes.begin(), m_nodes.end(),
                                 [&](const std::unique_ptr<Node>& node) { return gone.count(node.get()) != 0; }),
                  m_nodes.end());
}

CFolderTree::Node* CFolderTree::NodeOf(HTREEITEM item) const {
    if (!item || item == TVI_ROOT) return nullptr;
    return reinterpret_cast<Node*>(GetItemData(item));
}
