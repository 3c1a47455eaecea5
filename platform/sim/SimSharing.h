// The share modes of one file's open handles, as Windows checks them: a new
// open must allow the access the others have, and they must allow its own.
#pragma once

#include <vector>

#include "platform/WinTypes.h"

class SimShareState {
public:
    // Adds the open, or refuses it with ERROR_SHARING_VIOLATION.
    DWORD Admit(DWORD access, DWORD share);
    // Removes one open; true when it was the last.
    bool Leave(DWORD access, DWORD share);
    bool InUse() const { return !opens_.empty(); }
    // Deleting an open file only marks it when every handle shares delete
    // access; the file goes with its last handle, and nobody opens it before.
    bool AllShareDelete() const;
    void MarkDeletePending() { deletePending_ = true; }
    bool DeletePending() const { return deletePending_; }

private:
    struct Open {
        DWORD access;
        DWORD share;
    };
    std::vector<Open> opens_;
    bool deletePending_ = false;
};
