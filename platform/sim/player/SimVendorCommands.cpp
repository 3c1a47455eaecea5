// The vendor set: 0xC0 reads, 0xC1 changes, byte 1 names the operation.
#include "platform/sim/player/SimVendorCommands.h"

namespace {

const BYTE kVendorRead = 0xC0;

// 0xC0
const BYTE kGetMediaInfo = 0x02;
const BYTE kGetTable = 0x05;
const BYTE kGetDriveInfo = 0x12;
const BYTE kReadDriveSectors = 0x13;
const BYTE kGetChipRevision = 0x30;
// 0xC1
const BYTE kAllocate = 0x06;
const BYTE kEraseMedia = 0x07;
const BYTE kSetDriveInfo = 0x20;
const BYTE kWriteDriveSectors = 0x23;
const BYTE kEraseDrive = 0x2F;

const BYTE kMediaSize = 1;
const BYTE kMediaIsPlayer = 9;
const BYTE kDriveSectorSize = 0;
const BYTE kComponentVersion = 7;
const BYTE kProductVersion = 8;
const BYTE kLastDriveInfo = 11;
const size_t kVersionInfoLength = 48;

// Reply length of a media information type; 0 for the types the player does
// not have. Type 8 has no fixed length: the PC's buffer decides.
size_t MediaInfoLength(BYTE type, const SimCommand& command) {
    switch (type) {
    case 0:
    case 7:
        return 2;
    case 1:
        return 8;
    case 5:
    case 9:
        return 1;
    case 6:
        return 4;
    case 8:
        return command.dataInCapacity;
    default:
        return 0;
    }
}

size_t DriveInfoLength(BYTE type, const SimCommand& command) {
    static const size_t kLengths[kLastDriveInfo] = {4, 4, 8, 4, 8, 4, 1, kVersionInfoLength, kVersionInfoLength, 1, 2};
    return type < kLastDriveInfo ? kLengths[type] : command.dataInCapacity;
}

SimScsiStatus GetMediaInfo(const SimPlayerState& state, const SimCommand& command) {
    const BYTE type = command.cdb[2];
    if (type == kMediaIsPlayer) {
        const BYTE player = 1;
        return SimAnswer(command, &player, 1);
    }
    // All the flash the player divides into drives, in bytes.
    if (type == kMediaSize) {
        BYTE size[8];
        SimPutBigEndian(size, state.flash.Size(), 8);
        return SimAnswer(command, size, sizeof size);
    }
    const size_t length = MediaInfoLength(type, command);
    if (length == 0) return SimRefuseWithStatus(SimStatus::kInvalidInfoType);
    return SimAnswer(command, nullptr, length);
}

SimScsiStatus GetDriveInfo(SimPlayerState& state, const SimCommand& command) {
    const SimLogicalDrive* drive = state.FindDrive(command.cdb[2]);
    if (!drive) return SimRefuseWithStatus(SimStatus::kInvalidDriveNumber);
    const BYTE type = command.cdb[3];
    if (type > kLastDriveInfo) return SimRefuseWithStatus(SimStatus::kInvalidInfoType);
    BYTE reply[kVersionInfoLength] = {};
    if (type == kDriveSectorSize) SimPutBigEndian(reply, drive->sectorSize, 4);
    if (type == kComponentVersion || type == kProductVersion) {
        const SimVersionRecord& version = type == kComponentVersion ? drive->componentVersion : drive->productVersion;
        SimPutBigEndian(reply, version.major, 2);
        SimPutBigEndian(reply + 2, version.minor, 2);
        SimPutBigEndian(reply + 4, version.revision, 2);
    }
    const size_t length = DriveInfoLength(type, command);
    // Type 11 takes the PC's length, which may exceed the record.
    return length <= sizeof reply ? SimAnswer(command, reply, length) : SimAnswer(command, nullptr, length);
}

SimScsiStatus SetDriveInfo(SimPlayerState& state, const SimCommand& command) {
    SimLogicalDrive* drive = state.FindDrive(command.cdb[2]);
    if (!drive) return SimRefuseWithStatus(SimStatus::kInvalidDriveNumber);
    const BYTE type = command.cdb[3];
    if (type > kLastDriveInfo) return SimRefuseWithStatus(SimStatus::kInvalidInfoType);
    if (type != kComponentVersion && type != kProductVersion) return SimRefuseWithStatus(SimStatus::kInfoNotWritable);
    SimVersionRecord& version = type == kComponentVersion ? drive->componentVersion : drive->productVersion;
    version.major = static_cast<uint16_t>(SimGetBigEndian(command.cdb + 4, 2));
    version.minor = static_cast<uint16_t>(SimGetBigEndian(command.cdb + 6, 2));
    version.revision = static_cast<uint16_t>(SimGetBigEndian(command.cdb + 8, 2));
    return SimGood();
}

SimScsiStatus EraseDrive(SimPlayerState& state, const SimCommand& command) {
    SimLogicalDrive* drive = state.FindDrive(command.cdb[2]);
    if (!drive) return SimRefuseWithStatus(SimStatus::kInvalidDriveNumber);
    state.EraseDrive(*drive);
    return SimGood();
}

SimScsiStatus GetChipRevision(const SimPlayerState& state, const SimCommand& command) {
    BYTE reply[2];
    SimPutBigEndian(reply, state.chipRevision, 2);
    return SimAnswer(command, reply, sizeof reply);
}

SimScsiStatus Read(SimPlayerState& state, const SimCommand& command) {
    switch (command.cdb[1]) {
    case kGetMediaInfo:
        return GetMediaInfo(state, command);
    case kGetTable:
        return SimGetLogicalTable(state, command);
    case kGetDriveInfo:
        return GetDriveInfo(state, command);
    case kReadDriveSectors:
        return SimReadDriveSectors(state, command);
    case kGetChipRevision:
        return GetChipRevision(state, command);
    default:
        return SimRefuseWithStatus(SimStatus::kUnknownCommand);
    }
}

SimScsiStatus Change(SimPlayerState& state, const SimCommand& command) {
    switch (command.cdb[1]) {
    case kAllocate:
        return SimAllocateLogicalMedia(state, command);
    case kEraseMedia:
        return SimEraseLogicalMedia(state);
    case kSetDriveInfo:
        return SetDriveInfo(state, command);
    case kWriteDriveSectors:
        return SimWriteDriveSectors(state, command);
    case kEraseDrive:
        return EraseDrive(state, command);
    default:
        return SimRefuseWithStatus(SimStatus::kUnknownCommand);
    }
}

}  // namespace

SimScsiStatus SimServeVendorCommand(SimPlayerState& state, const SimCommand& command) {
    return command.cdb[0] == kVendorRead ? Read(state, command) : Change(state, command);
}
