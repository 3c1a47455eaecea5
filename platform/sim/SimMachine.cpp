#include "platform/sim/SimMachine.h"

#include "platform/sim/SimFolderDrive.h"

namespace {

wchar_t DriveLetter(wchar_t letter) { return SimUpper(std::wstring(1, letter))[0]; }

}  // namespace

SimMachine::SimMachine() : registry_(clock_), objects_(clock_) {}

SimMachine::~SimMachine() = default;

void SimMachine::SetVersion(const SimVersion& version) {
    std::lock_guard<std::mutex> lock(mutex_);
    version_ = version;
}

SimVersion SimMachine::Version() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return version_;
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

void SimMachine::RegisterNativeModule(const std::wstring& path, std::shared_ptr<SimNativeModule> module) {
    SimPath full;
    if (ParseSimPath(path, L"C:\\", full) != ERROR_SUCCESS) return;
    std::lock_guard<std::mutex> lock(mutex_);
    nativeModules_[SimUpper(full.Text())] = std::move(module);
}

std::shared_ptr<SimNativeModule> SimMachine::NativeModule(const SimPath& path) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = nativeModules_.find(SimUpper(path.Text()));
    return found == nativeModules_.end() ? nullptr : found->second;
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
