// An image list handle, borrowed: copying the wrapper copies the handle and
// the wrapper's end does nothing to the list. The shell's system image lists
// are shared by the whole process and must never be destroyed; a list the
// program made itself is destroyed by its owner through Destroy.
#pragma once

#include <windows.h>
#include <commctrl.h>

class CImageList {
public:
    CImageList() = default;
    explicit CImageList(HIMAGELIST list) : m_list(list) {}

    HIMAGELIST GetSafeHandle() const { return m_list; }
    operator HIMAGELIST() const { return m_list; }
    void Attach(HIMAGELIST list) { m_list = list; }
    HIMAGELIST Detach() {
        HIMAGELIST list = m_list;
        m_list = nullptr;
        return list;
    }

    int GetImageCount() const { return m_list ? ImageList_GetImageCount(m_list) : 0; }
    bool GetIconSize(int* width, int* height) const { return ImageList_GetIconSize(m_list, width, height) != FALSE; }
    // Destroys a list the program made, and lets go of it.
    void Destroy() {
        if (m_list) ImageList_Destroy(m_list);
        m_list = nullptr;
    }

private:
    HIMAGELIST m_list = nullptr;
};
