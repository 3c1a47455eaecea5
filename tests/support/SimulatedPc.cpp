#include "tests/support/SimulatedPc.h"

#include <gtest/gtest.h>

#include "platform/sim/player/SimAllocation.h"
#include "platform/sim/player/SimFat.h"
#include "platform/sim/player/SimWindowsPc.h"
#include "resources/caddis/CaddisResourceImage.h"

namespace fs = std::filesystem;

namespace {

const char* const kComponentFiles[] = {"bootmanager.sb", "usbmsc.sb", "vrxasys.sb", "resource.bin"};

}  // namespace

SimulatedPc::SimulatedPc(const std::vector<std::string>& libraries, SimWindows windows) {
    SimSetUpWindows(machine, windows);
    fs::create_directories(folder.Path() / "Caddis");
    for (const char* file : kComponentFiles) fs::copy_file(fs::path(VR_BIN_DIR) / file, folder.Path() / "Caddis" / file);
    for (const std::string& file : libraries) fs::copy_file(fs::path(VR_BIN_DIR) / file, folder.Path() / "Caddis" / file);
    machine.MapFolder(L'C', DRIVE_FIXED, folder.Path());
    if (!machine.RunsWindows9x()) SimAttachSystemDisk(machine, 0);
    host.SetProgramImage(kCaddisResourceImage, kCaddisResourceImage_size);

    std::string missing = ReadShippedComponents(VR_BIN_DIR, shipped);
    EXPECT_EQ("", missing);
}

SimulatedPc::~SimulatedPc() {
    if (player) player->Faults().ReleaseHung();
    if (port) port->Unplug();
}

std::shared_ptr<SimFlashPlayer> SimulatedPc::AttachPlayer(FirmwareChoice firmware, uint32_t flashMiB,
                                                              const std::vector<std::wstring>& dataFiles) {
    SimPlayerState state(uint64_t(flashMiB) << 20);
    EXPECT_EQ("", InstallFirmware(state, firmware, shipped));
    auto attached = AttachPlayer(std::move(state));
    if (!dataFiles.empty()) {
        EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), SimFatFormat(*attached, SimFatKind::kFat16));
        const SYSTEMTIME stamp = machine.Clock().NowAsSystemTime();
        for (const std::wstring& name : dataFiles) {
            std::vector<BYTE> bytes(100, 0x42);
            EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), SimFatWriteFile(*attached, name, bytes, stamp));
        }
    }
    return attached;
}

std::shared_ptr<SimFlashPlayer> SimulatedPc::AttachPlayerWithTooSmallLayout() {
    SimPlayerState state(uint64_t(16) << 20);
    EXPECT_EQ(0, SimAllocateDrives(state, {{SimLogicalDrive::kSystemType, 0x50, 64 << 10},
                                           {SimLogicalDrive::kDataType, 0x0A, 0},
                                           {SimLogicalDrive::kSystemType, 0x01, 256 << 10},
                                           {SimLogicalDrive::kSystemType, 0x00, 2 << 20},
                                           {SimLogicalDrive::kSystemType, 0x02, 1 << 20}}));
    return AttachPlayer(std::move(state));
}

std::shared_ptr<SimFlashPlayer> SimulatedPc::AttachPlayerInRecoveryMode() {
    SimPlayerState state(uint64_t(16) << 20);
    EXPECT_EQ("", InstallFirmware(state, FirmwareChoice::kOld, shipped));
    LoseMassStorageFirmware(state);
    return AttachPlayer(std::move(state));
}

std::shared_ptr<SimFlashPlayer> SimulatedPc::AttachPlayer(SimPlayerState state) {
    player = std::make_shared<SimFlashPlayer>(std::move(state));
    port = SimPlugPlayer(machine, player, place);
    volume = port->Volume();
    return player;
}

const SimLogicalDrive* SimulatedPc::SystemDrive(uint8_t tag) const {
    for (const SimLogicalDrive& drive : player->State().drives) {
        if (drive.type == SimLogicalDrive::kSystemType && drive.tag == tag) return &drive;
    }
    return nullptr;
}

std::vector<BYTE> SimulatedPc::DriveBytes(const SimLogicalDrive& drive) const {
    std::vector<BYTE> bytes(static_cast<size_t>(drive.size));
    player->State().ReadSectors(drive, 0, drive.SectorCount(), bytes.data());
    return bytes;
}

const ShippedComponent& SimulatedPc::Shipped(uint8_t tag) const {
    for (const ShippedComponent& component : shipped) {
        if (component.tag == tag) return component;
    }
    static const ShippedComponent none;
    ADD_FAILURE() << "no shipped component with tag " << int(tag);
    return none;
}
