// The stages the engine reports through CVrProgress, and the language-library
// string that names each one beside the progress bar.
#pragma once

#include <cstdint>

enum VrStage : int32_t {
    kVrStageRecoveryTransfer = 1,
    kVrStageOpen = 2,
    kVrStageLock = 3,
    kVrStageRebuildMedia = 4,
    kVrStageVerify = 5,
    kVrStageEraseComponent = 6,    // plus the component index
    kVrStageWriteComponent = 17,   // plus the component index
    kVrStageEraseDataDrive = 28,
    kVrStageFormatDataDrive = 29,
    kVrStageWriteMbr = 30,
    kVrStageWriteZeroSectors = 31,
    kVrStageWriteBootSector = 32,
    kVrStageWriteFat = 33,         // plus the FAT copy number
    kVrStageWriteRootArea = 44,
    kVrStageUnlock = 45,
    kVrStageClose = 46,
    kVrStageFailed = 48,
    kVrStageCompleted = 49,
    // Final too: the user declined the reformat the download needed, so
    // nothing was written to the player.
    kVrStageNothingWritten = 50,
};

struct VrStageText {
    // 0 when the stage shows an empty text.
    uint16_t stringId;
    // Non-zero when the string is a format whose one argument is the display
    // name of this component.
    uint8_t componentIndex;
};

VrStageText VrLookupStage(int32_t stage);
