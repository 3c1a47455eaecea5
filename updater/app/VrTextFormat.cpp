#include "updater/app/VrTextFormat.h"

namespace {

bool IsTextArgumentAt(const std::wstring& format, size_t at) {
    return format[at] == L'%' && at + 1 < format.size() && format[at + 1] == L's';
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

std::wstring VrFormatText(const std::wstring& format, const std::vector<std::wstring>& arguments) {
    std::wstring out;
    out.reserve(format.size());
    size_t next = 0;
    for (size_t at = 0; at < format.size(); ++at) {
        if (IsTextArgumentAt(format, at) && next < arguments.size()) {
            out += arguments[next++];
            ++at;
        } else {
            out += format[at];
        }
    }
    return out;
}

std::wstring VrFillSystemInserts(const std::wstring& message, const std::vector<std::wstring>& arguments) {
    std::wstring out;
    out.reserve(message.size());
    for (size_t at = 0; at < message.size(); ++at) {
        size_t end = at + 1;
        size_t number = 0;
        // Inserts are numbered 1 to 99.
        while (message[at] == L'%' && end < message.size() && end < at + 3 && IsDigit(message[end])) {
            number = number * 10 + static_cast<size_t>(message[end] - L'0');
            ++end;
        }
        if (number == 0 || number > arguments.size()) {
            out += message[at];
            continue;
        }
        if (end < message.size() && message[end] == L'!') {
            const size_t close = message.find(L'!', end + 1);
            if (close != std::wstring::npos) end = close + 1;
        }
        out += arguments[number - 1];
        at = end - 1;
    }
    return out;
}

size_t VrCountTextArguments(const std::wstring& format) {
    size_t count = 0;
    for (size_t at = 0; at < format.size(); ++at) {
        if (IsTextArgumentAt(format, at)) {
            ++count;
            ++at;
        }
    }
    return count;
}
