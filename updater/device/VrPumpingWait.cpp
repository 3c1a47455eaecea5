#include "updater/device/VrPumpingWait.h"

#include "updater/base/VrProgress.h"

DWORD VrWaitPumping(Host& host, HANDLE event, CVrProgress& progress) {
    progress.Step(0);
    for (;;) {
        const DWORD wait = host.MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT);
        if (wait != WAIT_OBJECT_0 + 1) return wait;
        progress.Step(0);
    }
}
