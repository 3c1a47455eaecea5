#include "DataDriveImage.h"

#include <algorithm>
#include <fstream>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

const size_t kBlock = 1 << 20;

uint32_t Le32(const BYTE* at) { return at[0] | at[1] << 8 | at[2] << 16 | uint32_t(at[3]) << 24; }

}  // namespace

DataVolume FindDataVolume(const SimPlayerState& state, const SimLogicalDrive& data) {
    DataVolume whole{0, data.size};
    if (data.size < 512) return whole;
    BYTE sector[512];
    state.flash.Read(data.offset, sector, sizeof sector);
    const BYTE* first = sector + 0x1BE;
    const bool table = sector[510] == 0x55 && sector[511] == 0xAA && first[4] != 0;
    // A FAT boot sector also ends in 0x55 0xAA; its jump instruction tells it apart.
    const bool bootSector = sector[0] == 0xEB || sector[0] == 0xE9;
    if (!table || bootSector) return whole;
    DataVolume volume{uint64_t(Le32(first + 8)) * data.sectorSize, uint64_t(Le32(first + 12)) * data.sectorSize};
    if (volume.offset >= data.size) return whole;
    volume.size = std::min(volume.size, data.size - volume.offset);
    return volume;
}

std::string ExportDataDrive(const SimPlayerState& state, const fs::path& image) {
    const SimLogicalDrive* drive = state.DataDrive();
    if (!drive) return "the player has no data drive";
    std::ofstream out(image, std::ios::binary | std::ios::trunc);
    std::vector<BYTE> block(kBlock);
    for (uint64_t done = 0; done < drive->size && out; done += kBlock) {
        const size_t part = static_cast<size_t>(std::min<uint64_t>(kBlock, drive->size - done));
        state.flash.Read(drive->offset + done, block.data(), part);
        out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(part));
    }
    out.close();
    if (!out) return image.string() + ": cannot write the image";
    return "";
}

std::string ExportDataVolume(const SimPlayerState& state, const fs::path& image) {
    const SimLogicalDrive* drive = state.DataDrive();
    if (!drive) return "the player has no data drive";
    const DataVolume volume = FindDataVolume(state, *drive);
    const uint64_t begin = drive->offset + volume.offset;
    const uint64_t end = begin + volume.size;
    std::ofstream out(image, std::ios::binary | std::ios::trunc);
    const auto& chunks = state.flash.Chunks();
    for (auto chunk = chunks.lower_bound(begin / SimFlashStore::kChunkSize);
         chunk != chunks.end() && chunk->first * SimFlashStore::kChunkSize < end && out; ++chunk) {
        const uint64_t chunkStart = chunk->first * SimFlashStore::kChunkSize;
        const uint64_t from = std::max(begin, chunkStart);
        const uint64_t to = std::min(end, chunkStart + SimFlashStore::kChunkSize);
        out.seekp(static_cast<std::streamoff>(from - begin));
        out.write(reinterpret_cast<const char*>(chunk->second.data() + (from - chunkStart)),
                  static_cast<std::streamsize>(to - from));
    }
    out.close();
    std::error_code error;
    if (out) fs::resize_file(image, volume.size, error);
    if (!out || error) return image.string() + ": cannot write the image";
    return "";
}

std::string ImportDataDrive(SimPlayerState& state, const fs::path& image) {
    const SimLogicalDrive* drive = state.DataDrive();
    if (!drive) return "the player has no data drive";
    std::error_code error;
    const uint64_t size = fs::file_size(image, error);
    if (error) return image.string() + ": cannot read the image";
    if (size != drive->size)
        return image.string() + ": the image holds " + std::to_string(size) + " bytes, the data drive " +
               std::to_string(drive->size);
    std::ifstream in(image, std::ios::binary);
    std::vector<BYTE> block(kBlock);
    for (uint64_t done = 0; done < size; done += kBlock) {
        const size_t part = static_cast<size_t>(std::min<uint64_t>(kBlock, size - done));
        if (!in.read(reinterpret_cast<char*>(block.data()), static_cast<std::streamsize>(part)))
            return image.string() + ": cannot read the image";
        state.flash.Write(drive->offset + done, block.data(), part);
    }
    return "";
}
