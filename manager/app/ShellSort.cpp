#include "manager/app/ShellSort.h"

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
