// How the main window follows the player's comings and goings: which drive
// buttons a number of player drives enables, and whether a device
// notification calls for a new search.
#pragma once

#include <cstddef>

struct DriveButtons {
    bool drive1;
    bool drive2;
};

// No drive: both off; one: drive 1 only; two: both.
DriveButtons DriveButtonsFor(size_t driveCount);

// The device-event flag: -1 until the first notification, then 1 after a
// device arrived and 0 after one went; other events leave it. The drives
// are searched again after every notification while it is not 0.
class DeviceEvents {
public:
    enum Event { kArrival, kRemoveComplete, kOther };

    // Takes the event; true when the drives are to be searched again.
    bool Take(Event event);

private:
    int m_flag = -1;
};
