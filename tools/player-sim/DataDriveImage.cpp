#include "DataDriveImage.h"

#include <algorithm>
#include <fstream>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

const size_t kBlock = 1 << 20;

}  // namespace

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
