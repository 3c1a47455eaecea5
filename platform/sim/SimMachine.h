// The simulated PC: what all its processes share. Tests build one, configure
// it, and run one SimHost on it per program ("process") they start.
//
// Defaults: Windows XP (NT 5.1.2600, Service Pack 2), user and system
// language US English (0x0409), no drives, no USB hubs, an empty registry
// apart from its top keys, and the clock at 2005-03-14 09:30 with the PC up
// for an hour.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/WinTypes.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimAspi.h"
#include "platform/sim/SimDrive.h"
#include "platform/sim/SimLocale.h"
#include "platform/sim/SimLowMemory.h"
#include "platform/sim/SimMixer.h"
#include "platform/sim/SimObjects.h"
#include "platform/sim/SimPath.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimUsbBus.h"
#include "platform/sim/SimVwin32.h"
#include "platform/sim/SimWindowTable.h"

class SimHost;

// A library the simulated PC provides in code rather than as an image on a
// drive (a system library the programs load by name).
class SimNativeModule {
public:
    virtual ~SimNativeModule() = default;
    // The exported function of that name, or null.
    virtual FARPROC Export(const char* name) = 0;
};

// A change the programs told the shell about.
struct SimShellNotice {
    LONG eventId;
    UINT flags;
    std::wstring path;
};

// A file operation the shell was asked for, as the program handed it over.
struct SimFileOperation {
    HWND owner;
    UINT function;
    WORD flags;
    std::vector<std::wstring> from;
    std::vector<std::wstring> to;  // empty for a deletion
    std::wstring title;
};

// How the simulated user and shell answer the next file operations: the
// shell's result, and whether the user aborted some part (a declined
// confirmation).
struct SimFileOperationAnswer {
    int result = 0;
    bool aborted = false;
};

struct SimVersion {
    DWORD platformId = VER_PLATFORM_WIN32_NT;
    DWORD major = 5;
    DWORD minor = 1;
    DWORD build = 2600;
    std::wstring servicePack = L"Service Pack 2";
    WORD servicePackMajor = 2;
    WORD servicePackMinor = 0;
};

// The Windows a simulated PC runs, each as it was released last.
enum class SimWindows { k95, k98, kMe, k2000, kXp };
SimVersion SimWindowsVersion(SimWindows windows);

// How a disk names itself: its INQUIRY identification fields, blank-padded.
struct SimDiskIdentity {
    std::string vendor;    // 8
    std::string product;   // 16
    std::string revision;  // 4
};

class SimMachine {
public:
    SimMachine();
    ~SimMachine();
    SimMachine(const SimMachine&) = delete;
    SimMachine& operator=(const SimMachine&) = delete;

    // --- Configuration ------------------------------------------------------
    // The Windows the PC runs is its version record. A 9x platform
    // (VER_PLATFORM_WIN32_WINDOWS) refuses the extended version record, as
    // Windows 95, 98 and Me do, and has their registry: the dynamic-data
    // root with the Configuration Manager's device nodes, to which the
    // disks announced below add theirs. Set it before attaching devices.
    void SetVersion(const SimVersion& version);
    void SetWindows(SimWindows windows);
    SimVersion Version() const;
    bool RunsWindows9x() const;
    void SetLanguages(LANGID userDefault, LANGID systemDefault);
    LANGID UserLanguage() const;
    LANGID SystemLanguage() const;

    // Drive letters ('A' to 'Z'). MapFolder backs a drive with a host folder
    // (a SimFolderDrive, returned for further settings); a folder that does
    // not exist is a drive without a medium.
    void MapDrive(wchar_t letter, std::shared_ptr<SimDrive> drive);
    std::shared_ptr<class SimFolderDrive> MapFolder(wchar_t letter, UINT type, const std::filesystem::path& folder);
    void UnmapDrive(wchar_t letter);
    std::shared_ptr<SimDrive> Drive(wchar_t letter) const;
    DWORD DriveMask() const;

    // Names of the device namespace, given without "\\.\" ("E:",
    // "PhysicalDrive0"); compared without regard to case.
    void RegisterDevice(const std::wstring& name, std::shared_ptr<SimDevice> device);
    void UnregisterDevice(const std::wstring& name);

