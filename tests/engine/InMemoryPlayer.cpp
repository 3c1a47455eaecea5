#include "tests/engine/InMemoryPlayer.h"

#include <algorithm>
#include <cstring>

#include "updater/base/VrResult.h"

namespace {

const uint8_t kRead = 0xC0;
const uint8_t kChange = 0xC1;

}  // namespace

void InMemoryPlayer::AddDrive(uint8_t number, uint32_t sectorSize, uint64_t bytes) {
    Drive& drive = drives[number];
    drive.sectorSize = sectorSize;
    drive.bytes.assign(bytes, 0x00);
}

int32_t InMemoryPlayer::Execute(const CVrByteArray& block, uint32_t commandLength, bool, CVrByteArray& data) {
    Command command = {};
    block.GetBytes(&command.operation, 1, 0);
    block.GetBytes(&command.request, 1, 1);
    block.GetBytes(&command.drive, 1, 2);
    if ((command.operation == kRead && command.request == 0x13) ||
        (command.operation == kChange && command.request == 0x23)) {
        block.GetQword(command.firstSector, 3);
        block.GetDword(command.count, 11);
    }
    commands.push_back(command);
    if (static_cast<int64_t>(commands.size()) - 1 == failingCommand) return kVrCheckCondition;
    return Answer(block, commandLength, data, command);
}

int32_t InMemoryPlayer::Answer(const CVrByteArray& block, uint32_t commandLength, CVrByteArray& data,
                               const Command& command) {
    auto found = drives.find(command.drive);
    if (found == drives.end()) return kVrCheckCondition;
    Drive& drive = found->second;
    const uint64_t offset = command.firstSector * drive.sectorSize;
    const uint64_t length = static_cast<uint64_t>(command.count) * drive.sectorSize;
    uint8_t infoType = 0;
    block.GetBytes(&infoType, 1, 3);

    if (command.operation == kRead && command.request == 0x12) {
        if (infoType == 0) return data.SetDword(drive.sectorSize, 0);
        const CVrVersionInfo& version = infoType == 7 ? drive.componentVersion : drive.productVersion;
        data.SetWord(version.GetMajor(), 0);
        data.SetWord(version.GetMinor(), 2);
        return data.SetWord(version.GetRevision(), 4);
    }
    if (command.operation == kChange && command.request == 0x20) {
        uint16_t major = 0, minor = 0, revision = 0;
        block.GetWord(major, 4);
        block.GetWord(minor, 6);
        block.GetWord(revision, 8);
        (infoType == 7 ? drive.componentVersion : drive.productVersion).Set(major, minor, revision);
        return kVrOk;
    }
    if (command.operation == kChange && command.request == 0x2F) {
        std::fill(drive.bytes.begin(), drive.bytes.end(), 0xFF);
        return kVrOk;
    }
    if (offset + length > drive.bytes.size()) return kVrCheckCondition;
    if (command.operation == kChange && command.request == 0x23) {
        if (block.GetCount() - commandLength != length) return kVrCheckCondition;
        block.GetBytes(drive.bytes.data() + offset, static_cast<uint32_t>(length), commandLength);
        return kVrOk;
    }
    if (command.operation == kRead && command.request == 0x13) {
        if (data.GetCount() != length) return kVrCheckCondition;
        data.SetBytes(drive.bytes.data() + offset, static_cast<uint32_t>(length), 0);
        if (corruptReadOffset >= static_cast<int64_t>(offset) &&
            corruptReadOffset < static_cast<int64_t>(offset + length)) {
            uint8_t* byte = data.GetPtr(static_cast<uint32_t>(corruptReadOffset - offset));
            *byte = static_cast<uint8_t>(~*byte);
        }
        return kVrOk;
    }
    return kVrCheckCondition;
}
