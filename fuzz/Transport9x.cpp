// The 9x transport's answers: the ASPI layer's host-adapter inquiry, disk
// information and finished execute request, then the DOS block-device
// requests through "\\.\vwin32" with and without the FAT32 category. Sense
// bytes come back only with a check condition; a DOS request reads as done
// exactly when no error is given.
#include <cstdint>

#include "fuzz/AnswerHost.h"
#include "fuzz/FuzzInput.h"
#include "updater/device/VrAspiRequest.h"
#include "updater/device/VrDosRequest.h"
#include "updater/engine/VrByteArray.h"

namespace {

AnswerHost* theHost = nullptr;
size_t requestSize = 0;

// The layer's entry point as the transport calls it: a bare function.
DWORD Send(void* request) { return theHost->SendAspi(request, requestSize, nullptr); }

void CheckSense(AnswerHost& host) {
    CVrByteArray block(10);
    CVrAspiExecute request(0, false, 512, 0x10000, nullptr, block, 10);
    host.SendAspi(request.GetBytes(), CVrAspiExecute::kSize, nullptr);
    uint8_t sense[CVrAspiExecute::kSenseBytes] = {};
    const uint32_t length = request.GetSense(sense);
    const bool checkCondition = request.GetBytes()[23] == 0x02;
    FUZZ_CHECK(length == (checkCondition ? CVrAspiExecute::kSenseBytes : 0));
}

void CheckDos(AnswerHost& host, bool fallback) {
    VrDosRequest request;
    request.drive = 5;
    request.minor = 0x4A;
    DWORD error = 0;
    const bool done = VrDosBlockRequest(host, host.CreateFile(L"\\\\.\\vwin32", 0, 0, nullptr, 0, 0, nullptr),
                                        request, fallback, error);
    FUZZ_CHECK(done == (error == 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SimMachine machine;
    static AnswerHost host(machine, nullptr, 0);
    theHost = &host;
    host.Replay(data, size);
    uint8_t count = 0, drive = 0;
    requestSize = 60;  // the host-adapter inquiry
    VrAspiAdapterCount(Send, count);
    requestSize = 24;  // the disk information
    VrAspiInt13Drive(Send, 0, drive);
    CheckSense(host);
    CheckDos(host, true);
    CheckDos(host, false);
    return 0;
}
