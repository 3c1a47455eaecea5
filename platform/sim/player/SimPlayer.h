// The simulated player: a flash MP3 player in mass-storage mode, as the PC
// meets it over USB. It answers the standard SCSI commands and the vendor set
// (0xC0 reads, 0xC1 changes), keeps its flash divided into the logical drives
// of its own table, and reports failures as a check condition with sense data.
//
// This header is the player as the simulated PC's devices use it (the
// volume, the disk, the drive letter); the player's own state, its commands,
// its faults and its state file are declared in the headers beside it.
#pragma once

#include <cstdint>
#include <cstddef>
#include <vector>

#include "platform/WinTypes.h"

// What one SCSI command came back with.
struct SimScsiStatus {
    static constexpr BYTE kGood = 0x00;
    static constexpr BYTE kCheckCondition = 0x02;

    BYTE status = kGood;
    std::vector<BYTE> sense;  // 18 bytes of fixed-format sense data with a check condition
    DWORD dataIn = 0;         // bytes placed in the data-in buffer
};

class SimPlayer {
public:
    virtual ~SimPlayer() = default;

    // Runs one command. `dataOut` holds what the PC sends, `dataIn` takes
    // what the player answers (up to `dataInCapacity` bytes). Commands are
    // served one at a time; a slow player (latency fault) takes real time here.
    virtual SimScsiStatus Execute(const BYTE* cdb, size_t cdbLength, const BYTE* dataOut, size_t dataOutLength,
                                  BYTE* dataIn, size_t dataInCapacity) = 0;

    // False once the player has been pulled out (on request, or by a fault at
    // the Nth command): every access then fails with ERROR_DEVICE_NOT_CONNECTED.
    virtual bool Connected() const = 0;

    // The medium the PC sees as the SCSI unit's disk: the data drive, in its
    // sectors. Reads and writes return a Win32 error code.
    virtual uint32_t MediumSectorSize() const = 0;
    virtual uint64_t MediumSectorCount() const = 0;
    virtual DWORD ReadMedium(uint64_t firstSector, uint32_t count, BYTE* buffer) = 0;
    virtual DWORD WriteMedium(uint64_t firstSector, uint32_t count, const BYTE* buffer) = 0;
};
