// The simulated PC's USB bus as Windows 2000 and XP show it to programs:
// hubs, each a device interface of the hub class whose path opens in the
// device namespace, with numbered ports. A device on a port is known by its
// device descriptor; the hub reports it to the node-connection request.
//
// The request's record, 32-bit layout and byte-packed as the hub driver
// keeps it: the port number (4 bytes), the device descriptor (18 bytes),
// the configuration value, the speed and hub flags, the device address, the
// number of open pipes, the connection status, then one 11-byte record per
// open pipe. A port that the hub does not have is refused with
// ERROR_INVALID_PARAMETER; an empty port answers "no device connected".
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sim/SimDrive.h"

// {F18A0E88-C30C-11D0-8815-00A0C906BED8}, the interface class of USB hubs.
extern const GUID kSimUsbHubClass;
bool SimSameGuid(const GUID& a, const GUID& b);

const DWORD kSimUsbNodeConnectionInformation = 0x22040C;

namespace SimUsbNodeField {
const DWORD kPort = 0;         // 32-bit, asked by the program
const DWORD kDescriptor = 4;   // 18 bytes: the device descriptor
const DWORD kVendor = 12;      // 16-bit, inside the descriptor
const DWORD kProduct = 14;     // 16-bit
const DWORD kRelease = 16;     // 16-bit
const DWORD kConfiguration = 22;
const DWORD kLowSpeed = 23;
const DWORD kIsHub = 24;
const DWORD kAddress = 25;     // 16-bit
const DWORD kOpenPipes = 27;   // 32-bit
const DWORD kStatus = 31;      // 32-bit: 0 no device, 1 connected
const DWORD kPipes = 35;       // the pipe records follow
const DWORD kPipeSize = 11;
}  // namespace SimUsbNodeField

struct SimUsbDevice {
    WORD vendor = 0;
    WORD product = 0;
    WORD release = 0x0100;
    bool isHub = false;
};

class SimUsbHub final : public SimDevice, public std::enable_shared_from_this<SimUsbHub> {
public:
    // `name` is the interface path without its "\\?\" prefix.
    SimUsbHub(std::wstring name, unsigned ports);

    // The path programs get from the interface list ("\\?\usb#root_hub#...").
    std::wstring InterfacePath() const;
    const std::wstring& Name() const { return name_; }
    unsigned Ports() const { return ports_; }

    // False, and no change, for a port the hub does not have.
    bool Plug(unsigned port, const SimUsbDevice& device);
    void Unplug(unsigned port);
    // Every open fails with `error` from now on; ERROR_SUCCESS opens again.
    void RefuseOpen(DWORD error);
    // The port numbers asked by node-connection requests, in order, refused ones included.
    std::vector<DWORD> PortsAsked() const;

    DWORD Open(const SimOpenRequest& request, std::shared_ptr<SimFileObject>& file) override;

private:
    class Handle;
    DWORD Answer(const void* in, DWORD inSize, void* out, DWORD outSize, DWORD& returned);

    const std::wstring name_;
    const unsigned ports_;
    mutable std::mutex mutex_;
    std::map<unsigned, SimUsbDevice> devices_;
    DWORD openError_ = ERROR_SUCCESS;
    std::vector<DWORD> asked_;
};
