#include "tests/player-nt/MemoryPlayer.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace {

SimScsiStatus CheckCondition(BYTE key, BYTE code) {
    SimScsiStatus status;
    status.status = SimScsiStatus::kCheckCondition;
    status.sense.assign(18, 0);
    status.sense[0] = 0x70;
    status.sense[2] = key;
    status.sense[7] = 10;
    status.sense[12] = code;
    return status;
}

uint32_t BigEndian(const BYTE* at, int width) {
    uint32_t value = 0;
    for (int i = 0; i < width; ++i) value = value << 8 | at[i];
    return value;
}

}  // namespace

SimScsiStatus MemoryPlayer::Execute(const BYTE* cdb, size_t cdbLength, const BYTE* dataOut, size_t dataOutLength,
                                    BYTE* dataIn, size_t dataInCapacity) {
    ++commands_;
    SimScsiStatus status;
    if (cdb[0] == 0x12 && cdbLength == 6) {
        static const char kIdentity[] = "Lumo    MP3 Audio Player1.00";
        BYTE answer[36] = {0x00, 0x80, 0x02, 0x02, 31};
        std::memcpy(answer + 8, kIdentity, sizeof kIdentity - 1);
        status.dataIn = static_cast<DWORD>(std::min<size_t>({sizeof answer, dataInCapacity, cdb[4]}));
        if (status.dataIn) std::memcpy(dataIn, answer, status.dataIn);
        return status;
    }
    if ((cdb[0] == 0x28 || cdb[0] == 0x2A) && cdbLength == 10) {
        uint32_t first = BigEndian(cdb + 2, 4), count = BigEndian(cdb + 7, 2);
        size_t length = size_t(count) * sectorSize_;
        if (first + uint64_t(count) > sectors_) return CheckCondition(0x05, 0x21);
        bool write = cdb[0] == 0x2A;
        if ((write ? dataOutLength : dataInCapacity) < length) return CheckCondition(0x05, 0x24);
        DWORD error = write ? WriteMedium(first, count, dataOut) : ReadMedium(first, count, dataIn);
        if (error != ERROR_SUCCESS) return CheckCondition(0x03, 0x11);
        status.dataIn = write ? 0 : static_cast<DWORD>(length);
        return status;
    }
    return CheckCondition(0x05, 0x20);  // invalid operation code
}

DWORD MemoryPlayer::ReadMedium(uint64_t firstSector, uint32_t count, BYTE* buffer) {
    if (!connected_) return ERROR_DEVICE_NOT_CONNECTED;
    if (firstSector + count > sectors_) return ERROR_INVALID_PARAMETER;
    std::lock_guard<std::mutex> lock(mutex_);
    for (uint32_t i = 0; i < count; ++i) {
        auto found = written_.find(firstSector + i);
        BYTE* to = buffer + size_t(i) * sectorSize_;
        if (found == written_.end()) {
            std::memset(to, 0, sectorSize_);
        } else {
            std::memcpy(to, found->second.data(), sectorSize_);
        }
    }
    return ERROR_SUCCESS;
}

DWORD MemoryPlayer::WriteMedium(uint64_t firstSector, uint32_t count, const BYTE* buffer) {
    if (!connected_) return ERROR_DEVICE_NOT_CONNECTED;
    if (firstSector + count > sectors_) return ERROR_INVALID_PARAMETER;
    std::lock_guard<std::mutex> lock(mutex_);
    for (uint32_t i = 0; i < count; ++i) {
        const BYTE* from = buffer + size_t(i) * sectorSize_;
        written_[firstSector + i].assign(from, from + sectorSize_);
    }
    return ERROR_SUCCESS;
}

std::vector<BYTE> MemoryPlayer::Sector(uint64_t sector) {
    std::vector<BYTE> bytes(sectorSize_);
    ReadMedium(sector, 1, bytes.data());
    return bytes;
}

void MemoryPlayer::SaveImage(const std::filesystem::path& file, uint64_t firstSector, uint64_t count) {
    std::ofstream out(file, std::ios::binary);
    for (uint64_t i = 0; i < count; ++i) {
        std::vector<BYTE> bytes = Sector(firstSector + i);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
}

void MemoryPlayer::LoadImage(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<BYTE> bytes(sectorSize_);
    for (uint64_t sector = 0; sector < sectors_; ++sector) {
        if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) break;
        // Zero sectors need no room: they read as zeros anyway.
        if (std::any_of(bytes.begin(), bytes.end(), [](BYTE b) { return b != 0; })) WriteMedium(sector, 1, bytes.data());
    }
}
