#include "platform/sim/SimSharing.h"

#include <algorithm>

namespace {

bool Conflicts(DWORD access, DWORD otherShare) {
    return ((access & GENERIC_READ) && !(otherShare & FILE_SHARE_READ)) ||
           ((access & GENERIC_WRITE) && !(otherShare & FILE_SHARE_WRITE));
}

}  // namespace

DWORD SimShareState::Admit(DWORD access, DWORD share) {
    for (const Open& open : opens_) {
        if (Conflicts(access, open.share) || Conflicts(open.access, share)) return ERROR_SHARING_VIOLATION;
    }
    opens_.push_back(Open{access, share});
    return ERROR_SUCCESS;
}

bool SimShareState::Leave(DWORD access, DWORD share) {
    auto found = std::find_if(opens_.begin(), opens_.end(),
                              [&](const Open& open) { return open.access == access && open.share == share; });
    if (found != opens_.end()) opens_.erase(found);
    return opens_.empty();
}

bool SimShareState::AllShareDelete() const {
    return std::all_of(opens_.begin(), opens_.end(), [](const Open& open) { return (open.share & FILE_SHARE_DELETE) != 0; });
}
