// A tree-view control: nodes carrying a value each, found by their
// relations, expanded, selected and sorted.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Window.h"

// What a new node shows and carries.
struct CTreeNode {
    std::wstring text;
    int image = 0;
    int selectedImage = 0;
    bool hasChildren = false;  // the expand button shows before the children are there
    LPARAM data = 0;
};

class CTreeView : public CWnd {
public:
    CTreeView() = default;
    explicit CTreeView(HWND window) : CWnd(window) {}

    // Inserts under `parent` (TVI_ROOT for the top level) after `after`;
    // null when the node could not be made.
    HTREEITEM InsertItem(HTREEITEM parent, const CTreeNode& node, HTREEITEM after = TVI_LAST) const;
    bool DeleteItem(HTREEITEM item) const { return Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)) != 0; }
    bool DeleteAllItems() const { return DeleteItem(TVI_ROOT); }
    // TVE_EXPAND, TVE_COLLAPSE or TVE_TOGGLE.
    bool Expand(HTREEITEM item, UINT code) const { return Send(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)) != 0; }
    bool SelectItem(HTREEITEM item) const { return Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0; }

    HTREEITEM GetSelection() const { return Next(nullptr, TVGN_CARET); }
    HTREEITEM GetRoot() const { return Next(nullptr, TVGN_ROOT); }
    HTREEITEM GetParent(HTREEITEM item) const { return Next(item, TVGN_PARENT); }
    // The first child of `item` (TVI_ROOT: the first top-level node).
    HTREEITEM GetChild(HTREEITEM item) const { return item == TVI_ROOT ? GetRoot() : Next(item, TVGN_CHILD); }
    HTREEITEM GetNextSibling(HTREEITEM item) const { return Next(item, TVGN_NEXT); }

    std::wstring GetItemText(HTREEITEM item) const;
    LPARAM GetItemData(HTREEITEM item) const;
    // Sorts the children of `parent` by their values.
    bool SortChildren(HTREEITEM parent, PFNTVCOMPARE compare, LPARAM context) const;
    HIMAGELIST SetImageList(HIMAGELIST list, int kind) const {
        return reinterpret_cast<HIMAGELIST>(Send(TVM_SETIMAGELIST, kind, reinterpret_cast<LPARAM>(list)));
    }

private:
    HTREEITEM Next(HTREEITEM item, UINT relation) const {
        return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
};
