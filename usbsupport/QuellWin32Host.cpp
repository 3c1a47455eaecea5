// The shipped library's host: Windows itself.
#include "platform/win32/Win32Host.h"
#include "usbsupport/QuellHost.h"

Host& QuellHost() {
    static Win32Host host;
    return host;
}
