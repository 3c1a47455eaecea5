// Builds a fresh FAT file system on the player's data drive over the
// transport that reaches it: reads the capacity, computes the whole layout (CVrDisk),
// prepares the drive for raw writing as the running Windows family needs,
// then writes the system area in runs of 64 KiB, reading every run back.
#pragma once

#include <cstdint>

#include "updater/device/VrOsClass.h"
#include "updater/base/VrBase.h"
#include "updater/base/VrByteArray.h"
#include "updater/format/VrDisk.h"

class CVrEngineContext;
class CVrScsiDevice;

class CVrFormatter : public CVrBase {
public:
    // `forceFat16` gives the data drive FAT16 whatever its size (the "fat16"
    // command-line option).
    CVrFormatter(CVrEngineContext& context, CVrScsiDevice& transport, bool forceFat16);

    // `tableUnreadable` goes to LockForFormat and Release as their physical
    // argument, and while it is set their failures are ignored. The label
    // bytes (may be null) begin the root directory.
    [[nodiscard]] int32_t Format(bool tableUnreadable, const uint8_t* label, uint32_t labelLength);
    // Whether a data drive of `sectorCount` sectors of `sectorSize` bytes
    // can be formatted, asked before anything is written: 0, or the code the
    // layout refuses it with, recorded with the size as its detail.
    [[nodiscard]] int32_t CheckMedium(uint64_t sectorCount, uint32_t sectorSize);

private:
    int32_t ReadCapacity(uint32_t& lastBlock);
    int32_t Refuse(int32_t result, uint64_t sectorCount, uint32_t sectorSize);
    int32_t PrepareDrive(VrOsClass family, const CVrDisk& disk, bool tableUnreadable);
    int32_t WriteBootArea(const CVrDisk& disk);
    // The tail beyond the CHS-covered area, addressed on the whole disk.
    int32_t WriteTail(const CVrDisk& disk);
    int32_t ReopenVolume();

    // The sector writers (VrFormatterRuns.cpp); each advances m_sector.
    int32_t WriteImage(int32_t stage, const CVrDisk::SectorImage& image);
    int32_t WriteZeroSectors(uint32_t count);
    int32_t WriteFats(const CVrDisk& disk);
    int32_t WriteRootArea(uint32_t count, const uint8_t* label, uint32_t labelLength);
    // Writes m_written at m_sector and reads it back: -57 on a difference.
    int32_t WriteAndVerify();
    // `count` sectors in 64 KiB runs under `stage`; `begin` puts the first
    // run's content into the zeroed write buffer.
    template <typename FirstRun>
    int32_t WriteRuns(int32_t stage, uint32_t component, uint32_t count, FirstRun begin);
    // The write buffer, zeroed and sized for `sectors` sectors.
    int32_t PrepareRun(uint32_t sectors);

    CVrEngineContext& m_context;
    CVrScsiDevice& m_transport;
    const bool m_forceFat16;
    uint32_t m_sectorSize = 0;
    uint32_t m_sector = 0;
    // One buffer for what is written and one for what comes back, reused
    // by every run; `m_writtenDirty` says whether a run left content in it.
    CVrByteArray m_written{0, "CVrFormatterWrite"};
    CVrByteArray m_readBack{0, "CVrFormatterRead"};
    bool m_writtenDirty = false;
};
