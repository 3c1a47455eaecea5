#include "manager/views/DriveCapacityQuery.h"

bool QueryDriveCapacity(const ShellItemRef* item, DriveCapacity& capacity) {
    if (!item) return false;
    const std::wstring path = item->FileSystemPath();
    ULARGE_INTEGER available = {}, total = {}, free = {};
    const bool answered = !path.empty() && ::SHGetDiskFreeSpaceExW(path.c_str(), &available, &total, &free);
    capacity = CapacityFromBytes(answered, total.QuadPart, available.QuadPart);
    return true;
}
