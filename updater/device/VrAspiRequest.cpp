#include "updater/device/VrAspiRequest.h"

#include <cstring>

#include "updater/base/VrLittleEndian.h"
#include "updater/base/VrByteArray.h"

namespace {

const uint8_t kExecute = 0x02, kAdapterInquiry = 0x00, kDiskInfo = 0x06;
const uint8_t kDataIn = 0x08, kDataOut = 0x10, kEventNotify = 0x40;
const uint8_t kCheckCondition = 0x02;

// Execute request offsets (the request's status is byte 1).
const uint32_t kCommand = 0, kAdapter = 2, kFlags = 3, kBufferLength = 12, kBuffer = 16;
const uint32_t kSenseLength = 20, kCdbLength = 21, kTargetStatus = 23, kEvent = 24, kCdb = 48, kSense = 64;
const uint32_t kLargestCdb = 16;

const uint32_t kInquiryBytes = 60, kAdapterCount = 8;
const uint32_t kDiskInfoBytes = 24, kInt13Drive = 11;

}  // namespace

CVrAspiExecute::CVrAspiExecute(uint8_t adapter, bool isWrite, uint32_t length, uint32_t buffer, HANDLE event,
                               const CVrByteArray& block, uint32_t commandLength) {
    m_bytes[kCommand] = kExecute;
    m_bytes[kAdapter] = adapter;
    m_bytes[kFlags] = (isWrite ? kDataOut : kDataIn) | kEventNotify;
    VrPutLe32(m_bytes + kBufferLength, length);
    VrPutLe32(m_bytes + kBuffer, buffer);
    m_bytes[kSenseLength] = kSenseBytes;
    const uint32_t cdb = commandLength < kLargestCdb ? commandLength : kLargestCdb;
    m_bytes[kCdbLength] = static_cast<uint8_t>(cdb);
    VrPutLe32(m_bytes + kEvent, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(event)));
    block.GetBytes(m_bytes + kCdb, cdb < block.GetCount() ? cdb : block.GetCount(), 0);
}

uint32_t CVrAspiExecute::GetSense(uint8_t (&sense)[kSenseBytes]) const {
    if (m_bytes[kTargetStatus] != kCheckCondition) return 0;
    std::memcpy(sense, m_bytes + kSense, kSenseBytes);
    return kSenseBytes;
}

DWORD VrAspiAdapterCount(DWORD (*send)(void*), uint8_t& count) {
    uint8_t request[kInquiryBytes] = {};
    request[kCommand] = kAdapterInquiry;
    const DWORD status = send(request);
    count = request[kAdapterCount];
    return status;
}

DWORD VrAspiInt13Drive(DWORD (*send)(void*), uint8_t adapter, uint8_t& drive) {
    uint8_t request[kDiskInfoBytes] = {};
    request[kCommand] = kDiskInfo;
    request[kAdapter] = adapter;
    const DWORD status = send(request);
    drive = request[kInt13Drive];
    return status;
}
