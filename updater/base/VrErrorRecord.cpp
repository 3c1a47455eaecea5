#include "updater/base/VrErrorRecord.h"

#include "updater/base/VrBase.h"

// The component index and detail of an earlier failure are left as they are:
// only the objects that know a component or a detail replace them.
uint32_t CVrErrorRecord::Record(const CVrBase& object) {
    m_objectName = object.GetObjectName();
    m_resultCode = object.GetLastResult();
    m_systemError = object.GetSystemError();
    return m_systemError;
}

uint32_t CVrErrorRecord::RecordWithComponent(const CVrBase& object, uint8_t componentIndex) {
    m_componentIndex = componentIndex;
    return Record(object);
}

uint32_t CVrErrorRecord::RecordWithDetail(const CVrBase& object, const std::wstring& detail) {
    m_detail = detail;
    return Record(object);
}

void CVrErrorRecord::Set(int32_t resultCode, uint32_t systemError) {
    m_resultCode = resultCode;
    m_systemError = systemError;
}
