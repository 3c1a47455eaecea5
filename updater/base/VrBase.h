// The base of every engine class: its name, its last result code and the
// last operating-system error captured when a platform call failed.
#pragma once

#include <cstdint>
#include <string>

class CVrBase {
public:
    explicit CVrBase(const char* name) : m_name(name) {}
    virtual ~CVrBase() = default;

    virtual int32_t GetLastResult() const { return m_result; }
    virtual uint32_t GetSystemError() const { return m_systemError; }
    std::string GetObjectName() const { return m_name; }

protected:
    // Stores `result` as the last outcome and returns it, so that an
    // operation can end with `return SetResult(code);`.
    int32_t SetResult(int32_t result) {
        m_result = result;
        return result;
    }

    std::string m_name;
    int32_t m_result = 0;
    uint32_t m_systemError = 0;
};
