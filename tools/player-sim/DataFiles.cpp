#include "DataFiles.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/sim/SimClock.h"
#include "platform/sim/SimHostNames.h"
#include "platform/sim/player/SimFat.h"
#include "platform/sim/player/SimFlashPlayer.h"

namespace fs = std::filesystem;

namespace {

std::string Failure(const std::string& what, DWORD error) {
    return what + " (Windows error " + std::to_string(error) + ")";
}

std::string FormatAndCopy(SimFlashPlayer& player, const std::vector<fs::path>& files) {
    // FAT16 where the drive is within its range, else FAT32.
    DWORD error = SimFatFormat(player, SimFatKind::kFat16);
    if (error == ERROR_INVALID_PARAMETER) error = SimFatFormat(player, SimFatKind::kFat32);
    if (error != ERROR_SUCCESS) return Failure("the data drive cannot be formatted", error);
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::vector<BYTE> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) return file.string() + ": cannot read the file";
        // Every file gets the moment the simulated PC's clock starts at, so
        // the same folder always gives the same drive.
        error = SimFatWriteFile(player, SimPcName(file.filename()), bytes, SimClock::DefaultStart());
        if (error != ERROR_SUCCESS) return Failure(file.string() + ": cannot put the file on the data drive", error);
    }
    return "";
}

}  // namespace

std::string PutFilesOnDataDrive(SimPlayerState& state, const fs::path& folder) {
    if (!state.DataDrive()) return "--data-files needs a data drive: create the player with firmware";
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->is_directory())
            return it->path().string() + ": folders are not copied, only the files of " + folder.string();
        files.push_back(it->path());
    }
    if (error) return folder.string() + ": cannot list the folder";
    std::sort(files.begin(), files.end());

    SimFlashPlayer player(std::move(state));
    const std::string failure = FormatAndCopy(player, files);
    state = std::move(player.State());
    return failure;
}
