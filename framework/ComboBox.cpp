#include "framework/ComboBox.h"

std::wstring CComboBox::GetLBText(int index) const {
    const LRESULT length = Send(CB_GETLBTEXTLEN, index);
    if (length == CB_ERR) return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = Send(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}
