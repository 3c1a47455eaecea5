// The order of a file list: the column it is sorted by and the direction,
// changed by clicks on the column titles, and the decoding of the shell
// folder's comparison of two items.
#pragma once

#include <cstdint>
#include <string>

// Columns of both file lists, as the shell folder numbers its details.
enum ShellListColumn : int { kNameColumn = 0, kSizeColumn = 1, kTypeColumn = 2, kDateColumn = 3 };

struct SortState {
    int column = kNameColumn;
    bool descending = false;

    // A click on the sort column turns the direction round; a click on
    // another makes it the sort column, ascending.
    void Click(int clicked);
};

// What a file list knows of a row, read once from the shell: the file data
// of a file-system item (not of a drive root) and the type name.
struct RowFacts {
    bool fileData = false;  // size and time below are the item's
    bool folder = false;
    uint64_t bytes = 0;
    uint64_t time = 0;  // last write, or creation when there is none (a FILETIME)
    std::wstring typeName;
};

// The order of two rows by the size, type or date column, ascending: by
// size folders come before files and smaller before bigger; by type the
// type names in alphabetical order without regard to case; by date older
// before newer; rows without file data come first. 0 when the column does
// not tell the rows apart (their names decide then) and for the name
// column, whose order is the shell folder's.
int CompareByColumn(const RowFacts& first, const RowFacts& second, int column);

// The order of two rows from the shell folder's answer (an HRESULT): a
// failed comparison counts as equal; a successful one gives its low 16
// bits read as a signed number; descending turns it round.
int RowOrder(int32_t comparison, bool descending);
