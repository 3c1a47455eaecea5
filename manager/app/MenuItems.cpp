#include "manager/app/MenuItems.h"

namespace {

bool LeadsPair(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

void SetMenuItemText(MenuItemRecord& record, const wchar_t* text) {
    int length = 0;
    while (text && text[length] && length < MenuItemRecord::kTextChars - 1) ++length;
    if (length > 0 && LeadsPair(text[length - 1])) --length;
    for (int i = 0; i < length; ++i) record.text[i] = text[i];
    for (int i = length; i < MenuItemRecord::kTextChars; ++i) record.text[i] = 0;
}

MenuItemSize MeasureMenuItem(int characters, int averageCharWidth, int iconWidth, int iconHeight, int menuHeight) {
    const int height = menuHeight + 1 > iconHeight ? menuHeight + 1 : iconHeight;
    return {characters * averageCharWidth + iconWidth + 10, height};
}
