// The one place the library takes its host from, and its application
// object. The shipped library answers with Windows itself; its test build
// with Windows plus a simulated player (QuellTestHost.cpp).
#pragma once

#include "platform/Host.h"
#include "usbsupport/QuellApp.h"

Host& QuellHost();
// The process's application object, made when the library loads.
CQuellApp& QuellApplication();
// The library's own module, for its resources.
HINSTANCE QuellModule();
