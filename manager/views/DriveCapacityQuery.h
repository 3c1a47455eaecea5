// The capacity of the drive that holds a shell item's folder, as the shell
// reports it (free space is what the user may use).
#pragma once

#include "manager/app/DriveCapacity.h"
#include "manager/views/ShellItemRef.h"

// False for a null record; a query that fails gives 0 KB and 0 KB.
bool QueryDriveCapacity(const ShellItemRef* item, DriveCapacity& capacity);
