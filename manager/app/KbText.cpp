#include "manager/app/KbText.h"

uint64_t BytesToKb(uint64_t bytes) {
    if (bytes <= 1024) return 1;
    return bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0);
}

std::wstring FormatKb(uint64_t kilobytes) {
    const std::wstring digits = std::to_wstring(kilobytes);
    std::wstring text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0) text += L',';
        text += digits[i];
    }
    return text + L" KB";
}
