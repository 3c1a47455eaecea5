// Is a USB device with these identifiers attached: every port of every USB
// hub is asked for the device on it.
#pragma once

#include "platform/Host.h"

// The number (counted from 1, in the order of the hub interface list) of
// the first hub that has the device on one of its ports; 0 when none has.
// Hubs that cannot be reached are passed over and keep their number.
int FindUsbDeviceHub(Host& host, unsigned vendor, unsigned product);
