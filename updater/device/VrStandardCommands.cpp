#include "updater/device/VrStandardCommands.h"

#include "updater/base/VrResult.h"

CVrScsiInquiry::CVrScsiInquiry() : CVrScsiCommand(6, 0, "CVrScsiInquiry") { ExpectReply(kReplyBytes); }

int32_t CVrScsiInquiry::BuildCommand() { return WriteHeader({0x12, 0, 0, 0, kReplyBytes}); }

int32_t CVrScsiInquiry::GetInquiryData(uint8_t (&data)[kReplyBytes]) const {
    return Reply().GetBytes(data, kReplyBytes, 0);
}

CVrReadCapacity::CVrReadCapacity() : CVrScsiCommand(10, 0, "CVrReadCapacity") { ExpectReply(8); }

int32_t CVrReadCapacity::BuildCommand() { return WriteHeader({0x25}); }

int32_t CVrReadCapacity::GetCapacity(uint32_t& lastBlockAddress, uint32_t& blockLength) const {
    int32_t result = Reply().GetDword(lastBlockAddress, 0);
    return result == kVrOk ? Reply().GetDword(blockLength, 4) : result;
}

CVrRead::CVrRead(uint32_t blockAddress, uint16_t count, uint32_t blockSize)
    : CVrScsiCommand(10, 0, "CVrRead"), m_blockAddress(blockAddress), m_count(count) {
    ExpectReply(TransferLength(count, blockSize));
}

int32_t CVrRead::BuildCommand() {
    int32_t result = WriteHeader({0x28});
    if (result == kVrOk) result = m_block.SetDword(m_blockAddress, 2);
    if (result == kVrOk) result = m_block.SetWord(m_count, 7);
    return result;
}

int32_t CVrRead::GetData(CVrByteArray& data) const { return CopyReply(data); }

CVrWrite::CVrWrite(uint32_t blockAddress, uint16_t count, uint32_t blockSize)
    : CVrScsiCommand(10, TransferLength(count, blockSize), "CVrWrite"), m_blockAddress(blockAddress), m_count(count) {}

int32_t CVrWrite::BuildCommand() {
    int32_t result = WriteHeader({0x2A});
    if (result == kVrOk) result = m_block.SetDword(m_blockAddress, 2);
    if (result == kVrOk) result = m_block.SetWord(m_count, 7);
    return result;
}

int32_t CVrWrite::SetData(const CVrByteArray& data) { return PlaceData(data); }
