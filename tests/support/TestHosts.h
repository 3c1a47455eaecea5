// Hosts for the tests: the platform's own where the test checks what Windows
// does, and a simulated PC carrying a Caddis process.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/Host.h"
#include "tests/platform/SimTestFolder.h"

class SimHost;
class SimMachine;

// Windows itself in the Windows build (the test program carries Caddis's own
// resources); natively, a simulated PC whose program folder is the build's
// folder of programs and libraries, and whose program carries those resources.
std::unique_ptr<Host> MakePlatformHost();

// A simulated PC with the user language given, whose drive C: holds a Caddis
// program folder with the language libraries listed (copied from the build),
// and a Caddis process on it that carries the program's own resources.
class SimulatedCaddis {
public:
    SimulatedCaddis(LANGID userLanguage, const std::vector<std::wstring>& libraries = AllLibraries());
    ~SimulatedCaddis();
    SimulatedCaddis(const SimulatedCaddis&) = delete;
    SimulatedCaddis& operator=(const SimulatedCaddis&) = delete;

    static std::vector<std::wstring> AllLibraries();

    Host& host();
    SimMachine& machine() { return *m_machine; }

private:
    SimTestFolder m_drive;  // drive C:, a folder of its own so tests never share files
    std::shared_ptr<SimMachine> m_machine;
    std::unique_ptr<SimHost> m_host;
};
