// The updater's log: a text file that grows by one dated entry per write and
// is never truncated, so the runs of a session follow one another.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Host.h"
#include "updater/base/VrBase.h"

class CVrLogFile : public CVrBase {
public:
    // Opens or creates the file at `path`. When it cannot be opened the
    // result is -11 and every write is skipped with -11; the program goes on
    // without a log.
    CVrLogFile(Host& host, const std::wstring& path);
    ~CVrLogFile() override;
    CVrLogFile(const CVrLogFile&) = delete;
    CVrLogFile& operator=(const CVrLogFile&) = delete;

    // Appends "<local date and time>: <text>" and a line end; -37 when the
    // file refuses the bytes.
    int32_t Write(const std::wstring& text);

private:
    std::string TimeStamp();

    Host& m_host;
    HANDLE m_file;
};
