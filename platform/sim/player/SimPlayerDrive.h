// The drive letter of the player's volume: its files, read and written
// through the FAT file system on the medium (SimFat), under the volume's
// rules (SimPlayerVolume: a locked volume refuses file access, a dismount
// kills the open files). A medium without a FAT file system answers
// ERROR_UNRECOGNIZED_VOLUME, as Windows does for an unformatted disk; a
// player that is gone while its letter is still mapped answers
// ERROR_NOT_READY (SimAttach takes the letter away when it pulls a player
// out, as Windows does for a removed USB disk).
#pragma once

#include <map>
#include <memory>
#include <mutex>

#include "platform/sim/SimClock.h"
#include "platform/sim/SimDrive.h"
#include "platform/sim/SimSharing.h"
#include "platform/sim/player/SimPlayerVolume.h"

class SimPlayerDrive final : public SimDrive {
public:
    // `clock` stamps the files written.
    SimPlayerDrive(std::shared_ptr<SimPlayerVolume> volume, UINT type, const SimClock& clock);

    const std::shared_ptr<SimPlayerVolume>& Volume() const { return volume_; }

    UINT Type() const override { return type_; }
    DWORD Open(const std::vector<std::wstring>& parts, const SimOpenRequest& request,
               std::shared_ptr<SimFileObject>& file, bool& existed) override;
    DWORD GetAttributes(const std::vector<std::wstring>& parts, DWORD& attributes) override;
    DWORD SetAttributes(const std::vector<std::wstring>& parts, DWORD attributes) override;
    DWORD Remove(const std::vector<std::wstring>& parts) override;

private:
    class File;
    // The share modes of the open files, by where their entries lie.
    struct Opens {
        std::mutex mutex;
        std::map<uint64_t, std::weak_ptr<SimShareState>> byEntry;
        std::shared_ptr<SimShareState> Of(const SimFatEntry& entry);
    };

    DWORD OpenEntry(SimFat& fat, const std::vector<std::wstring>& parts, const SimOpenRequest& request,
                    std::shared_ptr<SimShareState>& sharing, bool& existed);

    std::shared_ptr<SimPlayerVolume> volume_;
    UINT type_;
    const SimClock& clock_;
    std::shared_ptr<Opens> opens_;
};
