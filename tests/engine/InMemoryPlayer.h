// A transport that answers the drive commands from memory, as a player with
// a few logical drives would: sector sizes, version records, erase, sector
// reads and writes. It keeps every command it ran, and can
// fail one command or change a byte on the way back.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "updater/device/VrScsiDevice.h"
#include "updater/base/VrVersionInfo.h"

class InMemoryPlayer : public CVrScsiDevice {
public:
    struct Drive {
        uint32_t sectorSize = 512;
        std::vector<uint8_t> bytes;
        CVrVersionInfo componentVersion;
        CVrVersionInfo productVersion;
    };
    // What the drive commands carried: operation code, request byte, drive
    // number, and for sector commands the first sector and the count.
    struct Command {
        uint8_t operation;
        uint8_t request;
        uint8_t drive;
        uint64_t firstSector;
        uint32_t count;
    };

    explicit InMemoryPlayer(CVrEngineContext& context) : CVrScsiDevice(context, "InMemoryPlayer") {}

    void AddDrive(uint8_t number, uint32_t sectorSize, uint64_t bytes);

    int32_t Open() override { return 0; }
    int32_t Lock(uint32_t) override { return 0; }
    int32_t LockForFormat(uint32_t) override { return 0; }
    int32_t Release(uint32_t) override { return 0; }
    int32_t Unlock(uint32_t) override { return 0; }
    int32_t Close() override { return 0; }
    int32_t Dismount() override { return 0; }
    int32_t GetDriveGeometry(VrDiskGeometry&) override { return 0; }
    int32_t FindDevice() override { return 0; }
    int32_t Execute(const CVrByteArray& block, uint32_t commandLength, bool isWrite, CVrByteArray& data) override;

    std::map<uint8_t, Drive> drives;
    std::vector<Command> commands;
    // The command (counted from 0) that ends in a check condition, if any.
    int64_t failingCommand = -1;
    // A byte offset of a drive whose sector reads come back with that byte
    // inverted.
    int64_t corruptReadOffset = -1;

private:
    int32_t Answer(const CVrByteArray& block, uint32_t commandLength, CVrByteArray& data, const Command& command);
};
