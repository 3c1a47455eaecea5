// The device nodes of Windows 95, 98 and Me in the simulated registry. A
// device's hardware key "Enum\<enumerator>\<device>\<instance>" under
// HKEY_LOCAL_MACHINE keeps its values (drive letters, manufacturer, product
// id); while the device is present, its node "Config Manager\Enum\<node>"
// under HKEY_DYN_DATA names that key in its "HardWareKey" value.
#pragma once

#include <string>

#include "platform/sim/SimMachine.h"

// The PC's own devices: the system board and the keyboard, which have no
// drive letter, and the IDE hard disk at C:.
void SimAddSystemDevNodes9x(SimRegistry& registry);
// A disk at `letter`; returns its node's name.
std::wstring SimAddDiskDevNode9x(SimRegistry& registry, wchar_t letter, const SimDiskIdentity& identity);
// The node goes; the hardware key stays with its last values.
void SimRemoveDevNode9x(SimRegistry& registry, const std::wstring& node);
