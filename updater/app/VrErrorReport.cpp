#include "updater/app/VrErrorReport.h"

#include "updater/app/VrLanguageResource.h"
#include "updater/app/VrTextFormat.h"
#include "updater/base/VrErrorRecord.h"
#include "updater/base/VrResult.h"

namespace {

// Library strings the report is built from.
const uint32_t kUnknownErrorId = 159;
const uint32_t kPlayerAnswerId = 208;
const uint32_t kSystemMessageId = 209;  // the library completes it with the system's own text
const uint32_t kSystemErrorId = 630;
// The program's own "Unable to load resource dll: %s", readable without a library.
const uint32_t kLibraryNotLoadedId = 61;

// A text missing from the library is recorded as a failure of its own; while
// a failure is being reported that must not replace it, or the details would
// explain the missing text instead of the failure.
class KeptFailure {
public:
    explicit KeptFailure(CVrErrorRecord& record) : m_record(record), m_kept(record) {}
    ~KeptFailure() { m_record = m_kept; }
    KeptFailure(const KeptFailure&) = delete;
    KeptFailure& operator=(const KeptFailure&) = delete;

private:
    CVrErrorRecord& m_record;
    const CVrErrorRecord m_kept;
};

// The box a code is shown in; false when it is shown in none.
bool ChooseBox(int32_t code, bool noQuestions, int& kind) {
    switch (code) {
    case kVrOk:
        return false;
    case kVrNoPlayerAtStart:
    case kVrNoPlayerForDetails:
        kind = kVrMessageWarning;
        return true;
    case kVrTableUnreadable:
        // The player works without its table; a silent run just goes on.
        kind = kVrMessageInformation;
        return !noQuestions;
    default:
        kind = kVrMessageError;
        return true;
    }
}

}  // namespace

CVrErrorReport::CVrErrorReport(CVrLanguageResource& resource, CVrErrorRecord& errors, VrMessageWindow& window)
    : m_resource(resource), m_errors(errors), m_window(window) {}

std::wstring CVrErrorReport::Text(uint32_t id, bool forLog) {
    KeptFailure kept(m_errors);
    std::wstring text;
    m_resource.LoadText(id, text, forLog);
    return text;
}

std::wstring CVrErrorReport::Message(int32_t code, bool forLog) {
    KeptFailure kept(m_errors);
    std::wstring text;
    m_resource.GetErrorText(code, text, forLog);
    return text;
}

void CVrErrorReport::ComposeError(int32_t code, std::wstring& message, std::wstring& details, bool forLog) {
    details.clear();
    switch (code) {
    case kVrSystemErrorReport:
        message = Text(kSystemErrorId, forLog);
        details = Text(kSystemMessageId, forLog);
        break;
    case kVrLibraryNotLoaded:
        message = VrFormatText(Text(kLibraryNotLoadedId, forLog), {m_errors.GetDetail()});
        details = Text(kSystemMessageId, forLog);
        // String 209 lives in the library that did not load: the system's
        // own text still tells why.
        if (details.empty()) details = m_resource.GetSystemText(m_errors.GetSystemError(), forLog);
        // The system's text may name the file it speaks of only as its
        // insert ("%1 is not a valid Win32 application."): the library.
        details = VrFillSystemInserts(details, {m_errors.GetDetail()});
        break;
    case kVrSettingsNotDeleted:
    case kVrIconNotLoaded:
    case kVrWriteFailed:
    case kVrStringNotLoaded:
        message = Message(code, forLog);
        details = Text(kSystemMessageId, forLog);
        break;
    case kVrControlFailed:
        message = Text(kSystemMessageId, forLog);
        break;
    case kVrCheckCondition:
        message = Message(code, forLog);
        details = Text(kPlayerAnswerId, forLog) + m_errors.GetDetail();
        break;
    case kVrFileOpenFailed: {
        KeptFailure kept(m_errors);
        m_resource.GetComponentErrorText(code, message, m_errors.GetComponentIndex(), forLog);
        break;
    }
    default: {
        // The code's own message always comes from the interface library; only
        // the stand-in for a code without one follows the log's language.
        KeptFailure kept(m_errors);
        if (m_resource.GetErrorText(code, message, false) == kVrNoMessage) message = Text(kUnknownErrorId, forLog);
        break;
    }
    }
}

void CVrErrorReport::WarnUnusableLog(const std::wstring& path, VrWindowHandle parent) {
    // The message of -11, a file that cannot be opened, names the log here
    // instead of a component file.
    const std::wstring message = VrFormatText(Message(kVrFileOpenFailed, false), {path});
    m_window.ShowMessage(kVrMessageWarning, message, Text(kSystemMessageId, false), parent);
}

void CVrErrorReport::ReportError(int32_t code, VrWindowHandle parent, bool logOnly) {
    std::wstring message, details;
    int kind = kVrMessageError;
    if (!logOnly && ChooseBox(code, m_noQuestions, kind)) {
        ComposeError(code, message, details, false);
        m_window.ShowMessage(kind, message, details, parent);
    }
    if (m_logging && m_writeLog) {
        ComposeError(code, message, details, true);
        m_writeLog(details.empty() ? message : message + L"\r\n" + details);
    }
}
