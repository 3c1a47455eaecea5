// One shell item as a file-list row or folder-tree node holds it: the shell
// folder it lies in (a counted reference), its item identifier list
// relative to that folder and its absolute one, and its attribute bits.
// The record owns its references and lists; rows, nodes and the main
// window share records through shared_ptr, so a record the main window
// keeps (a player drive, a folder it went into) outlives the row or node
// it came from.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>

class ShellItemRef {
public:
    // Takes a reference on `parent` and ownership of both lists (made by the
    // shell's allocator).
    ShellItemRef(IShellFolder* parent, LPITEMIDLIST relative, LPITEMIDLIST absolute, ULONG attributes);
    ~ShellItemRef();
    ShellItemRef(const ShellItemRef&) = delete;
    ShellItemRef& operator=(const ShellItemRef&) = delete;

    // The record of `child` (owned from now on) in `parent`, whose absolute
    // list is `parentAbsolute`, with the attributes asked for in `wanted`;
    // null when the shell answers nothing.
    static std::shared_ptr<ShellItemRef> Make(IShellFolder* parent, LPCITEMIDLIST parentAbsolute, LPITEMIDLIST child,
                                              ULONG wanted);

    IShellFolder* Parent() const { return m_parent; }
    LPCITEMIDLIST Relative() const { return m_relative; }
    LPCITEMIDLIST Absolute() const { return m_absolute; }
    ULONG Attributes() const { return m_attributes; }
    bool IsFolder() const { return (m_attributes & SFGAO_FOLDER) != 0; }

    // The attributes of `wanted` that its folder gives the item now; 0 when
    // the folder does not answer.
    ULONG AskAttributes(ULONG wanted) const;
    // The item's name as the shell shows it in its folder.
    std::wstring DisplayName() const;
    // The item's file-system path ("C:\Music"); empty when it has none.
    std::wstring FileSystemPath() const;
    // The item as a folder to enumerate (a reference the caller releases);
    // null when it cannot be bound.
    IShellFolder* BindFolder() const;

private:
    IShellFolder* m_parent;
    LPITEMIDLIST m_relative;
    LPITEMIDLIST m_absolute;
    ULONG m_attributes;
};

using ShellItemPtr = std::shared_ptr<ShellItemRef>;
