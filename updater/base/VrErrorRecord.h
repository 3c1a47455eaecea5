// The engine's account of its last failure, kept for the error report: which
// object failed, with what code and system error, and where it helps the
// component involved or a detail text (a file name, a library name, the
// device's sense bytes).
#pragma once

#include <cstdint>
#include <string>

class CVrBase;

class CVrErrorRecord {
public:
    static constexpr uint8_t kNoComponent = 255;

    // Copies the object's name, last result and system error, and returns
    // that system error.
    uint32_t Record(const CVrBase& object);
    uint32_t RecordWithComponent(const CVrBase& object, uint8_t componentIndex);
    uint32_t RecordWithDetail(const CVrBase& object, const std::wstring& detail);
    void Set(int32_t resultCode, uint32_t systemError);

    const std::string& GetObjectName() const { return m_objectName; }
    int32_t GetResultCode() const { return m_resultCode; }
    uint32_t GetSystemError() const { return m_systemError; }
    uint8_t GetComponentIndex() const { return m_componentIndex; }
    const std::wstring& GetDetail() const { return m_detail; }

private:
    std::string m_objectName;
    int32_t m_resultCode = 0;
    uint32_t m_systemError = 0;
    uint8_t m_componentIndex = kNoComponent;
    std::wstring m_detail;
};
