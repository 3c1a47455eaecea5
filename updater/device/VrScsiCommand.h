// A request to the player: a command block, the length and direction of its
// data phase, and the interpretation of its reply. The transport runs it
// (CVrScsiDevice::SendCommand); concrete commands live in VrStandardCommands.h,
// VrVendorQueries.h and VrVendorChanges.h.
//
// Multi-byte values in blocks and replies are big-endian; a value that does
// not fit its array fails with -3.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "updater/base/VrBase.h"
#include "updater/base/VrByteArray.h"

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
    // No block or reply of the player's exceeds 32 bits; a product that does
    // not fit gives this length, which no array can hold, so the command
    // fails with -1 instead of wrapping to a small transfer.
    static const uint32_t kUnboundedLength = 0xFFFFFFFFu;
    static uint32_t TransferLength(uint32_t count, uint32_t size);
    // The reply, or an empty array before one arrived, so that the parsers'
    // field accessors answer -3 for a missing reply as for a short one.
    const CVrByteArray& Reply() const;
    // Sets the data-in length; kUnboundedLength fails the command with -1.
    void ExpectReply(uint32_t length);
    // Writes the leading bytes of the block (operation code, request, ...).
    int32_t WriteHeader(std::initializer_list<uint8_t> bytes);
    // Places outgoing data right after the command bytes: -10 when it is
    // larger than the data phase.
    int32_t PlaceData(const CVrByteArray& data);
    int32_t PlaceData(const uint8_t* data, uint32_t length);
    // Copies the reply into `data`, as many bytes as both hold.
    int32_t CopyReply(CVrByteArray& data) const;

    CVrByteArray m_block;
    std::unique_ptr<CVrByteArray> m_reply;
    uint32_t m_commandLength;
    uint32_t m_replyLength = 0;
    uint32_t m_dataOutLength;
};
