// A drive's identification texts as Windows 95, 98 and Me keep them: for
// every device node present ("Config Manager\Enum" under the dynamic data),
// the hardware key it names ("Enum\..." under the local machine) holds the
// drive letters assigned to the device, its manufacturer and its product id.
#pragma once

#include <array>
#include <string>

#include "platform/Host.h"

struct DriveIdentity9x {
    wchar_t letter = 0;  // 0: no device has this drive letter
    std::wstring manufacturer;
    std::wstring product;
};

// Indexed by drive letter, A to Z. Values longer than their buffer are
// taken as missing, values without a terminator end where they end, and
// assigned characters other than the letters A to Z are passed over.
std::array<DriveIdentity9x, 26> ReadDriveTable9x(Host& host);
