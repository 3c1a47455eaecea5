#include "manager/views/ShellList.h"

#include "manager/app/KbText.h"
#include "manager/app/ListFilter.h"
#include "manager/views/ShellNames.h"

namespace {

const int kColumnWidth = 150;
const int kColumnCount = 4;
const ULONG kRowAttributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_GHOSTED | SFGAO_FILESYSTEM;

uint64_t FileBytes(const WIN32_FIND_DATAW& data) {
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool IsZero(const FILETIME& time) { return time.dwLowDateTime == 0 && time.dwHighDateTime == 0; }

}  // namespace

CShellList::~CShellList() { Clear(); }

bool CShellList::Init(HWND list, FileDateFormatter formatDate) {
    if (!list) return false;
    Attach(list);
    m_formatDate = std::move(formatDate);
    m_header.Attach(GetHeader().GetHandle());
    return m_subclass.Take(list, [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return OnMessage(message, wParam, lParam, result);
    });
}

void CShellList::CreateColumns(const std::vector<std::wstring>& captions) {
    for (int i = 0; i < kColumnCount; ++i) {
        InsertColumn(i, i < static_cast<int>(captions.size()) ? captions[i] : std::wstring(), kColumnWidth);
    }
    m_header.SetSortIndicator(m_sort.column, m_sort.descending);
}

void CShellList::AttachImageLists() {
    SetImageList(SystemImageList(true), LVSIL_SMALL);
    SetImageList(SystemImageList(false), LVSIL_NORMAL);
}

bool CShellList::Fill(IShellFolder* folder, LPCITEMIDLIST folderAbsolute, const std::wstring& filter,
                      const std::vector<std::wstring>* exclusions) {
    Send(WM_SETREDRAW, FALSE);
    DeleteAllItems();
    Clear();
    folder->AddRef();
    m_folder = folder;

    const bool all = FilterShowsAll(filter);
    const DWORD flags = SHCONTF_NONFOLDERS | (all ? SHCONTF_FOLDERS : 0);
    const bool filled = EnumerateShellChildren(folder, GetParent(GetHandle()), flags, [&](LPITEMIDLIST child) {
        ShellItemPtr item = ShellItemRef::Make(folder, folderAbsolute, child, kRowAttributes);
        if (!item) return;
        if (!all && !FilterKeeps(filter, ShellDisplayName(folder, item->Relative(), SHGDN_FORPARSING))) return;
        if (exclusions && ExcludedByName(item->DisplayName(), *exclusions)) return;
        const int index = static_cast<int>(m_rows.size());
        m_rows.push_back(item);
        if (InsertCallbackItem(index, index) < 0) m_rows.pop_back();
    });
    Resort();
    Send(WM_SETREDRAW, TRUE);
    ::InvalidateRect(GetHandle(), nullptr, TRUE);
    return filled;
}

bool CShellList::Fill(const ShellItemRef& folder, const std::wstring& filter,
                      const std::vector<std::wstring>* exclusions) {
    IShellFolder* bound = folder.BindFolder();
    if (!bound) return false;
    const bool filled = Fill(bound, folder.Absolute(), filter, exclusions);
    bound->Release();
    return filled;
}

bool CShellList::FillPath(const std::wstring& path, const std::wstring& filter,
                          const std::vector<std::wstring>* exclusions) {
    IShellFolder* desktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&desktop))) return false;
    LPITEMIDLIST absolute = nullptr;
    ULONG eaten = 0;
    bool filled = false;
    if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, const_cast<wchar_t*>(path.c_str()), &eaten, &absolute,
                                            nullptr))) {
        IShellFolder* folder = nullptr;
        if (SUCCEEDED(desktop->BindToObject(absolute, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder)))) {
            filled = Fill(folder, absolute, filter, exclusions);
            folder->Release();
        }
        ::CoTaskMemFree(absolute);
    }
    desktop->Release();
    return filled;
}

ShellItemPtr CShellList::Item(int row) const {
    if (row < 0 || row >= GetItemCount()) return nullptr;
    const size_t index = static_cast<size_t>(GetItemData(row));
    return index < m_rows.size() ? m_rows[index] : nullptr;
}

bool CShellList::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != GetHandle()) return false;
    switch (header.code) {
    case LVN_GETDISPINFOW:
        Display(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
        result = 0;
        return true;
    case LVN_COLUMNCLICK:
        ColumnClicked(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        result = 0;
        return true;
    default:
        return false;
    }
}

bool CShellList::OnMessage(UINT message, WPARAM /*wParam*/, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType != ODT_HEADER || item.hwndItem != m_header.GetHandle()) return false;
        m_header.DrawItem(item);
        result = TRUE;
        return true;
    }
    case WM_DESTROY:
        // The system image lists belong to the whole process.
        SetImageList(nullptr, LVSIL_SMALL);
        SetImageList(nullptr, LVSIL_NORMAL);
        return false;
    default:
        return false;
    }
}

void CShellList::Clear() {
    m_rows.clear();
    if (m_folder) m_folder->Release();
    m_folder = nullptr;
}

void CShellList::Resort() {
    if (m_folder) SortItems(&CShellList::CompareRows, reinterpret_cast<LPARAM>(this));
}

void CShellList::ColumnClicked(int column) {
    m_sort.Click(column);
    Resort();
    m_header.SetSortIndicator(m_sort.column, m_sort.descending);
}

int CALLBACK CShellList::CompareRows(LPARAM first, LPARAM second, LPARAM list) {
    const CShellList& self = *reinterpret_cast<const CShellList*>(list);
    const ShellItemRef& a = *self.m_rows[static_cast<size_t>(first)];
    const ShellItemRef& b = *self.m_rows[static_cast<size_t>(second)];
    const HRESULT answer = self.m_folder->CompareIDs(static_cast<LPARAM>(self.m_sort.column), a.Relative(), b.Relative());
    return RowOrder(answer, self.m_sort.descending);
}

void CShellList::Display(NMLVDISPINFOW& request) const {
    LVITEMW& row = request.item;
    const size_t index = static_cast<size_t>(row.lParam);
    if (index >= m_rows.size()) return;
    const ShellItemRef& item = *m_rows[index];
    if (row.mask & LVIF_IMAGE) {
        row.iImage = SmallIconIndex(item.Absolute(), false);
        if (item.Attributes() & SFGAO_GHOSTED) {
            row.mask |= LVIF_STATE;
            row.stateMask |= LVIS_CUT;
            row.state |= LVIS_CUT;
        }
    }
    if ((row.mask & LVIF_TEXT) && row.pszText && row.cchTextMax > 0) {
        ::lstrcpynW(row.pszText, Text(item, row.iSubItem).c_str(), row.cchTextMax);
    }
}

std::wstring CShellList::Text(const ShellItemRef& item, int column) const {
    switch (column) {
    case kNameColumn:
        return item.DisplayName();
    case kTypeColumn:
        return ShellTypeName(item.Absolute());
    default:
        break;
    }
    // Size and date belong to files and folders, not to drive roots ("C:\").
    if (ShellDisplayName(item.Parent(), item.Relative(), SHGDN_FORPARSING).size() <= 3) return std::wstring();
    WIN32_FIND_DATAW data = {};
    if (!ShellFindData(item.Parent(), item.Relative(), data)) return std::wstring();
    if (column == kSizeColumn) {
        return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? std::wstring() : FileSizeText(FileBytes(data));
    }
    if (column != kDateColumn || !m_formatDate) return std::wstring();
    return m_formatDate(IsZero(data.ftLastWriteTime) ? data.ftCreationTime : data.ftLastWriteTime);
}
