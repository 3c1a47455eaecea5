#include "manager/app/ShellSort.h"

#include <cwctype>

namespace {

template <typename T>
int Order(const T& first, const T& second) {
    return first < second ? -1 : (second < first ? 1 : 0);
}

int CompareNoCase(const std::wstring& first, const std::wstring& second) {
    const size_t length = first.size() < second.size() ? first.size() : second.size();
    for (size_t i = 0; i < length; ++i) {
        const int order = Order(std::towlower(first[i]), std::towlower(second[i]));
        if (order != 0) return order;
    }
    return Order(first.size(), second.size());
}

}  // namespace

void SortState::Click(int clicked) {
    if (clicked == column) {
        descending = !descending;
    } else {
        column = clicked;
        descending = false;
    }
}

int RowOrder(int32_t comparison, bool descending) {
    if (comparison < 0) return 0;  // the failure bit is the sign bit
    const int order = static_cast<int16_t>(static_cast<uint16_t>(comparison & 0xFFFF));
    return descending ? -order : order;
}

int CompareByColumn(const RowFacts& first, const RowFacts& second, int column) {
    switch (column) {
    case kSizeColumn:
        if (first.fileData != second.fileData) return first.fileData ? 1 : -1;
        if (first.folder != second.folder) return first.folder ? -1 : 1;
        return Order(first.bytes, second.bytes);
    case kTypeColumn:
        return CompareNoCase(first.typeName, second.typeName);
    case kDateColumn:
        if (first.fileData != second.fileData) return first.fileData ? 1 : -1;
        return Order(first.time, second.time);
    default:
        return 0;
    }
}
