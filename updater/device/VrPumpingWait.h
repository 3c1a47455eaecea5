// How the user-interface thread waits for a device request to end: on the
// request's event or on window messages, so that a slow player costs no
// processor time while the windows stay alive. The interface gets one turn
// (Step with no advance) when the wait begins and another whenever input
// arrives.
#pragma once

#include "platform/Host.h"

class CVrProgress;

// WAIT_OBJECT_0 once `event` is signalled; any other value is what ended
// the wait instead (WAIT_FAILED for a wait that could not be made).
DWORD VrWaitPumping(Host& host, HANDLE event, CVrProgress& progress);
