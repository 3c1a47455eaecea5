// A device handle that carries no data: reads and writes fail with
// ERROR_INVALID_FUNCTION and its size is 0. What the device does answer
// (control requests, overlapped writes) its subclass says.
#pragma once

#include "platform/sim/SimDrive.h"

class SimDeviceFile : public SimFileObject {
public:
    DWORD ReadAt(uint64_t, void*, DWORD, DWORD& done) override {
        done = 0;
        return ERROR_INVALID_FUNCTION;
    }
    DWORD WriteAt(uint64_t, const void*, DWORD, DWORD& done) override {
        done = 0;
        return ERROR_INVALID_FUNCTION;
    }
    uint64_t Size() override { return 0; }
};
