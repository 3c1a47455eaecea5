// The request Windows 2000 and XP take with IOCTL_SCSI_PASS_THROUGH, as the
// 32-bit system lays it out: a 44-byte header, the record's own size, the
// sense buffer and the data buffer, all in one block of 71 + data bytes that
// serves as both input and output of the call.
//
// The layout stays the 32-bit one in every build: a 64-bit Windows driver
// would read it wrongly (its header holds pointer-sized fields), so the
// 64-bit test build runs this code against the simulated PC only.
#pragma once

#include <cstdint>

#include "updater/base/VrBase.h"
#include "updater/base/VrByteArray.h"

class CVrPassThroughRecord : public CVrBase {
public:
    static const uint32_t kSenseBytes = 18;
    static const uint32_t kLongestCommand = 16;

    // The first `commandLength` bytes of `block` are the command; any bytes
    // after them are the outgoing data. The data phase is the larger of
    // those and `replyLength`. Result code: -1 when the record cannot be
    // had, -3 when the command does not fit the record's command field.
    CVrPassThroughRecord(const CVrByteArray& block, uint32_t commandLength, bool isWrite, uint32_t replyLength);

    // The whole record, handed to the call as input and output.
    uint8_t* GetBytes() { return m_bytes.GetPtr(0); }
    uint32_t GetSize() const { return m_bytes.GetCount(); }
    uint32_t GetDataLength() const { return m_dataLength; }

    // What the call returned.
    uint8_t GetScsiStatus() const;
    // The sense bytes the device gave (at most 18) and their count.
    uint32_t GetSense(uint8_t (&sense)[kSenseBytes]) const;
    // The received bytes into `data`, as many as it holds.
    int32_t CopyData(CVrByteArray& data) const;

private:
    uint32_t m_dataLength = 0;
    CVrByteArray m_bytes;
};
