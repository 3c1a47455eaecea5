#include "fuzz/AnswerHost.h"

#include <algorithm>
#include <cstring>

#include "fuzz/AnswerHostRecords.h"
#include "platform/sim/SimVwin32.h"

namespace {

const wchar_t kProgram[] = L"C:\\Program Files\\Tavlo\\Tavlo.exe";
const uint32_t kLongestAnswer = 0xFFFF;
const size_t kAnswerHeader = 10;  // status, size, length

}  // namespace

AnswerHost::AnswerHost(SimMachine& machine, const uint8_t* tape, size_t size)
    : SimHost(machine, kProgram), recording_(false) {
    Replay(tape, size);
}

AnswerHost::AnswerHost(SimMachine& machine) : SimHost(machine, kProgram), recording_(true) {}

void AnswerHost::Replay(const uint8_t* tape, size_t size) {
    tape_ = tape;
    tapeSize_ = size;
    at_ = 0;
}

bool AnswerHost::Next(Answer& answer) {
    if (tapeSize_ - at_ < kAnswerHeader) return false;
    const uint8_t* at = tape_ + at_;
    answer.status = Le32(at);
    answer.size = Le32(at + 4);
    answer.length = std::min<size_t>(at[8] | at[9] << 8, tapeSize_ - at_ - kAnswerHeader);
    answer.bytes = at + kAnswerHeader;
    at_ += kAnswerHeader + answer.length;
    return true;
}

void AnswerHost::Fill(const Answer& answer, void* buffer, size_t capacity) {
    if (buffer && answer.length) std::memcpy(buffer, answer.bytes, std::min(answer.length, capacity));
}

void AnswerHost::Record(uint32_t status, uint32_t size, const void* bytes, size_t length) {
    length = bytes ? std::min<size_t>(length, kLongestAnswer) : 0;
    for (uint32_t field : {status, size}) {
        for (int i = 0; i < 4; ++i) recorded_.push_back(static_cast<uint8_t>(field >> (8 * i)));
    }
    recorded_.push_back(static_cast<uint8_t>(length));
    recorded_.push_back(static_cast<uint8_t>(length >> 8));
    const uint8_t* from = static_cast<const uint8_t*>(bytes);
    recorded_.insert(recorded_.end(), from, from + length);
}

HANDLE AnswerHost::CreateFile(LPCWSTR fileName, DWORD access, DWORD shareMode, SECURITY_ATTRIBUTES* security,
                              DWORD disposition, DWORD flags, HANDLE templateFile) {
    if (recording_) {
        return SimHost::CreateFile(fileName, access, shareMode, security, disposition, flags, templateFile);
    }
    return kStandIn;
}

BOOL AnswerHost::CloseHandle(HANDLE object) { return recording_ ? SimHost::CloseHandle(object) : TRUE; }

BOOL AnswerHost::DeviceIoControl(HANDLE device, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                                 LPDWORD returned, OVERLAPPED* overlapped) {
    // A DOS request names its parameter block in EDX as it goes in.
    const bool dos = code == kSimVwin32DosIoctl && in && inSize == kDosRegisterBytes && outSize == kDosRegisterBytes;
    const uint32_t dosBlock = dos ? Le32(static_cast<const BYTE*>(in) + kDosEdx) : 0;
    if (recording_) {
        DWORD got = 0;
        const BOOL done = SimHost::DeviceIoControl(device, code, in, inSize, out, outSize, &got, overlapped);
        if (returned) *returned = got;
        const BYTE* bytes = static_cast<const BYTE*>(out);
        std::vector<uint8_t> answer(bytes, bytes + (out ? std::min(got, outSize) : 0));
        if (dos && done && answer.size() == kDosRegisterBytes) AppendDosBlock(answer, dosBlock);
        Record(static_cast<uint32_t>(done), got, answer.data(), answer.size());
        return done;
    }
    Answer answer;
    if (!Next(answer) || !answer.status) {
        SetLastError(ERROR_GEN_FAILURE);
        return FALSE;
    }
    Fill(answer, out, outSize);
    if (dos) FillDosBlock(answer, dosBlock);
    if (returned) *returned = answer.size;
    return TRUE;
}

HDEVINFO AnswerHost::SetupDiGetClassDevs(const GUID* classGuid, LPCWSTR enumerator, HWND parent, DWORD flags) {
    return recording_ ? SimHost::SetupDiGetClassDevs(classGuid, enumerator, parent, flags) : kStandIn;
}

