#include "updater/app/VrLogFile.h"

#include <ctime>

#include "platform/TextCodec.h"
#include "updater/base/VrResult.h"

CVrLogFile::CVrLogFile(Host& host, const std::wstring& path) : CVrBase("CVrBase"), m_host(host) {
    // Others may read the log while the program runs, but not write it.
    m_file = m_host.CreateFile(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_file == INVALID_HANDLE_VALUE) {
        m_systemError = m_host.GetLastError();
        SetResult(kVrFileOpenFailed);
        return;
    }
    m_host.SetFilePointer(m_file, 0, nullptr, FILE_END);
}

CVrLogFile::~CVrLogFile() {
    if (m_file != INVALID_HANDLE_VALUE) m_host.CloseHandle(m_file);
}

int32_t CVrLogFile::Write(const std::wstring& text) {
    if (m_file == INVALID_HANDLE_VALUE) return SetResult(kVrFileOpenFailed);
    // The log was once written in the system's code page; UTF-8 keeps the
    // text of every language library intact, whatever the system's language.
    const std::string line = TimeStamp() + ": " + Utf8FromWide(text) + "\r\n";
    DWORD written = 0;
    if (!m_host.WriteFile(m_file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) ||
        written != line.size()) {
        m_systemError = m_host.GetLastError();
        return SetResult(kVrWriteFailed);
    }
    return SetResult(kVrOk);
}

// The C library's own rendering of the date and time ("%c"), from the host's
// clock so that a simulated PC's runs are dated by its own time.
std::string CVrLogFile::TimeStamp() {
    SYSTEMTIME now{};
    m_host.GetLocalTime(&now);
    std::tm calendar{};
    calendar.tm_year = now.wYear - 1900;
    calendar.tm_mon = now.wMonth - 1;
    calendar.tm_mday = now.wDay;
    calendar.tm_wday = now.wDayOfWeek;
    calendar.tm_hour = now.wHour;
    calendar.tm_min = now.wMinute;
    calendar.tm_sec = now.wSecond;
    calendar.tm_isdst = -1;
    char buffer[128] = {};
    const size_t length = std::strftime(buffer, sizeof buffer, "%c", &calendar);
    return std::string(buffer, length);
}
