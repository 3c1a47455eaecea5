// The user's locale on the simulated PC: the texts GetLocaleInfo answers,
// US English unless a test sets others (a picture of its own, or none).
#pragma once

#include <map>
#include <mutex>
#include <string>

#include "platform/WinTypes.h"

class SimLocale {
public:
    SimLocale();

    void SetText(LCTYPE type, const std::wstring& text);
    // The locale has no such text: GetLocaleInfo fails for it.
    void RemoveText(LCTYPE type);
    // False when there is none.
    bool Text(LCTYPE type, std::wstring& text) const;

private:
    mutable std::mutex mutex_;
    std::map<LCTYPE, std::wstring> texts_;
};
