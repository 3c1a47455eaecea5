#include "framework/HeaderCtrl.h"

int CHeaderCtrl::GetItemFormat(int index) const {
    HDITEMW item = {};
    item.mask = HDI_FORMAT;
    return GetItem(index, &item) ? item.fmt : 0;
}

bool CHeaderCtrl::SetItemFormat(int index, int format) const {
    HDITEMW item = {};
    item.mask = HDI_FORMAT;
    item.fmt = format;
    return SetItem(index, item);
}

std::wstring CHeaderCtrl::GetItemText(int index) const {
    wchar_t text[260] = {};
    HDITEMW item = {};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 260;
    return GetItem(index, &item) ? std::wstring(text) : std::wstring();
}
