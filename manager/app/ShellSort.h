// The order of a file list: the column it is sorted by and the direction,
// changed by clicks on the column titles, and the decoding of the shell
// folder's comparison of two items.
#pragma once

#include <cstdint>

// Columns of both file lists, as the shell folder numbers its details.
enum ShellListColumn : int { kNameColumn = 0, kSizeColumn = 1, kTypeColumn = 2, kDateColumn = 3 };

struct SortState {
    int column = kNameColumn;
    bool descending = false;

    // A click on the sort column turns the direction round; a click on
    // another makes it the sort column, ascending.
    void Click(int clicked);
};

// The order of two rows from the shell folder's answer (an HRESULT): a
// failed comparison counts as equal; a successful one gives its low 16
// bits read as a signed number; descending turns it round.
int RowOrder(int32_t comparison, bool descending);
