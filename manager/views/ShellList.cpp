#include "manager/views/ShellList.h"

#include "manager/app/KbText.h"
#include "manager/app/ListFilter.h"
#include "manager/views/ShellNames.h"

namespace {

const int kColumnWidth = 150;
const int kColumnCount = 4;
const ULONG kRowAttributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_GHOSTED | SFGAO_FILESYSTEM;

uint64_t Join(DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }

// The facts of an item, and in `extension` the extension of a file (".mp3",
// lower case, "." for none); empty for anything else.
RowFacts ReadFacts(const ShellItemRef& item, std::wstring& extension) {
    RowFacts facts;
    facts.folder = item.IsFolder();
    // Size and date belong to files and folders, not to drive roots ("C:\").
    WIN32_FIND_DATAW data = {};
    const std::wstring path = ShellDisplayName(item.Parent(), item.Relative(), SHGDN_FORPARSING);
    if (path.size() <= 3 || !ShellFindData(item.Parent(), item.Relative(), data)) return facts;
    facts.fileData = true;
    facts.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    facts.bytes = Join(data.nFileSizeHigh, data.nFileSizeLow);
    facts.time = Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    if (facts.time == 0) facts.time = Join(data.ftCreationTime.dwHighDateTime, data.ftCreationTime.dwLowDateTime);
    if (!facts.folder) {
        const size_t dot = path.find_last_of(L".\\");
        extension = dot != std::wstring::npos && path[dot] == L'.' ? path.substr(dot) : L".";
        ::CharLowerBuffW(&extension[0], static_cast<DWORD>(extension.size()));
    }
    return facts;
}

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
        Row row;
        row.item = item;
        m_rows.push_back(std::move(row));
        const int inserted = InsertCallbackItem(index, index);
        if (inserted < 0) {
            m_rows.pop_back();
        } else if (item->Attributes() & SFGAO_GHOSTED) {
            // Hidden items show ghosted, as cut items do.
            SetItemState(inserted, LVIS_CUT, LVIS_CUT);
        }
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
    return index < m_rows.size() ? m_rows[index].item : nullptr;
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

bool CShellList::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (m_mouseFilter && IsMouseMessage(message) && m_mouseFilter(GetHandle(), message, wParam, lParam)) {
        result = 0;
        return true;
    }
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

void CShellList::Empty() {
    DeleteAllItems();
    Clear();
}

void CShellList::Clear() {
    m_rows.clear();
    m_fileTypes.clear();
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
    CShellList& self = *reinterpret_cast<CShellList*>(list);
    const size_t a = static_cast<size_t>(first);
    const size_t b = static_cast<size_t>(second);
    const int column = self.m_sort.column;
    const bool typed = column == kTypeColumn;
    int order = column == kNameColumn ? 0 : CompareByColumn(self.Facts(a, typed), self.Facts(b, typed), column);
    if (order == 0) {
        order = RowOrder(self.m_folder->CompareIDs(kNameColumn, self.m_rows[a].item->Relative(),
                                                   self.m_rows[b].item->Relative()),
                         false);
    }
    return self.m_sort.descending ? -order : order;
}

const RowFacts& CShellList::Facts(size_t row, bool typeName) {
    Row& entry = m_rows[row];
    if (!entry.known) {
        entry.facts = ReadFacts(*entry.item, entry.extension);
        entry.known = true;
    }
    // The shell is slow to name types, so they are asked only for the type
    // column, and once for all files of one extension.
    if (typeName && !entry.typed) {
        if (entry.extension.empty()) {
            entry.facts.typeName = ShellTypeName(entry.item->Absolute());
        } else {
            auto known = m_fileTypes.find(entry.extension);
            if (known == m_fileTypes.end()) {
                known = m_fileTypes.emplace(entry.extension, ShellTypeName(entry.item->Absolute())).first;
            }
            entry.facts.typeName = known->second;
        }
        entry.typed = true;
    }
    return entry.facts;
}

void CShellList::Display(NMLVDISPINFOW& request) {
    LVITEMW& row = request.item;
    const size_t index = static_cast<size_t>(row.lParam);
    if (index >= m_rows.size()) return;
    if (row.mask & LVIF_IMAGE) row.iImage = SmallIconIndex(m_rows[index].item->Absolute(), false);
    if ((row.mask & LVIF_TEXT) && row.pszText && row.cchTextMax > 0) {
        ::lstrcpynW(row.pszText, Text(index, row.iSubItem).c_str(), row.cchTextMax);
    }
}

std::wstring CShellList::Text(size_t row, int column) {
    if (column == kNameColumn) return m_rows[row].item->DisplayName();
    const RowFacts& facts = Facts(row, column == kTypeColumn);
    switch (column) {
    case kTypeColumn:
        return facts.typeName;
    case kSizeColumn:
        return facts.fileData && !facts.folder ? FileSizeText(facts.bytes) : std::wstring();
    case kDateColumn: {
        if (!facts.fileData || !m_formatDate) return std::wstring();
        FILETIME time;
        time.dwLowDateTime = static_cast<DWORD>(facts.time);
        time.dwHighDateTime = static_cast<DWORD>(facts.time >> 32);
        return m_formatDate(time);
    }
    default:
        return std::wstring();
    }
}
