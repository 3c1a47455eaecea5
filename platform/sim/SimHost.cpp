#include "platform/sim/SimHost.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstring>
#include <thread>

#include "platform/MixerRecords.h"
#include "platform/ShellRecords.h"
#include "platform/sim/SimMessages.h"

namespace {

std::atomic<uint64_t> lastProcessId{0};

// The size of the record without its extended part, OSVERSIONINFOW.
const DWORD kPlainVersionRecordSize = offsetof(OSVERSIONINFOEXW, wServicePackMajor);
const BYTE kWorkstation = 1;                // VER_NT_WORKSTATION
const WORD kSingleUserTerminalServer = 0x100;  // the suite XP Professional reports
const DWORD kAllocateBuffer = 0x100;           // FORMAT_MESSAGE_ALLOCATE_BUFFER

}  // namespace

SimHost::SimHost(SimMachine& machine, const std::wstring& programPath)
    : machine_(machine), process_(++lastProcessId),
      completions_(std::make_shared<SimCompletions>(machine.Objects())) {
    ParseSimPath(programPath, L"C:\\", program_.path);
    currentDirectory_ = program_.path.Parent().Text();
}

SimHost::~SimHost() {
    machine_.Objects().ProcessEnded(process_);
    machine_.WindowTable().ProcessEnded(process_);
    machine_.Mixer().ProcessEnded(process_);
    handles_.CloseAll();
}

bool SimHost::SetProgramImage(const unsigned char* bytes, size_t size) {
    std::unique_ptr<PeImage> image = PeImage::Parse(std::vector<unsigned char>(bytes, bytes + size));
    if (!image) return false;
    std::lock_guard<std::mutex> lock(modulesMutex_);
    program_.image = std::move(image);
    return true;
}

bool SimHost::Parse(LPCWSTR name, SimPath& path) {
    DWORD error = ParseSimPath(name ? name : L"", currentDirectory_, path);
    if (error == ERROR_SUCCESS) return true;
    SetLastError(error);
    return false;
}

// --- Errors -------------------------------------------------------------------

// Windows keeps the last error per thread. The process keeps them by thread
// rather than in thread-local storage, whose destructors the Windows build's
// runtime runs after freeing their memory when a thread ends.
DWORD SimHost::GetLastError() {
    std::lock_guard<std::mutex> lock(lastErrorsMutex_);
    auto found = lastErrors_.find(std::this_thread::get_id());
    return found == lastErrors_.end() ? ERROR_SUCCESS : found->second;
}

void SimHost::SetLastError(DWORD error) {
    std::lock_guard<std::mutex> lock(lastErrorsMutex_);
    lastErrors_[std::this_thread::get_id()] = error;
}

DWORD SimHost::FormatMessage(DWORD flags, LPCVOID, DWORD messageId, DWORD languageId, LPWSTR buffer, DWORD size) {
    // The simulated PC has the system's messages only, and fills the caller's buffer.
    if (!(flags & FORMAT_MESSAGE_FROM_SYSTEM) || (flags & kAllocateBuffer)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::wstring text;
    DWORD error = FindSystemMessage(messageId, static_cast<LANGID>(languageId), text);
    // A message with inserts needs arguments, and the host passes none.
    if (error == ERROR_SUCCESS && !(flags & FORMAT_MESSAGE_IGNORE_INSERTS) && text.find(L'%') != std::wstring::npos) {
        error = ERROR_INVALID_PARAMETER;
    }
    if (error == ERROR_SUCCESS && (!buffer || text.size() + 1 > size)) error = ERROR_INSUFFICIENT_BUFFER;
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return 0;
    }
    std::memcpy(buffer, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    return static_cast<DWORD>(text.size());
}

// --- Versions and languages ------------------------------------------------------

BOOL SimHost::GetVersionEx(OSVERSIONINFOEXW* info) {
    if (!info) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    SimVersion version = machine_.Version();
    bool nt = version.platformId == VER_PLATFORM_WIN32_NT;
    DWORD size = info->dwOSVersionInfoSize;
    if (size != kPlainVersionRecordSize && !(nt && size == sizeof(OSVERSIONINFOEXW))) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    info->dwMajorVersion = version.major;
    info->dwMinorVersion = version.minor;
    info->dwPlatformId = version.platformId;
    // Windows 9x keeps the major and minor version in the build number's high word.
    info->dwBuildNumber = nt ? version.build
                             : (version.major << 24) | ((version.minor & 0xFF) << 16) | (version.build & 0xFFFF);
    size_t length = std::min<size_t>(version.servicePack.size(), 127);
    std::memcpy(info->szCSDVersion, version.servicePack.c_str(), length * sizeof(WCHAR));
    info->szCSDVersion[length] = 0;
    if (size == sizeof(OSVERSIONINFOEXW)) {
        info->wServicePackMajor = version.servicePackMajor;
        info->wServicePackMinor = version.servicePackMinor;
        info->wSuiteMask = kSingleUserTerminalServer;
        info->wProductType = kWorkstation;
        info->wReserved = 0;
    }
    return TRUE;
}

LANGID SimHost::GetUserDefaultLangID() { return machine_.UserLanguage(); }

LANGID SimHost::GetSystemDefaultLangID() { return machine_.SystemLanguage(); }

// --- Time ----------------------------------------------------------------------

void SimHost::Sleep(DWORD milliseconds) {
    machine_.Clock().Advance(milliseconds);
    std::this_thread::yield();  // other threads still get their turn
}

DWORD SimHost::GetTickCount() { return machine_.Clock().TickCount(); }

void SimHost::GetLocalTime(SYSTEMTIME* time) { *time = machine_.Clock().NowAsSystemTime(); }

void SimHost::GetSystemTimeAsFileTime(FILETIME* time) { *time = machine_.Clock().Now(); }

// --- Shell ---------------------------------------------------------------------

void SimHost::SHChangeNotify(LONG eventId, UINT flags, LPCVOID item1, LPCVOID /*item2*/) {
    std::wstring path;
    if ((flags & 0xFFu) == SHCNF_PATHW && item1) path = static_cast<const wchar_t*>(item1);
    machine_.NotifyShell({eventId, flags, path});
}

namespace {

// The paths of a list each ended by a zero, the list by one more.
std::vector<std::wstring> PathList(LPCWSTR list) {
    std::vector<std::wstring> paths;
    for (const wchar_t* at = list; at && *at; at += paths.back().size() + 1) paths.emplace_back(at);
    return paths;
}

}  // namespace

int SimHost::SHFileOperation(HWND owner, BYTE* record, LPCWSTR from, LPCWSTR to, LPCWSTR title) {
    SimFileOperation operation;
    operation.owner = owner;
    operation.function = mixer_record::Get32(record + file_operation::kFunction);
    operation.flags = static_cast<WORD>(record[file_operation::kFlags] | record[file_operation::kFlags + 1] << 8);
    operation.from = PathList(from);
    operation.to = PathList(to);
    operation.title = title ? title : L"";
    machine_.RecordFileOperation(operation);
    const SimFileOperationAnswer answer = machine_.FileOperationAnswer();
    mixer_record::Put32(record + file_operation::kAnyAborted, answer.aborted ? 1 : 0);
    return answer.result;
}
