#include "manager/app/DriveCapacity.h"

#include "manager/app/KbText.h"

DriveCapacity CapacityFromBytes(bool answered, uint64_t totalBytes, uint64_t freeBytesForCaller) {
    DriveCapacity capacity;
    if (!answered) return capacity;
    capacity.totalKb = BytesToKb(totalBytes);
    capacity.freeKb = BytesToKb(freeBytesForCaller);
    return capacity;
}

std::array<std::wstring, 3> CapacityTexts(const DriveCapacity* drive) {
    if (!drive) return {FormatKb(0), FormatKb(0), FormatKb(0)};
    return {FormatKb(drive->totalKb), FormatKb(drive->freeKb), FormatKb(drive->UsedKb())};
}
