#include "updater/app/VrTextFormat.h"

namespace {

bool IsTextArgumentAt(const std::wstring& format, size_t at) {
    return format[at] == L'%' && at + 1 < format.size() && format[at + 1] == L's';
}

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
