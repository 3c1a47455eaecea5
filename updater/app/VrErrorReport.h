// The updater's error report: turns a result code into a message and details
// from the language library, shows them in a box of the right kind and, when
// logging is on, appends them to the log.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "updater/app/VrMessageKinds.h"

class CVrErrorRecord;
class CVrLanguageResource;

class CVrErrorReport {
public:
    // Writes one entry to the log; the log file adds the time and the line end.
    using LogWriter = std::function<void(const std::wstring& entry)>;

    // `errors` is the engine's failure record: it supplies the system error,
    // the component and the detail text that a report shows.
    CVrErrorReport(CVrLanguageResource& resource, CVrErrorRecord& errors, VrMessageWindow& window);

    // The command line's no-questions flag: the unreadable-table notice is then
    // not shown.
    void SetNoQuestions(bool noQuestions) { m_noQuestions = noQuestions; }
    // The command line's log flag; entries go to `writer` while it is set.
    void SetLogging(bool logging) { m_logging = logging; }
    void SetLogWriter(LogWriter writer) { m_writeLog = std::move(writer); }

    // The message and details of `code`, in the interface's language or, for
    // the log, in the log's language.
    void ComposeError(int32_t code, std::wstring& message, std::wstring& details, bool forLog);

    // Shows the report of `code` over `parent` (unless `logOnly`), then logs it
    // when logging is on.
    void ReportError(int32_t code, VrWindowHandle parent, bool logOnly);

    // The log at `path` cannot be written: a warning naming the file, with the
    // system's reason for the failure record's system error in the details.
    // It is shown only, since it concerns the log itself.
    void WarnUnusableLog(const std::wstring& path, VrWindowHandle parent);

private:
    std::wstring Text(uint32_t id, bool forLog);
    std::wstring Message(int32_t code, bool forLog);

    CVrLanguageResource& m_resource;
    CVrErrorRecord& m_errors;
    VrMessageWindow& m_window;
    bool m_noQuestions = false;
    bool m_logging = false;
    LogWriter m_writeLog;
};
