// The result codes of the updater: 0 is success, failures are negative. Every
// operation returns one and stores it as its object's last result. Codes 0 to
// -59 have a message in the language library (string id below); -60 to -64 are
// composed specially by the error report.
#pragma once

#include <cstdint>

enum VrResult : int32_t {
    kVrOk = 0,
    kVrNoMemory = -1,               // storage or an object cannot be obtained
    kVrIndexOutOfRange = -2,        // array index not below the count
    kVrFieldOutOfRange = -3,        // byte-array field does not lie inside the array
    kVrComponentNotPresent = -4,    // component record not present
    kVrUnused5 = -5,
    kVrUnused6 = -6,
    kVrUnused7 = -7,
    kVrUnexpectedInfoType = -8,     // a reply parsed as the wrong information type
    kVrIndexBeyondTable = -9,       // component or drive index beyond its table
    kVrDataTooLong = -10,           // data larger than the command's transfer space
    kVrFileOpenFailed = -11,        // a file cannot be opened (log, component file)
    kVrBadComponentFile = -12,      // a component file's contents are not usable
    kVrRecoveryWriteFailed = -13,   // a recovery write failed or was short
    kVrNoRecoveryDevice = -14,      // no recovery-mode device object could be opened
    kVrNoEvent = -15,               // an event could not be created
    kVrRecoveryWriteTimedOut = -16, // a recovery write did not complete and was cancelled
    kVrDiscoveryFailed = -17,
    kVrNoCandidateDrive = -18,      // no drive letter to search
    kVrAspiMissing = -19,           // the ASPI library is missing
    kVrAspiEntryMissing = -20,      // an ASPI entry point is missing
    kVrAspiNotReady = -21,          // ASPI not ready or not loaded
    kVrNoPlayer = -22,              // no player found
    kVrCheckCondition = -23,        // a device command ended with sense data
    kVrDeviceOpenFailed = -24,      // the device could not be opened
    kVrControlFailed = -25,         // a device control call failed
    kVrNoDeviceObject = -26,        // the engine has no device object yet
    kVrNoTransport = -27,           // no SCSI transport for this operating system
    kVrStringNotLoaded = -28,       // a string cannot be loaded, or no resource provider
    kVrUnused29 = -29,
    kVrUnused30 = -30,
    kVrLockFailed = -31,
    kVrUnlockFailed = -32,
    kVrNoGeometry = -33,            // no disk geometry fits the medium
    kVrChsNotFound = -34,           // a partition bound has no CHS address in the geometry
    kVrBeyondFat = -35,             // the data area is beyond every FAT layout (size or sector size)
    kVrReadFailed = -36,
    kVrWriteFailed = -37,
    kVrFat16CannotHold = -38,       // FAT16, which the "fat16" option asks for, cannot hold the data area
    kVrUnknownFatType = -39,
    kVrDismountFailed = -40,
    kVrIconNotLoaded = -41,
    kVrBadCommandLine = -42,
    kVrTableUnreadable = -43,       // player opened, logical drive table unreadable
    kVrUnused44 = -44,
    kVrUnused45 = -45,
    kVrUnused46 = -46,
    kVrUnused47 = -47,
    kVrUnused48 = -48,
    kVrUnused49 = -49,
    kVrUnused50 = -50,              // not raised; reported with its own composition
    kVrLockNotCreated = -51,        // the single-instance lock cannot be created
    kVrOtherCopyHidden = -52,       // another copy runs and its window cannot be found
    kVrNoPlayerAtStart = -53,       // no player when a download starts (a warning)
    kVrNoPlayerForDetails = -54,    // no player when the details are opened (a warning)
    kVrDriveMapFailed = -55,
    kVrNotInt13Disk = -56,
    kVrVerifyMismatch = -57,        // data read back after writing differs
    kVrNotAdministrator = -58,
    kVrSettingsNotDeleted = -59,    // the settings file on the player cannot be deleted
    kVrNoMessage = -60,             // code outside the message table
    kVrLibraryNotLoaded = -61,      // the language library cannot be loaded
    kVrAlreadyRunning = -62,        // another copy is already running
    kVrUnknownDeviceStatus = -63,   // a device status code has no message
    kVrSystemErrorReport = -64,     // not raised; composed from string 630 and the system text
};

// The language library's message for each code 0 to -59.
struct VrResultMessage {
    int32_t code;
    uint16_t stringId;
};

inline constexpr VrResultMessage kVrResultMessages[] = {
    {0, 108},    {-1, 109},   {-2, 110},   {-3, 111},   {-4, 112},   {-5, 113},
    {-6, 114},   {-7, 115},   {-8, 116},   {-9, 117},   {-10, 118},  {-11, 119},
    {-12, 120},  {-13, 121},  {-14, 122},  {-15, 123},  {-16, 124},  {-17, 125},
    {-18, 126},  {-19, 127},  {-20, 128},  {-21, 129},  {-22, 130},  {-23, 131},
    {-24, 132},  {-25, 133},  {-26, 134},  {-27, 135},  {-28, 136},  {-29, 137},
    {-30, 170},  {-31, 150},  {-32, 149},  {-33, 174},  {-34, 175},  {-35, 176},
    {-36, 178},  {-37, 179},  {-38, 177},  {-39, 180},  {-40, 195},  {-41, 100},
    {-42, 197},  {-43, 210},  {-44, 211},  {-45, 212},  {-46, 213},  {-47, 214},
    {-48, 215},  {-49, 216},  {-50, 217},  {-51, 219},  {-52, 220},  {-53, 221},
    {-54, 222},  {-55, 622},  {-56, 623},  {-57, 624},  {-58, 629},  {-59, 634},
};
