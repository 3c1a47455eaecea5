// The 9x transport against answers from the tape: the ASPI layer's, the
// player's through it, the DOS requests' and the registry's. A player found
// has a host adapter and a drive letter A to Z.
#include <cstdint>

#include "fuzz/AnswerHost.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/Transport9x.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/base/VrResult.h"
#include "updater/engine/VrUpdater.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SimMachine machine;
    static AnswerHost host(machine, nullptr, 0);
    static CVrConfigInfo config;
    static CVrUpdater updater(host, config);
    host.Replay(data, size);
    CVrScsi_9x transport(updater.GetContext());
    if (RunTransport9x(transport) == kVrOk) {
        FUZZ_CHECK(transport.GetHostAdapter() != CVrScsi_9x::kNoAdapter);
        FUZZ_CHECK(transport.GetDriveLetter() >= L'A' && transport.GetDriveLetter() <= L'Z');
    }
    return 0;
}
