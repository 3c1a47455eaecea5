// How the sense data of a check condition appears in a failure's details:
// the player's own status message when it reports one the language library
// knows, the raw bytes otherwise.
#pragma once

#include <string>

class CVrByteArray;
class CVrResource;

// Empty without sense bytes. Sense byte 2 == 9 marks a player status whose
// code is the big-endian 16-bit value at bytes 12 and 13: its message, or,
// when there is none (or no provider), a line break and the bytes as
// "0x%x, 0x%x, ...". Any other sense: the bytes alone.
std::wstring VrSenseText(const CVrByteArray* sense, CVrResource* resource);
