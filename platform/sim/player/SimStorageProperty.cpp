#include "platform/sim/player/SimStorageProperty.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/sim/player/SimLittleEndian.h"
#include "platform/sim/player/SimPlayer.h"

using namespace SimStorageField;

namespace {

const DWORD kQuerySize = 12;
const DWORD kDeviceProperty = 0;
const DWORD kStandardQuery = 0;
const DWORD kExistsQuery = 1;
const DWORD kBusUsb = 7;
const size_t kInquiryLength = 36;

std::vector<BYTE> Descriptor(const SimDiskIdentity& identity) {
    std::vector<BYTE> record(kHeaderSize, 0);
    auto addText = [&record](DWORD field, const std::string& text) {
        SimPut32(&record[field], static_cast<uint32_t>(record.size()));
        record.insert(record.end(), text.begin(), text.end());
        record.push_back(0);
    };
    addText(kVendorOffset, identity.vendor);
    addText(kProductOffset, identity.product);
    addText(kRevisionOffset, identity.revision);
    SimPut32(&record[kVersion], kHeaderSize);
    SimPut32(&record[kSize], static_cast<uint32_t>(record.size()));
    record[kDeviceType] = 0x00;  // direct access
    record[kRemovable] = 1;
    SimPut32(&record[kBusType], kBusUsb);
    return record;
}

}  // namespace

bool SimInquireIdentity(SimPlayer& player, SimDiskIdentity& identity) {
    const BYTE inquiry[6] = {0x12, 0, 0, 0, static_cast<BYTE>(kInquiryLength), 0};
    BYTE data[kInquiryLength] = {};
    SimScsiStatus status = player.Execute(inquiry, sizeof inquiry, nullptr, 0, data, sizeof data);
    if (status.status != SimScsiStatus::kGood || status.dataIn < kInquiryLength) return false;
    const char* text = reinterpret_cast<const char*>(data);
    identity.vendor.assign(text + 8, 8);
    identity.product.assign(text + 16, 16);
    identity.revision.assign(text + 32, 4);
    return true;
}

DWORD SimAnswerStorageQuery(SimPlayer& player, const void* in, DWORD inSize, void* out, DWORD outSize,
                            DWORD& returned) {
    returned = 0;
    if (!in || inSize < kQuerySize) return ERROR_INVALID_PARAMETER;
    const BYTE* query = static_cast<const BYTE*>(in);
    if (SimGet32(query) != kDeviceProperty) return ERROR_NOT_SUPPORTED;
    const DWORD type = SimGet32(query + 4);
    if (type == kExistsQuery) return ERROR_SUCCESS;
    if (type != kStandardQuery) return ERROR_INVALID_PARAMETER;
    if (!out || outSize < 8) return ERROR_INVALID_PARAMETER;

    SimDiskIdentity identity;
    if (!SimInquireIdentity(player, identity)) return ERROR_IO_DEVICE;
    std::vector<BYTE> record = Descriptor(identity);
    returned = std::min<DWORD>(outSize, static_cast<DWORD>(record.size()));
    std::memcpy(out, record.data(), returned);
    return ERROR_SUCCESS;
}
