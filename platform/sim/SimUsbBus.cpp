#include "platform/sim/SimUsbBus.h"

#include <cstring>

#include "platform/sim/SimDeviceFile.h"
#include "platform/sim/player/SimLittleEndian.h"

const GUID kSimUsbHubClass = {0xF18A0E88, 0xC30C, 0x11D0, {0x88, 0x15, 0x00, 0xA0, 0xC9, 0x06, 0xBE, 0xD8}};

bool SimSameGuid(const GUID& a, const GUID& b) {
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 &&
           std::memcmp(a.Data4, b.Data4, sizeof a.Data4) == 0;
}

namespace {

using namespace SimUsbNodeField;

const DWORD kDescriptorLength = 18;
const BYTE kDeviceDescriptorType = 1;
const DWORD kDeviceConnected = 1;
// A storage device or a hub keeps a bulk pair or an interrupt pipe open.
const BYTE kBulk = 2;
const BYTE kInterrupt = 3;

void PutPipe(BYTE* at, BYTE endpoint, BYTE kind, WORD packetSize) {
    at[0] = 7;  // endpoint descriptor length
    at[1] = 5;  // endpoint descriptor type
    at[2] = endpoint;
    at[3] = kind;
    SimPut16(at + 4, packetSize);
    at[6] = kind == kInterrupt ? 12 : 0;  // polling interval
    SimPut32(at + 7, 0);                  // schedule offset
}

}  // namespace

class SimUsbHub::Handle final : public SimDeviceFile {
public:
    explicit Handle(std::shared_ptr<SimUsbHub> hub) : hub_(std::move(hub)) {}

    DWORD IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD& returned) override {
        returned = 0;
        if (code != kSimUsbNodeConnectionInformation) return ERROR_INVALID_FUNCTION;
        return hub_->Answer(in, inSize, out, outSize, returned);
    }

private:
    const std::shared_ptr<SimUsbHub> hub_;
};

SimUsbHub::SimUsbHub(std::wstring name, unsigned ports) : name_(std::move(name)), ports_(ports) {}

std::wstring SimUsbHub::InterfacePath() const { return L"\\\\?\\" + name_; }

bool SimUsbHub::Plug(unsigned port, const SimUsbDevice& device) {
    if (port == 0 || port > ports_) return false;
    std::lock_guard<std::mutex> lock(mutex_);
    devices_[port] = device;
    return true;
}

void SimUsbHub::Unplug(unsigned port) {
    std::lock_guard<std::mutex> lock(mutex_);
    devices_.erase(port);
}

void SimUsbHub::RefuseOpen(DWORD error) {
    std::lock_guard<std::mutex> lock(mutex_);
    openError_ = error;
}

std::vector<DWORD> SimUsbHub::PortsAsked() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return asked_;
}

DWORD SimUsbHub::Open(const SimOpenRequest&, std::shared_ptr<SimFileObject>& file) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (openError_ != ERROR_SUCCESS) return openError_;
    }
    file = std::make_shared<Handle>(shared_from_this());
    return ERROR_SUCCESS;
}

DWORD SimUsbHub::Answer(const void* in, DWORD inSize, void* out, DWORD outSize, DWORD& returned) {
    if (!in || !out || inSize < 4 || outSize < kPipes) return ERROR_INVALID_PARAMETER;
    const DWORD port = SimGet32(static_cast<const BYTE*>(in));
    std::lock_guard<std::mutex> lock(mutex_);
    asked_.push_back(port);
    if (port == 0 || port > ports_) return ERROR_INVALID_PARAMETER;

    BYTE* record = static_cast<BYTE*>(out);
    std::memset(record, 0, kPipes);
    SimPut32(record + kPort, port);
    returned = kPipes;
    auto found = devices_.find(port);
    if (found == devices_.end()) return ERROR_SUCCESS;  // status 0: no device connected

    const SimUsbDevice& device = found->second;
    BYTE* descriptor = record + kDescriptor;
    descriptor[0] = kDescriptorLength;
    descriptor[1] = kDeviceDescriptorType;
    SimPut16(descriptor + 2, 0x0110);      // USB 1.1
    descriptor[4] = device.isHub ? 9 : 0;  // hubs say their class here, others per interface
    descriptor[7] = 64;                    // packet size of endpoint 0
    SimPut16(record + kVendor, device.vendor);
    SimPut16(record + kProduct, device.product);
    SimPut16(record + kRelease, device.release);
    descriptor[14] = 1;  // string indexes: manufacturer, product, serial number
    descriptor[15] = 2;
    descriptor[16] = 3;
    descriptor[17] = 1;  // one configuration
    record[kConfiguration] = 1;
    record[kIsHub] = device.isHub ? 1 : 0;
    SimPut16(record + kAddress, static_cast<WORD>(port + 1));
    SimPut32(record + kStatus, kDeviceConnected);

    // The pipes the driver lists as far as the caller's buffer takes them.
    const DWORD pipes = device.isHub ? 1 : 2;
    SimPut32(record + kOpenPipes, pipes);
    for (DWORD pipe = 0; pipe < pipes && returned + kPipeSize <= outSize; ++pipe) {
        if (device.isHub) {
            PutPipe(record + returned, 0x81, kInterrupt, 1);
        } else {
            PutPipe(record + returned, pipe == 0 ? 0x81 : 0x02, kBulk, 64);
        }
        returned += kPipeSize;
    }
    return ERROR_SUCCESS;
}
