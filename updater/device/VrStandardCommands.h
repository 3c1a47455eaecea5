// The standard SCSI commands the player understands: INQUIRY, READ CAPACITY,
// READ(10) and WRITE(10).
#pragma once

#include <cstdint>

#include "updater/device/VrScsiCommand.h"

// INQUIRY with an allocation length of 96 (0x60), not the usual 36.
class CVrScsiInquiry : public CVrScsiCommand {
public:
    static const uint32_t kReplyBytes = 96;
    CVrScsiInquiry();
    int32_t BuildCommand() override;
    uint32_t IsDataOut() const override { return 0; }
    // The 96 reply bytes: vendor at 8-15, product at 16-31, revision at 32-35.
    int32_t GetInquiryData(uint8_t (&data)[kReplyBytes]) const;
};

class CVrReadCapacity : public CVrScsiCommand {
public:
    CVrReadCapacity();
    int32_t BuildCommand() override;
    uint32_t IsDataOut() const override { return 0; }
    int32_t GetCapacity(uint32_t& lastBlockAddress, uint32_t& blockLength) const;
};

// READ(10): `count` blocks of `blockSize` bytes from `blockAddress`; the
// block count field is 16 bits wide.
class CVrRead : public CVrScsiCommand {
public:
    CVrRead(uint32_t blockAddress, uint16_t count, uint32_t blockSize);
    int32_t BuildCommand() override;
    uint32_t IsDataOut() const override { return 0; }
    // The reply, as many bytes as both arrays hold.
    int32_t GetData(CVrByteArray& data) const;

private:
    uint32_t m_blockAddress;
    uint16_t m_count;
};

// WRITE(10): the data follows the 10-byte block.
class CVrWrite : public CVrScsiCommand {
public:
    CVrWrite(uint32_t blockAddress, uint16_t count, uint32_t blockSize);
    int32_t BuildCommand() override;
    uint32_t IsDataOut() const override { return 1; }
    // -10 when the data is larger than count x size.
    int32_t SetData(const CVrByteArray& data);

private:
    uint32_t m_blockAddress;
    uint16_t m_count;
};
