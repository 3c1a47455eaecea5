// The search for a USB device on the simulated PC's hubs.
#include "usbsupport/QuellHubSearch.h"

#include "tests/quell/QuellPc.h"

namespace {

class QuellHubSearch : public QuellPc {};

TEST_F(QuellHubSearch, NamesTheHubThePlayerIsOnAndForgetsItOnceUnplugged) {
    std::shared_ptr<SimUsbHub> first = machine.AddUsbHub(4);
    machine.AddUsbHub(4);
    first->Plug(1, {0x046D, 0xC31C});  // a keyboard
    std::shared_ptr<SimPlayerPort> player = PlugPlayer(L'E', 2, 3);

    EXPECT_EQ(2, FindUsbDeviceHub(host, kVendor, kProduct));
    EXPECT_EQ(1, FindUsbDeviceHub(host, 0x046D, 0xC31C));
    EXPECT_EQ(0, FindUsbDeviceHub(host, kVendor, 0x0001));
    // Empty ports answer zero identifiers, which are no device.
    EXPECT_EQ(0, FindUsbDeviceHub(host, 0, 0));

    player->Unplug();
    EXPECT_EQ(0, FindUsbDeviceHub(host, kVendor, kProduct));
}

TEST_F(QuellHubSearch, EachHubIsScannedUpToTheFirstPortItRefuses) {
    std::shared_ptr<SimUsbHub> small = machine.AddUsbHub(2);
    std::shared_ptr<SimUsbHub> large = machine.AddUsbHub(6);
    PlugPlayer(L'E', 2, 6);

    EXPECT_EQ(2, FindUsbDeviceHub(host, kVendor, kProduct));
    EXPECT_EQ((std::vector<DWORD>{1, 2, 3}), small->PortsAsked());
    // The hub with the player is scanned to its end as well.
    EXPECT_EQ((std::vector<DWORD>{1, 2, 3, 4, 5, 6, 7}), large->PortsAsked());
}

TEST_F(QuellHubSearch, AHubThatWillNotOpenIsPassedOverAndKeepsItsNumber) {
    std::shared_ptr<SimUsbHub> closed = machine.AddUsbHub(4);
    closed->RefuseOpen(ERROR_ACCESS_DENIED);
    std::shared_ptr<SimUsbHub> open = machine.AddUsbHub(4);
    std::shared_ptr<SimUsbHub> third = machine.AddUsbHub(4);
    PlugPlayer(L'E', 3, 1);

    EXPECT_EQ(3, FindUsbDeviceHub(host, kVendor, kProduct));
    EXPECT_TRUE(closed->PortsAsked().empty());

    third->RefuseOpen(ERROR_GEN_FAILURE);
    EXPECT_EQ(0, FindUsbDeviceHub(host, kVendor, kProduct));
}

}  // namespace
