// A request to the player: a command block, the length and direction of its
// data phase, and the interpretation of its reply. The transport runs it
// (CVrScsiDevice::SendCommand); concrete commands live in VrStandardCommands.h,
// VrVendorQueries.h and VrVendorChanges.h.
//
// Multi-byte values in blocks and replies are big-endian; a value that does
// not fit its array fails with -3.
#pragma once

#include <cstdint>
#include <memory>

#include "updater/engine/VrBase.h"
#include "updater/engine/VrByteArray.h"

class CVrScsiCommand : public CVrBase {
public:
    // Creates the zeroed block of commandLength + dataOutLength bytes; -1 as
    // the result code when it cannot be had.
    CVrScsiCommand(uint32_t commandLength, uint32_t dataOutLength, const char* name);

    // Writes the command bytes into the block; called again before every send.
    virtual int32_t BuildCommand() = 0;
    // Keeps a copy of the reply; -1 when it cannot be had.
    virtual int32_t StoreReply(const CVrByteArray& data);
    virtual uint32_t IsDataOut() const = 0;

    CVrByteArray& GetBlock() { return m_block; }
    uint32_t GetCommandLength() const { return m_commandLength; }
    uint32_t GetReplyLength() const { return m_replyLength; }
    uint32_t GetDataOutLength() const { return m_dataOutLength; }
    // Null until a reply arrived.
    const CVrByteArray* GetReply() const { return m_reply.get(); }

protected:
    CVrByteArray m_block;
    std::unique_ptr<CVrByteArray> m_reply;
    uint32_t m_commandLength;
    uint32_t m_replyLength = 0;
    uint32_t m_dataOutLength;
};
