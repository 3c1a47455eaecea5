#include "updater/device/VrScsiDevice.h"

#include <new>
#include <string>

#include "updater/base/VrConfigInfo.h"
#include "updater/device/VrOsClass.h"
#include "updater/device/VrScsiCommand.h"
#include "updater/device/VrScsi_9x.h"
#include "updater/device/VrScsi_Nt.h"
#include "updater/device/VrSenseText.h"
#include "updater/device/VrStandardCommands.h"
#include "updater/device/VrVendorQueries.h"
#include "updater/base/VrEngineContext.h"
#include "updater/base/VrResult.h"

namespace {

const uint32_t kVendorOffset = 8;
const uint32_t kProductOffset = 16;
const uint32_t kLargestBlockCount = 0xFFFF;  // READ(10) and WRITE(10) count in 16 bits

char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameText(const uint8_t* inquiry, uint32_t length, uint32_t offset, const std::string& expected) {
    if (offset > length || expected.size() > length - offset) return false;
    for (size_t i = 0; i < expected.size(); ++i) {
        if (FoldCase(static_cast<char>(inquiry[offset + i])) != FoldCase(expected[i])) return false;
    }
    return true;
}

}  // namespace

CVrScsiDevice::CVrScsiDevice(CVrEngineContext& context, const char* name)
    : CVrBase(name), m_context(context), m_host(context.GetHost()) {}

CVrScsiDevice::~CVrScsiDevice() {
    if (m_handle != INVALID_HANDLE_VALUE) m_host.CloseHandle(m_handle);
}

std::unique_ptr<CVrScsiDevice> CVrScsiDevice::Create(CVrEngineContext& context, int32_t& result) {
    std::unique_ptr<CVrScsiDevice> transport;
    switch (VrGetOsClass(context.GetHost())) {
    case kVrOsWin9x:
    case kVrOsWinMe:
        transport.reset(new (std::nothrow) CVrScsi_9x(context));
        result = transport ? transport->GetLastResult() : kVrNoMemory;
        break;
    case kVrOsWin2000:
    case kVrOsWinXp:
        transport.reset(new (std::nothrow) CVrScsi_Nt(context));
        result = transport ? transport->GetLastResult() : kVrNoMemory;
        break;
    default:
        result = kVrNoTransport;
        break;
    }
    if (result != kVrOk) transport.reset();
    return transport;
}

int32_t CVrScsiDevice::WriteSectors(const CVrByteArray& data, uint32_t count, uint32_t start, uint32_t sectorSize) {
    if (count > kLargestBlockCount) return RecordFailure(kVrWriteFailed, ERROR_INVALID_PARAMETER);
    CVrWrite command(start, static_cast<uint16_t>(count), sectorSize);
    int32_t result = command.GetLastResult();
    if (result == kVrOk) result = command.SetData(data);
    return result == kVrOk ? SendCommand(command) : result;
}

int32_t CVrScsiDevice::ReadSectors(CVrByteArray& data, uint32_t count, uint32_t start, uint32_t sectorSize) {
    if (count > kLargestBlockCount) return RecordFailure(kVrReadFailed, ERROR_INVALID_PARAMETER);
    CVrRead command(start, static_cast<uint16_t>(count), sectorSize);
    int32_t result = command.GetLastResult();
    if (result == kVrOk) result = SendCommand(command);
    return result == kVrOk ? command.GetData(data) : result;
}

int32_t CVrScsiDevice::SetDriveLayout(const VrDiskGeometry&, uint32_t) { return kVrOk; }

int32_t CVrScsiDevice::FindByPhysicalDrive() { return kVrOk; }

// A command that was refused when it was made (an unknown information type,
// a block that could not be had) never reaches the device.
int32_t CVrScsiDevice::SendCommand(CVrScsiCommand& command) {
    int32_t result = command.GetLastResult();
    if (result == kVrOk) result = command.BuildCommand();
    if (result != kVrOk) return result;
    CVrByteArray reply(command.GetReplyLength());
    if (reply.GetLastResult() != kVrOk) return reply.GetLastResult();
    const bool isWrite = command.IsDataOut() != 0;
    result = Execute(command.GetBlock(), command.GetCommandLength(), isWrite, reply);
    if (result != kVrOk || isWrite) return result;
    return command.StoreReply(reply);
}

int32_t CVrScsiDevice::RecordFailure(int32_t result, DWORD systemError) {
    m_result = result;
    m_systemError = systemError;
    m_context.GetErrorRecord().Record(*this);
    m_result = kVrOk;
    m_systemError = 0;
    return result;
}

int32_t CVrScsiDevice::RecordCheckCondition(const uint8_t* sense, uint32_t length, DWORD systemError) {
    m_sense.reset(length ? new (std::nothrow) CVrByteArray(length, "Sense") : nullptr);
    if (m_sense && m_sense->GetLastResult() == kVrOk) {
        m_sense->SetBytes(sense, length, 0);
    } else {
        m_sense.reset();
    }
    m_result = kVrCheckCondition;
    m_systemError = systemError;
    m_context.GetErrorRecord().RecordWithDetail(*this, VrSenseText(m_sense.get(), m_context.GetResource()));
    m_result = kVrOk;
    m_systemError = 0;
    return kVrCheckCondition;
}

bool CVrScsiDevice::MatchesIdentity(const uint8_t* inquiry, uint32_t length) const {
    std::string vendor, product;
    m_context.GetConfig().GetVendorIdentity(vendor);
    m_context.GetConfig().GetProductIdentity(product);
    return SameText(inquiry, length, kProductOffset, product) && SameText(inquiry, length, kVendorOffset, vendor);
}

int32_t CVrScsiDevice::InquireIdentity(bool& matches) {
    matches = false;
    CVrScsiInquiry inquiry;
    uint8_t data[CVrScsiInquiry::kReplyBytes] = {};
    int32_t result = SendCommand(inquiry);
    if (result == kVrOk) result = inquiry.GetInquiryData(data);
    if (result == kVrOk) matches = MatchesIdentity(data, sizeof(data));
    return result;
}

int32_t CVrScsiDevice::AnswersAsPlayer(bool& player) {
    player = false;
    CVrGetLogicalMediaInfo info(CVrGetLogicalMediaInfo::kIsPlayer, 0);
    int32_t result = SendCommand(info);
    return result == kVrOk ? info.IsPlayer(player) : result;
}
