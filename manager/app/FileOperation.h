// CFileOperation: one run of the shell's own file operation (copy, move,
// delete or rename), which shows its own progress, confirmations and
// errors. A command makes one, gives it the operation, its paths, and runs
// it once:
//
//   CFileOperation operation(host);
//   operation.Initialise(file_operation::kCopy, window, kCopyFlags);
//   operation.AddSource(L"C:\\Music\\Song.mp3");
//   operation.AddDestination(L"E:\\Song.mp3");
//   FileOperationOutcome outcome = operation.Execute();
#pragma once

#include <string>
#include <vector>

#include "platform/Host.h"
#include "platform/ShellRecords.h"

// The flags of Tavlo's commands. None asks the shell to skip its
// confirmations or to keep deleted files for undoing.
const WORD kCopyFlags = file_operation::kMultiDestFiles | file_operation::kFilesOnly |
                        file_operation::kNoConfirmMkdir;  // 0x281
const WORD kDeleteFlags = file_operation::kWantMappingHandle | file_operation::kFilesOnly |
                          file_operation::kNoConfirmMkdir;  // 0x2A0
const WORD kImportFlags = file_operation::kFilesOnly | file_operation::kNoConfirmMkdir;  // 0x280

struct FileOperationOutcome {
    bool started = false;  // the shell was called
    int shellResult = 0;   // its answer, when it was
    bool aborted = false;  // the user aborted some part of it
};

class CFileOperation {
public:
    explicit CFileOperation(Host& host) : m_host(host) {}

    // Empties both lists and forgets the settings.
    void Reset();
    void Initialise(UINT operation, HWND owner, WORD flags);
    void AddSource(const std::wstring& path) { m_sources.push_back(path); }
    void AddDestination(const std::wstring& path) { m_destinations.push_back(path); }

    // Calls the shell when the object is initialised for an operation of 1
    // to 4 with at least one source and, but for a deletion, either one
    // destination or one per source; several destinations pair with the
    // sources in order. A path the shell could not take as it is (empty,
    // holding a zero, or longer than 259 characters) refuses the whole
    // operation rather than shifting the pairs or cutting the name. A
    // refused operation is not started.
    FileOperationOutcome Execute();

private:
    bool Runnable() const;

    Host& m_host;
    std::vector<std::wstring> m_sources;
    std::vector<std::wstring> m_destinations;
    UINT m_operation = 0;
    HWND m_owner = nullptr;
    WORD m_flags = 0;
    bool m_configured = false;
};
