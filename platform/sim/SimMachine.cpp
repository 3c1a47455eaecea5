#include "platform/sim/SimMachine.h"

#include <cstdio>

#include "platform/sim/SimDevNodes9x.h"
#include "platform/sim/SimFolderDrive.h"

namespace {

wchar_t DriveLetter(wchar_t letter) { return SimUpper(std::wstring(1, letter))[0]; }

bool Is9x(const SimVersion& version) { return version.platformId == VER_PLATFORM_WIN32_WINDOWS; }

}  // namespace

SimVersion SimWindowsVersion(SimWindows windows) {
    SimVersion version;
    switch (windows) {
    case SimWindows::k95: version = {VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950, L" C", 0, 0}; break;
    case SimWindows::k98: version = {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222, L" A ", 0, 0}; break;
    case SimWindows::kMe: version = {VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3000, L" ", 0, 0}; break;
    case SimWindows::k2000: version = {VER_PLATFORM_WIN32_NT, 5, 0, 2195, L"Service Pack 4", 4, 0}; break;
    case SimWindows::kXp: break;
    }
    return version;
}

const wchar_t kAspiLibrary[] = L"C:\\WINDOWS\\system32\\WNASPI32.DLL";

SimMachine::SimMachine()
    : aspi_(lowMemory_), vwin32_(std::make_shared<SimVwin32>(lowMemory_, [this](wchar_t letter) {
          std::shared_ptr<SimDrive> drive = Drive(letter);
          return drive ? drive->Type() : static_cast<UINT>(DRIVE_NO_ROOT_DIR);
      })),
      registry_(clock_), objects_(clock_) {}

SimMachine::~SimMachine() = default;

void SimMachine::SetVersion(const SimVersion& version) {
    std::lock_guard<std::mutex> lock(mutex_);
    version_ = version;
    if (!Is9x(version)) return;
    SimAddSystemDevNodes9x(registry_);
    devices_[L"VWIN32"] = vwin32_;
    SimPath aspi;
    ParseSimPath(kAspiLibrary, L"C:\\", aspi);
    nativeModules_[SimUpper(aspi.Text())] = [this](SimHost& process) { return aspi_.Load(process); };
}

void SimMachine::SetWindows(SimWindows windows) { SetVersion(SimWindowsVersion(windows)); }

SimVersion SimMachine::Version() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return version_;
}

bool SimMachine::RunsWindows9x() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return Is9x(version_);
}

void SimMachine::SetLanguages(LANGID userDefault, LANGID systemDefault) {
    std::lock_guard<std::mutex> lock(mutex_);
    userLanguage_ = userDefault;
    systemLanguage_ = systemDefault;
}

LANGID SimMachine::UserLanguage() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return userLanguage_;
}

LANGID SimMachine::SystemLanguage() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return systemLanguage_;
}

void SimMachine::MapDrive(wchar_t letter, std::shared_ptr<SimDrive> drive) {
    std::lock_guard<std::mutex> lock(mutex_);
    drives_[DriveLetter(letter)] = std::move(drive);
}

std::shared_ptr<SimFolderDrive> SimMachine::MapFolder(wchar_t letter, UINT type, const std::filesystem::path& folder) {
    auto drive = std::make_shared<SimFolderDrive>(type, folder);
    MapDrive(letter, drive);
    return drive;
}

void SimMachine::UnmapDrive(wchar_t letter) {
    std::lock_guard<std::mutex> lock(mutex_);
    drives_.erase(DriveLetter(letter));
}

std::shared_ptr<SimDrive> SimMachine::Drive(wchar_t letter) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = drives_.find(DriveLetter(letter));
    return found == drives_.end() ? nullptr : found->second;
}

DWORD SimMachine::DriveMask() const {
    std::lock_guard<std::mutex> lock(mutex_);
    DWORD mask = 0;
    for (const auto& drive : drives_) {
        if (drive.first >= L'A' && drive.first <= L'Z') mask |= 1u << (drive.first - L'A');
    }
    return mask;
}

