// The answering host's ASPI layer and the parameter blocks of its DOS
// requests: both reach memory by the 32-bit addresses their records carry.
#include <algorithm>
#include <cstring>
#include <cwctype>
#include <string>

#include "fuzz/AnswerHost.h"
#include "fuzz/AnswerHostRecords.h"
#include "platform/sim/SimAspi.h"

namespace {

using namespace SimAspiExecute;

const wchar_t kAspiLibrary[] = L"WNASPI32.DLL";
const uint8_t kAdapterInquiry = 0x00, kDiskInfo = 0x06, kExecute = 0x02;
const DWORD kPending = 0x00, kFailed = 0x04;
const uint8_t kDataIn = 0x08, kEventNotify = 0x40;
const DWORD kLongestWait = 60000;

AnswerHost* aspiHost = nullptr;

bool IsAspiLibrary(LPCWSTR fileName) {
    std::wstring name = fileName ? fileName : L"";
    for (wchar_t& c : name) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return name == kAspiLibrary;
}

// The request's length by its command, as the layer reads it.
size_t RequestSize(const uint8_t* request) {
    switch (request[kCommand]) {
    case kAdapterInquiry: return 60;
    case kDiskInfo: return 24;
    case kExecute: return kSize;
    default: return 0;
    }
}

template <class Entry>
FARPROC AsExport(Entry entry) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(entry));
}

}  // namespace

DWORD AnswerHost::SupportInfoEntry() { return aspiHost ? aspiHost->AspiSupportInfo() : 0; }

DWORD AnswerHost::SendEntry(void* request) {
    return aspiHost ? aspiHost->AspiSend(static_cast<uint8_t*>(request)) : kFailed;
}

HMODULE AnswerHost::LoadLibrary(LPCWSTR fileName) {
    if (!IsAspiLibrary(fileName)) return SimHost::LoadLibrary(fileName);
    aspiHost = this;
    if (!recording_) return static_cast<HMODULE>(kStandIn);
    aspi_ = SimHost::LoadLibrary(fileName);
    if (aspi_) {
        realSupportInfo_ = reinterpret_cast<DWORD (*)()>(SimHost::GetProcAddress(aspi_, "GetASPI32SupportInfo"));
        realSend_ = reinterpret_cast<DWORD (*)(void*)>(SimHost::GetProcAddress(aspi_, "SendASPI32Command"));
    }
    return aspi_;
}

FARPROC AnswerHost::GetProcAddress(HMODULE module, LPCSTR procName) {
    const bool layer = recording_ ? module == aspi_ && aspi_ : module == static_cast<HMODULE>(kStandIn);
    if (!layer) return SimHost::GetProcAddress(module, procName);
    const std::string name = procName ? procName : "";
    if (name == "GetASPI32SupportInfo") return AsExport(&AnswerHost::SupportInfoEntry);
    if (name == "SendASPI32Command") return AsExport(&AnswerHost::SendEntry);
    return nullptr;
}

BOOL AnswerHost::FreeLibrary(HMODULE module) {
    if (!recording_ && module == static_cast<HMODULE>(kStandIn)) return TRUE;
    if (recording_ && module == aspi_) aspi_ = nullptr;
    return SimHost::FreeLibrary(module);
}

DWORD AnswerHost::AspiSupportInfo() {
    if (recording_) {
        const DWORD info = realSupportInfo_ ? realSupportInfo_() : 0;
        Record(info, 0, nullptr, 0);
        return info;
    }
    Answer answer;
    return Next(answer) ? answer.status : 0;
}

// An execute request ends when the layer signals its event: the recording
// waits for that, so the answer holds the request as it ended and the data
// it delivered; the replay delivers both and signals at once.
DWORD AnswerHost::AspiSend(uint8_t* request) {
    const size_t size = RequestSize(request);
    const bool execute = request[kCommand] == kExecute;
    // What an execute request names as it goes in: its data buffer and its event.
    const bool reads = execute && (request[kFlags] & kDataIn);
    const uint32_t length = reads ? Le32(request + kBufferLength) : 0;
    BYTE* buffer = length ? Machine().LowMemory().Reach(Le32(request + kBuffer), length) : nullptr;
    const bool notifies = execute && (request[kFlags] & kEventNotify);
    const HANDLE event = notifies ? reinterpret_cast<HANDLE>(static_cast<uintptr_t>(Le32(request + kEvent))) : nullptr;
    if (recording_) {
        const DWORD status = realSend_ ? realSend_(request) : kFailed;
        if (notifies && status == kPending) WaitForSingleObject(event, kLongestWait);
        std::vector<uint8_t> answer(request, request + size);
        if (buffer) answer.insert(answer.end(), buffer, buffer + length);
        Record(status, 0, answer.data(), answer.size());
        return status;
    }
    Answer answer;
    if (!Next(answer)) return kFailed;
    Fill(answer, request, size);
    if (buffer && answer.length > size) {
        std::memcpy(buffer, answer.bytes + size, std::min<size_t>(answer.length - size, length));
    }
    if (notifies) SetEvent(event);
    return answer.status;
}

void AnswerHost::AppendDosBlock(std::vector<uint8_t>& answer, uint32_t address) {
    for (uint32_t length = kLargestDosBlock; length > 0; length /= 2) {
        if (const BYTE* block = Machine().LowMemory().Reach(address, length)) {
            answer.insert(answer.end(), block, block + length);
            return;
        }
    }
}

void AnswerHost::FillDosBlock(const Answer& answer, uint32_t address) {
    if (answer.length <= kDosRegisterBytes) return;
    const size_t length = std::min<size_t>(answer.length - kDosRegisterBytes, kLargestDosBlock);
    if (BYTE* block = Machine().LowMemory().Reach(address, static_cast<uint32_t>(length))) {
        std::memcpy(block, answer.bytes + kDosRegisterBytes, length);
    }
}
