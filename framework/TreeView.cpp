#include "framework/TreeView.h"

HTREEITEM CTreeView::InsertItem(HTREEITEM parent, const CTreeNode& node, HTREEITEM after) const {
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(node.text.c_str());
    insert.item.iImage = node.image;
    insert.item.iSelectedImage = node.selectedImage;
    insert.item.cChildren = node.hasChildren ? 1 : 0;
    insert.item.lParam = node.data;
    return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

std::wstring CTreeView::GetItemText(HTREEITEM item) const {
    wchar_t text[260] = {};
    TVITEMW query = {};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = 260;
    return Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query)) ? std::wstring(text) : std::wstring();
}

LPARAM CTreeView::GetItemData(HTREEITEM item) const {
    TVITEMW query = {};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    return Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query)) ? query.lParam : 0;
}

bool CTreeView::SortChildren(HTREEITEM parent, PFNTVCOMPARE compare, LPARAM context) const {
    TVSORTCB sort = {};
    sort.hParent = parent;
    sort.lpfnCompare = compare;
    sort.lParam = context;
    return Send(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort)) != 0;
}