void SimMachine::RegisterDevice(const std::wstring& name, std::shared_ptr<SimDevice> device) {
    std::lock_guard<std::mutex> lock(mutex_);
    devices_[SimUpper(name)] = std::move(device);
}

void SimMachine::UnregisterDevice(const std::wstring& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    devices_.erase(SimUpper(name));
}

void SimMachine::AnnounceDisk(wchar_t letter, const SimDiskIdentity& identity) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!Is9x(version_)) return;
    letter = DriveLetter(letter);
    diskNodes_[letter] = SimAddDiskDevNode9x(registry_, letter, identity);
}

void SimMachine::WithdrawDisk(wchar_t letter) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = diskNodes_.find(DriveLetter(letter));
    if (found == diskNodes_.end()) return;
    SimRemoveDevNode9x(registry_, found->second);
    diskNodes_.erase(found);
}

std::shared_ptr<SimUsbHub> SimMachine::AddUsbHub(unsigned ports) {
    std::lock_guard<std::mutex> lock(mutex_);
    // Root hubs as Windows names their interfaces: an instance number of
    // the host controller's, then the hub class.
    wchar_t name[96];
    std::swprintf(name, 96, L"usb#root_hub#4&%x&0#{f18a0e88-c30c-11d0-8815-00a0c906bed8}",
                  0x2A3E5F10u + static_cast<unsigned>(usbHubs_.size()));
    auto hub = std::make_shared<SimUsbHub>(name, ports);
    usbHubs_.push_back(hub);
    devices_[SimUpper(name)] = hub;
    return hub;
}

std::vector<std::shared_ptr<SimUsbHub>> SimMachine::UsbHubs() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return usbHubs_;
}

void SimMachine::RegisterNativeModule(const std::wstring& path, std::shared_ptr<SimNativeModule> module) {
    RegisterNativeModule(path, [module](SimHost&) { return module; });
}

void SimMachine::RegisterNativeModule(const std::wstring& path, SimNativeLoader loader) {
    SimPath full;
    if (ParseSimPath(path, L"C:\\", full) != ERROR_SUCCESS) return;
    std::lock_guard<std::mutex> lock(mutex_);
    nativeModules_[SimUpper(full.Text())] = std::move(loader);
}

std::shared_ptr<SimNativeModule> SimMachine::LoadNativeModule(const SimPath& path, SimHost& process) const {
    SimNativeLoader loader;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = nativeModules_.find(SimUpper(path.Text()));
        if (found == nativeModules_.end()) return nullptr;
        loader = found->second;
    }
    return loader(process);
}

DWORD SimMachine::Open(const SimPath& path, const SimOpenRequest& request, std::shared_ptr<SimFileObject>& file,
                       bool& existed) {
    existed = false;
    if (path.isDevice) {
        std::shared_ptr<SimDevice> device;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            auto found = devices_.find(SimUpper(path.device));
            if (found != devices_.end()) device = found->second;
        }
        if (!device) return ERROR_FILE_NOT_FOUND;
        return device->Open(request, file);
    }
    std::shared_ptr<SimDrive> drive = Drive(path.drive);
    if (!drive) return ERROR_PATH_NOT_FOUND;
    return drive->Open(path.parts, request, file, existed);
}

void SimMachine::NotifyShell(const SimShellNotice& notice) {
    std::lock_guard<std::mutex> lock(mutex_);
    shellNotices_.push_back(notice);
}

std::vector<SimShellNotice> SimMachine::ShellNotices() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return shellNotices_;
}

void SimMachine::RecordFileOperation(const SimFileOperation& operation) {
    std::lock_guard<std::mutex> lock(mutex_);
    fileOperations_.push_back(operation);
}

std::vector<SimFileOperation> SimMachine::FileOperations() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return fileOperations_;
}

void SimMachine::SetFileOperationAnswer(const SimFileOperationAnswer& answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    fileOperationAnswer_ = answer;
}

SimFileOperationAnswer SimMachine::FileOperationAnswer() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return fileOperationAnswer_;
}
