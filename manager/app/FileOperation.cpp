#include "manager/app/FileOperation.h"

#include "platform/MixerRecords.h"

namespace {

// The longest path the shell takes: MAX_PATH (260) less the terminator.
const size_t kLongestPath = 259;

bool ShellCanTake(const std::wstring& path) {
    return !path.empty() && path.size() <= kLongestPath && path.find(L'\0') == std::wstring::npos;
}

// Every path followed by a zero, then one more zero ending the list.
std::wstring PathList(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths) {
        list += path;
        list += L'\0';
    }
    list += L'\0';
    return list;
}

}  // namespace

void CFileOperation::Reset() {
    m_sources.clear();
    m_destinations.clear();
    m_operation = 0;
    m_owner = nullptr;
    m_flags = 0;
    m_configured = false;
}

void CFileOperation::Initialise(UINT operation, HWND owner, WORD flags) {
    m_operation = operation;
    m_owner = owner;
    m_flags = flags;
    m_configured = true;
}

bool CFileOperation::Runnable() const {
    if (!m_configured || m_operation < file_operation::kMove || m_operation > file_operation::kRename) return false;
    if (m_sources.empty()) return false;
    const bool deleting = m_operation == file_operation::kDelete;
    if (!deleting && m_destinations.size() != 1 && m_destinations.size() != m_sources.size()) return false;
    for (const std::wstring& path : m_sources) {
        if (!ShellCanTake(path)) return false;
    }
    if (deleting) return true;
    for (const std::wstring& path : m_destinations) {
        if (!ShellCanTake(path)) return false;
    }
    return true;
}

FileOperationOutcome CFileOperation::Execute() {
    FileOperationOutcome outcome;
    if (!Runnable()) return outcome;
    const bool deleting = m_operation == file_operation::kDelete;
    const std::wstring from = PathList(m_sources);
    const std::wstring to = deleting ? std::wstring() : PathList(m_destinations);
    WORD flags = m_flags;
    if (!deleting && m_destinations.size() > 1) flags |= file_operation::kMultiDestFiles;

    BYTE record[file_operation::kSize] = {};
    mixer_record::Put32(record + file_operation::kFunction, m_operation);
    mixer_record::Put16(record + file_operation::kFlags, flags);
    outcome.started = true;
    outcome.shellResult = m_host.SHFileOperation(m_owner, record, from.c_str(), deleting ? nullptr : to.c_str(), nullptr);
    outcome.aborted = mixer_record::Get32(record + file_operation::kAnyAborted) != 0;
    return outcome;
}
