#include "tests/support/TestHosts.h"

#include <string>

#include "platform/sim/SimHost.h"
#include "platform/sim/SimMachine.h"
#include "resources/caddis/CaddisResourceImage.h"

#ifdef _WIN32
#include "platform/win32/Win32Host.h"
#endif

namespace fs = std::filesystem;

std::unique_ptr<Host> MakePlatformHost() {
#ifdef _WIN32
    return std::make_unique<Win32Host>();
#else
    // A process whose program folder is the build's: its libraries load by
    // name. The PC is a base, so it is made before the process and outlives it.
    struct Pc {
        SimMachine machine;
        Pc() { machine.MapFolder(L'C', DRIVE_FIXED, VR_BIN_DIR); }
    };
    struct PlatformHost : Pc, SimHost {
        PlatformHost() : SimHost(machine, L"C:\\Caddis.exe") {
            SetProgramImage(kCaddisResourceImage, kCaddisResourceImage_size);
        }
    };
    return std::make_unique<PlatformHost>();
#endif
}

SimulatedCaddis::SimulatedCaddis(LANGID userLanguage, const std::vector<std::wstring>& libraries)
    : m_machine(std::make_shared<SimMachine>()) {
    fs::create_directories(m_drive.Path() / "Caddis");
    for (const std::wstring& library : libraries) {
        fs::copy_file(fs::path(VR_BIN_DIR) / library, m_drive.Path() / "Caddis" / library);
    }
    m_machine->SetLanguages(userLanguage, userLanguage);
    m_machine->MapFolder(L'C', DRIVE_FIXED, m_drive.Path());
    m_host = std::make_unique<SimHost>(*m_machine, L"C:\\Caddis\\Caddis.exe");
    m_host->SetProgramImage(kCaddisResourceImage, kCaddisResourceImage_size);
}

SimulatedCaddis::~SimulatedCaddis() { m_host.reset(); }

std::vector<std::wstring> SimulatedCaddis::AllLibraries() {
    return {L"vrxa0404.dll", L"vrxa0407.dll", L"vrxa0409.dll", L"vrxa040a.dll",
            L"vrxa040c.dll", L"vrxa0411.dll", L"vrxa0412.dll", L"vrxa0804.dll"};
}

Host& SimulatedCaddis::host() { return *m_host; }
