#include "updater/device/VrPassThroughRecord.h"

#include "updater/base/VrLittleEndian.h"
#include "updater/base/VrResult.h"

namespace {

// Offsets of the record.
const uint32_t kHeaderLength = 0;
const uint32_t kScsiStatus = 2;
const uint32_t kCommandLength = 6;
const uint32_t kSenseLength = 7;
const uint32_t kDirection = 8;
const uint32_t kDataLength = 12;
const uint32_t kTimeOut = 16;
const uint32_t kDataOffset = 20;
const uint32_t kSenseOffset = 24;
const uint32_t kCommand = 28;
const uint32_t kRecordSize = 44;
const uint32_t kSense = 52;
const uint32_t kData = 70;
// The data buffer has one byte more than the data phase.
const uint32_t kFixedBytes = kData + 1;

const uint8_t kDataOut = 0;
const uint8_t kDataIn = 1;
const uint32_t kTimeOutSeconds = 120;

uint32_t DataPhase(const CVrByteArray& block, uint32_t commandLength, uint32_t replyLength) {
    uint32_t outgoing = block.GetCount() > commandLength ? block.GetCount() - commandLength : 0;
    return outgoing > replyLength ? outgoing : replyLength;
}

bool Fits(uint32_t dataLength) { return dataLength <= 0xFFFFFFFFu - kFixedBytes; }

}  // namespace

CVrPassThroughRecord::CVrPassThroughRecord(const CVrByteArray& block, uint32_t commandLength, bool isWrite,
                                           uint32_t replyLength)
    : CVrBase("CVrPassThroughRecord"),
      m_dataLength(DataPhase(block, commandLength, replyLength)),
      m_bytes(Fits(m_dataLength) ? kFixedBytes + m_dataLength : 0) {
    if (!Fits(m_dataLength) || m_bytes.GetLastResult() != kVrOk) {
        SetResult(kVrNoMemory);
        return;
    }
    if (commandLength > kLongestCommand || commandLength > block.GetCount()) {
        SetResult(kVrFieldOutOfRange);
        return;
    }
    uint8_t* record = GetBytes();
    VrPutLe16(record + kHeaderLength, static_cast<uint16_t>(kRecordSize));
    record[kCommandLength] = static_cast<uint8_t>(commandLength);
    record[kSenseLength] = kSenseBytes;
    // A command without a data phase goes as "data in" of no bytes.
    record[kDirection] = isWrite && m_dataLength != 0 ? kDataOut : kDataIn;
    VrPutLe32(record + kDataLength, m_dataLength);
    VrPutLe32(record + kTimeOut, kTimeOutSeconds);
    VrPutLe32(record + kDataOffset, kData);
    VrPutLe32(record + kSenseOffset, kSense);
    block.GetBytes(record + kCommand, commandLength, 0);
    VrPutLe32(record + kRecordSize, GetSize());
    block.GetBytes(record + kData, block.GetCount() - commandLength, commandLength);
}

uint8_t CVrPassThroughRecord::GetScsiStatus() const {
    uint8_t status = 0;
    m_bytes.GetAt(kScsiStatus, status);
    return status;
}

uint32_t CVrPassThroughRecord::GetSense(uint8_t (&sense)[kSenseBytes]) const {
    uint8_t length = 0;
    m_bytes.GetAt(kSenseLength, length);
    if (length > kSenseBytes) length = kSenseBytes;
    return m_bytes.GetBytes(sense, length, kSense) == kVrOk ? length : 0;
}

int32_t CVrPassThroughRecord::CopyData(CVrByteArray& data) const {
    uint32_t length = data.GetCount() < m_dataLength ? data.GetCount() : m_dataLength;
    return m_bytes.GetBytes(data.GetPtr(0), length, kData);
}
