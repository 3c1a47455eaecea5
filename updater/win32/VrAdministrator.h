// Whether the user may act as an administrator: the local Administrators
// group must be granted access to a descriptor made for it alone.
#pragma once

bool VrIsAdministrator();