    // A disk shows at a drive letter: Windows 9x adds its device node to the
    // registry with the letter, the manufacturer and the product id, and
    // takes the node away when the disk goes (its hardware key stays, as
    // there). Windows 2000 and XP answer for a disk through its volume.
    void AnnounceDisk(wchar_t letter, const SimDiskIdentity& identity);
    void WithdrawDisk(wchar_t letter);

    // USB hubs, in the order of the hub interface list. Each opens in the
    // device namespace under its interface path.
    std::shared_ptr<SimUsbHub> AddUsbHub(unsigned ports);
    std::vector<std::shared_ptr<SimUsbHub>> UsbHubs() const;

    // Libraries provided in code, under their full Windows path
    // ("C:\WINDOWS\system32\WNASPI32.DLL"): one module that every process
    // shares, or a module made for each process that loads the library.
    using SimNativeLoader = std::function<std::shared_ptr<SimNativeModule>(SimHost& process)>;
    void RegisterNativeModule(const std::wstring& path, std::shared_ptr<SimNativeModule> module);
    void RegisterNativeModule(const std::wstring& path, SimNativeLoader loader);
    // The module `process` gets for the library at `path`; null when none
    // is provided there.
    std::shared_ptr<SimNativeModule> LoadNativeModule(const SimPath& path, SimHost& process) const;

    // --- Windows 95, 98 and Me: ASPI and the DOS block-device requests ------
    // A 9x platform has "\\.\vwin32" and the ASPI layer WNASPI32.DLL in the
    // system folder (installed ready, without adapters: the PC's devices and
    // the player add theirs). Both exist, unused, on any other platform.
    SimAspi& Aspi() { return aspi_; }
    SimVwin32& Vwin32() { return *vwin32_; }
    // The memory blocks the processes allocate with GlobalAlloc.
    SimLowMemory& LowMemory() { return lowMemory_; }

    // --- Services for the processes ------------------------------------------
    // Every CreateFile goes through here: drive paths to their drive, device
    // names to their device.
    DWORD Open(const SimPath& path, const SimOpenRequest& request, std::shared_ptr<SimFileObject>& file,
               bool& existed);
    SimRegistry& Registry() { return registry_; }
    SimObjects& Objects() { return objects_; }
    SimClock& Clock() { return clock_; }
    // The user's locale texts; the sound card (a mixer by default); the
    // message windows of every process.
    SimLocale& Locale() { return locale_; }
    SimMixer& Mixer() { return mixer_; }
    SimWindowTable& WindowTable() { return windowTable_; }
    void NotifyShell(const SimShellNotice& notice);
    // What the shell was told, in order.
    std::vector<SimShellNotice> ShellNotices() const;
    // The shell's file operations: what they were asked, in order, and how
    // they answer. The simulated shell shows no dialog and touches no file.
    void RecordFileOperation(const SimFileOperation& operation);
    std::vector<SimFileOperation> FileOperations() const;
    void SetFileOperationAnswer(const SimFileOperationAnswer& answer);
    SimFileOperationAnswer FileOperationAnswer() const;

private:
    mutable std::mutex mutex_;
    SimVersion version_;
    LANGID userLanguage_ = 0x0409;
    LANGID systemLanguage_ = 0x0409;
    std::map<wchar_t, std::shared_ptr<SimDrive>> drives_;
    std::map<std::wstring, std::shared_ptr<SimDevice>> devices_;               // by upper-case name
    std::map<std::wstring, SimNativeLoader> nativeModules_;  // by upper-case path
    std::vector<std::shared_ptr<SimUsbHub>> usbHubs_;
    std::map<wchar_t, std::wstring> diskNodes_;  // the 9x device node of each announced disk
    SimClock clock_;
    SimLowMemory lowMemory_;
    SimAspi aspi_;
    std::shared_ptr<SimVwin32> vwin32_;
    SimRegistry registry_;
    SimObjects objects_;
    SimLocale locale_;
    SimWindowTable windowTable_;
    SimMixer mixer_{windowTable_};
    std::vector<SimShellNotice> shellNotices_;
    std::vector<SimFileOperation> fileOperations_;
    SimFileOperationAnswer fileOperationAnswer_;
};
