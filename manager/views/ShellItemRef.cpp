#include "manager/views/ShellItemRef.h"

#include "manager/views/ShellNames.h"

ShellItemRef::ShellItemRef(IShellFolder* parent, LPITEMIDLIST relative, LPITEMIDLIST absolute, ULONG attributes)
    : m_parent(parent), m_relative(relative), m_absolute(absolute), m_attributes(attributes) {
    if (m_parent) m_parent->AddRef();
}

ShellItemRef::~ShellItemRef() {
    ::CoTaskMemFree(m_relative);
    ::CoTaskMemFree(m_absolute);
    if (m_parent) m_parent->Release();
}

std::shared_ptr<ShellItemRef> ShellItemRef::Make(IShellFolder* parent, LPCITEMIDLIST parentAbsolute,
                                                 LPITEMIDLIST child, ULONG wanted) {
    ULONG attributes = wanted;
    LPCITEMIDLIST children[] = {child};
    if (FAILED(parent->GetAttributesOf(1, children, &attributes))) {
        ::CoTaskMemFree(child);
        return nullptr;
    }
    LPITEMIDLIST absolute = ::ILCombine(parentAbsolute, child);
    if (!absolute) {
        ::CoTaskMemFree(child);
        return nullptr;
    }
    return std::make_shared<ShellItemRef>(parent, child, absolute, attributes & wanted);
}

std::wstring ShellItemRef::DisplayName() const { return ShellDisplayName(m_parent, m_relative, SHGDN_INFOLDER); }

std::wstring ShellItemRef::FileSystemPath() const {
    wchar_t path[MAX_PATH] = {};
    return ::SHGetPathFromIDListW(m_absolute, path) ? std::wstring(path) : std::wstring();
}

IShellFolder* ShellItemRef::BindFolder() const {
    IShellFolder* folder = nullptr;
    if (FAILED(m_parent->BindToObject(m_relative, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder)))) {
        return nullptr;
    }
    return folder;
}

ULONG ShellItemRef::AskAttributes(ULONG wanted) const {
    ULONG attributes = wanted;
    LPCITEMIDLIST relative = m_relative;
    if (FAILED(m_parent->GetAttributesOf(1, &relative, &attributes))) return 0;
    return attributes & wanted;
}
