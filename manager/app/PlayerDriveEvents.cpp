#include "manager/app/PlayerDriveEvents.h"

DriveButtons DriveButtonsFor(size_t driveCount) {
    return {driveCount >= 1, driveCount >= 2};
}

bool DeviceEvents::Take(Event event) {
    if (event == kArrival) m_flag = 1;
    if (event == kRemoveComplete) m_flag = 0;
    return m_flag != 0;
}
