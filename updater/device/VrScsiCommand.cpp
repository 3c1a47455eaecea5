#include "updater/device/VrScsiCommand.h"

#include <new>

#include "updater/base/VrResult.h"

namespace {

const CVrByteArray& NoReply() {
    static const CVrByteArray empty(0);
    return empty;
}

// A block whose length would wrap 32 bits is never allocated: the command
// fails with -1 instead.
bool BlockFits(uint32_t commandLength, uint32_t dataOutLength) {
    return dataOutLength < 0xFFFFFFFFu - commandLength;
}

}  // namespace

CVrScsiCommand::CVrScsiCommand(uint32_t commandLength, uint32_t dataOutLength, const char* name)
    : CVrBase(name),
      m_block(BlockFits(commandLength, dataOutLength) ? commandLength + dataOutLength : 0),
      m_commandLength(commandLength),
      m_dataOutLength(BlockFits(commandLength, dataOutLength) ? dataOutLength : 0) {
    if (!BlockFits(commandLength, dataOutLength) || m_block.GetLastResult() != kVrOk) SetResult(kVrNoMemory);
}

int32_t CVrScsiCommand::StoreReply(const CVrByteArray& data) {
    m_replyLength = data.GetCount();
    m_reply.reset(new (std::nothrow) CVrByteArray(m_replyLength));
    if (!m_reply || m_reply->GetLastResult() != kVrOk) {
        m_reply.reset();
        return SetResult(kVrNoMemory);
    }
    if (m_replyLength != 0) data.GetBytes(m_reply->GetPtr(0), m_replyLength, 0);
    return SetResult(kVrOk);
}

uint32_t CVrScsiCommand::TransferLength(uint32_t count, uint32_t size) {
    uint64_t bytes = uint64_t(count) * size;
    return bytes >= kUnboundedLength ? kUnboundedLength : static_cast<uint32_t>(bytes);
}

const CVrByteArray& CVrScsiCommand::Reply() const { return m_reply ? *m_reply : NoReply(); }

void CVrScsiCommand::ExpectReply(uint32_t length) {
    if (length == kUnboundedLength) {
        SetResult(kVrNoMemory);
        length = 0;
    }
    m_replyLength = length;
}

int32_t CVrScsiCommand::WriteHeader(std::initializer_list<uint8_t> bytes) {
    return m_block.SetBytes(bytes.begin(), static_cast<uint32_t>(bytes.size()), 0);
}

// A refused placement is kept as the result so that the command is not sent
// without its data.
int32_t CVrScsiCommand::PlaceData(const CVrByteArray& data) {
    if (data.GetCount() > m_dataOutLength) return SetResult(kVrDataTooLong);
    return data.GetBytes(m_block.GetPtr(m_commandLength), data.GetCount(), 0);
}

int32_t CVrScsiCommand::PlaceData(const uint8_t* data, uint32_t length) {
    if (length > m_dataOutLength) return SetResult(kVrDataTooLong);
    return m_block.SetBytes(data, length, m_commandLength);
}

int32_t CVrScsiCommand::CopyReply(CVrByteArray& data) const {
    const CVrByteArray& reply = Reply();
    uint32_t length = reply.GetCount() < data.GetCount() ? reply.GetCount() : data.GetCount();
    return reply.GetBytes(data.GetPtr(0), length, 0);
}
