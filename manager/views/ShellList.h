// CShellList: a file list over a shell folder, in report view with four
// columns (name, size, type, modification date) and the sort header. Rows
// are inserted with callback text and image and answered on request; each
// carries the ShellItemRef of its item. The name column is ordered by the
// shell folder's own comparison; size, type and date by the item's file
// data and type name (some shells, Wine's among them, compare by name
// whatever the column), with the name deciding between equals.
//
// The list is a control of the main window's template: Init takes it over.
// Its notifications reach the main window, which hands them to OnNotify.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/ListView.h"
#include "framework/MouseFilter.h"
#include "framework/Subclass.h"
#include "manager/app/ShellSort.h"
#include "manager/views/ShellItemRef.h"
#include "manager/views/SortHeader.h"

// Turns a file time (UTC) into the date column's text.
using FileDateFormatter = std::function<std::wstring(const FILETIME& time)>;

class CShellList : public CListView {
public:
    CShellList() = default;
    ~CShellList();
    CShellList(const CShellList&) = delete;
    CShellList& operator=(const CShellList&) = delete;

    // Takes over the list-view control; false when there is none.
    bool Init(HWND list, FileDateFormatter formatDate);
    // Four left-aligned columns 150 pixels wide with the captions (name,
    // size, type, date); missing captions are empty.
    void CreateColumns(const std::vector<std::wstring>& captions);
    // The shell's small and large system image lists; the list lets go of
    // them, without destroying them, when it is destroyed.
    void AttachImageLists();

    // Empties the list and fills it with the folder's items that the filter
    // shows and that hold neither of the first two exclusion entries (none
    // are used when `exclusions` is null), sorted by the current column.
    // `folderAbsolute` is the folder's absolute list. False when the folder
    // cannot be enumerated (the list is left empty).
    bool Fill(IShellFolder* folder, LPCITEMIDLIST folderAbsolute, const std::wstring& filter,
              const std::vector<std::wstring>* exclusions);
    // The same for the folder of a record; false, and the list unchanged,
    // when the record cannot be bound as a folder.
    bool Fill(const ShellItemRef& folder, const std::wstring& filter, const std::vector<std::wstring>* exclusions);
    // The same for a file-system folder ("C:\Music"); false, and the list
    // unchanged, when the shell does not know the path.
    bool FillPath(const std::wstring& path, const std::wstring& filter, const std::vector<std::wstring>* exclusions);

    // No rows and no folder: a list with nothing to show.
    void Empty();

    // The record of a row, null for no such row.
    ShellItemPtr Item(int row) const;
    const SortState& Sort() const { return m_sort; }

    // Sees the list's mouse messages first (the main window's dragging).
    void SetMouseFilter(MouseFilter filter) { m_mouseFilter = std::move(filter); }

    // Display requests and column clicks from the list; true when taken,
    // with the answer in `result`.
    bool OnNotify(const NMHDR& header, LRESULT& result);

private:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Clear();
    void Resort();
    void ColumnClicked(int column);
    // A row's record and what the shell says of it, read when first needed.
    struct Row {
        ShellItemPtr item;
        bool known = false;
        bool typed = false;
        RowFacts facts;
        std::wstring extension;  // a file's, lower case, for its type name
    };
    const RowFacts& Facts(size_t row, bool typeName);
    void Display(NMLVDISPINFOW& request);
    std::wstring Text(size_t row, int column);
    static int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM list);

    CSubclass m_subclass;
    MouseFilter m_mouseFilter;
    CSortHeader m_header;
    FileDateFormatter m_formatDate;
    SortState m_sort;
    IShellFolder* m_folder = nullptr;  // the folder shown, a counted reference
    std::vector<Row> m_rows;  // by the index each row carries as its value
    std::map<std::wstring, std::wstring> m_fileTypes;  // type names by extension
};