BOOL AnswerHost::SetupDiEnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA* device, const GUID* classGuid,
                                             DWORD index, SP_DEVICE_INTERFACE_DATA* data) {
    if (recording_) {
        const BOOL found = SimHost::SetupDiEnumDeviceInterfaces(set, device, classGuid, index, data);
        Record(static_cast<uint32_t>(found), 0, nullptr, 0);
        return found;
    }
    Answer answer;
    if (!Next(answer) || !answer.status) {
        SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
    }
    return TRUE;
}

BOOL AnswerHost::SetupDiGetDeviceInterfaceDetail(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                                 SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailSize,
                                                 LPDWORD required, SP_DEVINFO_DATA* device) {
    if (recording_) {
        DWORD needed = 0;
        const BOOL done = SimHost::SetupDiGetDeviceInterfaceDetail(set, data, detail, detailSize, &needed, device);
        if (required) *required = needed;
        Record(static_cast<uint32_t>(done), needed, detail, detail ? detailSize : 0);
        return done;
    }
    Answer answer;
    if (!Next(answer)) {
        SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
    }
    Fill(answer, detail, detail ? detailSize : 0);
    if (required) *required = answer.size;
    if (!answer.status) SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return answer.status ? TRUE : FALSE;
}

BOOL AnswerHost::SetupDiDestroyDeviceInfoList(HDEVINFO set) {
    return recording_ ? SimHost::SetupDiDestroyDeviceInfoList(set) : TRUE;
}

LONG AnswerHost::RegOpenKeyEx(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, HKEY* result) {
    if (recording_) {
        const LONG status = SimHost::RegOpenKeyEx(key, subKey, options, access, result);
        Record(static_cast<uint32_t>(status), 0, nullptr, 0);
        return status;
    }
    (void)std::wstring(subKey);  // the name must be a terminated text, as Windows reads it
    Answer answer;
    if (!Next(answer)) return ERROR_FILE_NOT_FOUND;
    if (answer.status == ERROR_SUCCESS) *result = static_cast<HKEY>(kStandIn);
    return static_cast<LONG>(answer.status);
}

LONG AnswerHost::RegQueryValueEx(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                 LPDWORD dataSize) {
    if (recording_) {
        const DWORD capacity = dataSize ? *dataSize : 0;
        const LONG status = SimHost::RegQueryValueEx(key, valueName, reserved, type, data, dataSize);
        const DWORD size = dataSize ? *dataSize : 0;
        Record(static_cast<uint32_t>(status), size, status == ERROR_SUCCESS ? data : nullptr,
               std::min(size, capacity));
        return status;
    }
    Answer answer;
    if (!Next(answer)) return ERROR_FILE_NOT_FOUND;
    // Windows fills the buffer only when the whole value fits.
    LONG status = static_cast<LONG>(answer.status);
    if (status == ERROR_SUCCESS && dataSize) {
        if (data && answer.size > *dataSize) {
            status = ERROR_MORE_DATA;
        } else {
            Fill(answer, data, *dataSize);
        }
    }
    if (type) *type = REG_SZ;
    if (dataSize) *dataSize = answer.size;
    return status;
}

LONG AnswerHost::RegEnumKeyEx(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize, LPDWORD reserved,
                              LPWSTR keyClass, LPDWORD classSize, FILETIME* lastWrite) {
    if (recording_) {
        const DWORD capacity = *nameSize;
        const LONG status =
            SimHost::RegEnumKeyEx(key, index, name, nameSize, reserved, keyClass, classSize, lastWrite);
        const DWORD length = status == ERROR_SUCCESS ? std::min(*nameSize, capacity) : 0;
        Record(static_cast<uint32_t>(status), *nameSize, name, length * sizeof(WCHAR));
        return status;
    }
    Answer answer;
    if (!Next(answer)) return ERROR_NO_MORE_ITEMS;
    if (answer.status != ERROR_SUCCESS) return static_cast<LONG>(answer.status);
    // A name that is there always fits and is terminated: Windows answers
    // ERROR_MORE_DATA for one longer than the buffer.
    const size_t chars = std::min<size_t>(answer.length / sizeof(WCHAR), answer.size);
    if (chars + 1 > *nameSize) return ERROR_MORE_DATA;
    Fill(answer, name, chars * sizeof(WCHAR));
    name[chars] = 0;
    *nameSize = static_cast<DWORD>(chars);
    return ERROR_SUCCESS;
}

LONG AnswerHost::RegCloseKey(HKEY key) { return recording_ ? SimHost::RegCloseKey(key) : ERROR_SUCCESS; }
