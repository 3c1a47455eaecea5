// The USB hubs' interface paths and port answers: the hub found is one of
// those the interface list gave, counted from 1.
#include <cstdint>

#include "fuzz/AnswerHost.h"
#include "fuzz/FuzzInput.h"
#include "platform/sim/player/SimPlayerPort.h"
#include "usbsupport/QuellHubSearch.h"

namespace {

// Counts the hubs the interface list gives.
class CountingHost : public AnswerHost {
public:
    using AnswerHost::AnswerHost;
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA* device, const GUID* classGuid, DWORD index,
                                     SP_DEVICE_INTERFACE_DATA* data) override {
        const BOOL found = AnswerHost::SetupDiEnumDeviceInterfaces(set, device, classGuid, index, data);
        hubs += found ? 1 : 0;
        return found;
    }
    int hubs = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SimMachine machine;
    static CountingHost host(machine, nullptr, 0);
    host.Replay(data, size);
    host.hubs = 0;
    const int hub = FindUsbDeviceHub(host, kSimPlayerUsbVendor, kSimPlayerUsbProduct);
    FUZZ_CHECK(hub >= 0 && hub <= host.hubs);
    return 0;
}
