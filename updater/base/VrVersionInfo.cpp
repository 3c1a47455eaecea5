#include "updater/base/VrVersionInfo.h"

#include <cwchar>
#include <new>

std::wstring CVrVersionInfo::ToString() const {
    wchar_t text[24];
    std::swprintf(text, sizeof(text) / sizeof(text[0]), L"%03u.%03u.%03u", static_cast<unsigned>(m_major),
                  static_cast<unsigned>(m_minor), static_cast<unsigned>(m_revision));
    return text;
}

CVrVersionInfoPtrArray::CVrVersionInfoPtrArray(uint32_t count)
    : CVrOwningArray<CVrVersionInfo>(count, "CVrVersionInfoPtrArray") {
    for (uint32_t i = 0; i < GetCount(); ++i) {
        CVrVersionInfo* record = new (std::nothrow) CVrVersionInfo();
        if (!record) {
            SetResult(kVrNoMemory);
            return;
        }
        SetAt(i, record);
    }
}
