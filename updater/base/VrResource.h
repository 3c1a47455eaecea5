// The string provider the engine sees: device status texts and plain strings
// from the language library.
#pragma once

#include <cstdint>
#include <string>

#include "updater/base/VrBase.h"

class CVrResource : public CVrBase {
public:
    explicit CVrResource(const char* name = "CVrResource") : CVrBase(name) {}

    // The message of a device status code (its low 16 bits count).
    virtual int32_t GetDeviceStatusText(uint32_t status, std::wstring& text, bool forLog) = 0;
    virtual int32_t GetString(uint32_t id, std::wstring& text) = 0;
};
