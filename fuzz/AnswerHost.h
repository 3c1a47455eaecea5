// A simulated PC whose drivers, registry and ASPI layer answer from a tape:
// the fuzzer's bytes, or, while recording, what the simulated PC itself
// answered (the seeds are such recordings). Only the calls the targets'
// parsers read answers of are taped; handles, sets and keys are the host's
// own stand-ins while replaying.
//
// A tape is a row of answers, each: status (u32: the BOOL or error code the
// call returns), size (u32: bytes returned, value size, name length or size
// required, as the call reports it), length (u16) and that many bytes (what
// came back in the caller's buffer). A call after the tape's end fails.
// The ASPI layer's entry points are bare functions, so they answer for the
// host that loaded the layer last.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/sim/SimHost.h"

class AnswerHost : public SimHost {
public:
    // Replays `tape` (kept by the caller until the next Replay).
    AnswerHost(SimMachine& machine, const uint8_t* tape, size_t size);
    // Answers as the simulated PC does and records each answer.
    explicit AnswerHost(SimMachine& machine);

    void Replay(const uint8_t* tape, size_t size);
    const std::vector<uint8_t>& Recorded() const { return recorded_; }

    // "WNASPI32.DLL" loads as a layer whose two entry points answer from
    // the tape: GetASPI32SupportInfo its status, SendASPI32Command the
    // request as the layer leaves it and, for a command that reads, the
    // data it delivers. Other libraries load as on the simulated PC.
    HMODULE LoadLibrary(LPCWSTR fileName) override;
    FARPROC GetProcAddress(HMODULE module, LPCSTR procName) override;
    BOOL FreeLibrary(HMODULE module) override;

    HANDLE CreateFile(LPCWSTR fileName, DWORD access, DWORD shareMode, SECURITY_ATTRIBUTES* security,
                      DWORD disposition, DWORD flags, HANDLE templateFile) override;
    BOOL CloseHandle(HANDLE object) override;
    BOOL DeviceIoControl(HANDLE device, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                         LPDWORD returned, OVERLAPPED* overlapped) override;
    HDEVINFO SetupDiGetClassDevs(const GUID* classGuid, LPCWSTR enumerator, HWND parent, DWORD flags) override;
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA* device, const GUID* classGuid, DWORD index,
                                     SP_DEVICE_INTERFACE_DATA* data) override;
    BOOL SetupDiGetDeviceInterfaceDetail(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                         SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailSize,
                                         LPDWORD required, SP_DEVINFO_DATA* device) override;
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) override;
    LONG RegOpenKeyEx(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, HKEY* result) override;
    LONG RegQueryValueEx(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                         LPDWORD dataSize) override;
    LONG RegEnumKeyEx(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize, LPDWORD reserved, LPWSTR keyClass,
                      LPDWORD classSize, FILETIME* lastWrite) override;
    LONG RegCloseKey(HKEY key) override;

private:
    struct Answer {
        uint32_t status = 0;
        uint32_t size = 0;
        const uint8_t* bytes = nullptr;
        size_t length = 0;
    };

    DWORD AspiSupportInfo();
    DWORD AspiSend(uint8_t* request);
    static DWORD SupportInfoEntry();
    static DWORD SendEntry(void* request);
    // A DOS request's parameter block (the drive map, the device
    // parameters) lies at the 32-bit address in EDX: the tape carries it
    // after the register record.
    void AppendDosBlock(std::vector<uint8_t>& answer, uint32_t address);
    void FillDosBlock(const Answer& answer, uint32_t address);

    bool Next(Answer& answer);
    // Copies the answer's bytes into the caller's buffer of `capacity` bytes.
    static void Fill(const Answer& answer, void* buffer, size_t capacity);
    void Record(uint32_t status, uint32_t size, const void* bytes, size_t length);

    bool recording_;
    HMODULE aspi_ = nullptr;  // the simulated PC's layer, while recording
    DWORD (*realSupportInfo_)() = nullptr;
    DWORD (*realSend_)(void*) = nullptr;
    const uint8_t* tape_ = nullptr;
    size_t tapeSize_ = 0;
    size_t at_ = 0;
    std::vector<uint8_t> recorded_;
};
