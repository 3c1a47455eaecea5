#include "platform/sim/player/SimWindowsPc.h"

#include "platform/sim/player/SimAttach.h"

namespace {

struct Named {
    const char* name;
    SimWindows windows;
};

const Named kNames[] = {{"95", SimWindows::k95},
                        {"98", SimWindows::k98},
                        {"me", SimWindows::kMe},
                        {"2000", SimWindows::k2000},
                        {"xp", SimWindows::kXp}};

}  // namespace

bool SimParseWindows(const std::string& name, SimWindows& windows) {
    std::string lower;
    for (char c : name) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    for (const Named& named : kNames) {
        if (lower == named.name) {
            windows = named.windows;
            return true;
        }
    }
    return false;
}

std::string SimWindowsName(SimWindows windows) {
    for (const Named& named : kNames) {
        if (named.windows == windows) return named.name;
    }
    return "";
}

void SimSetUpWindows(SimMachine& machine, SimWindows windows) {
    machine.SetWindows(windows);
    if (!machine.RunsWindows9x()) return;
    machine.Aspi().AddAdapter({"IDE CONTROLLER", SimMakeOtherDisk("Kestrel ", "CD-ROM 32X"), 0});
    machine.Aspi().AddAdapter({"USB CARD READER", SimMakeOtherDisk("Tarn    ", "Card Reader"), 0});
}
