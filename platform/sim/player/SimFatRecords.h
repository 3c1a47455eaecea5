// The byte-level records of a FAT volume: 32-byte directory entries, 8.3
// names and the long names spread over entries of their own.
#pragma once

#include <cstdint>
#include <string>

#include "platform/WinTypes.h"
#include "platform/sim/player/SimLittleEndian.h"

// Fields of a directory entry.
namespace SimFatField {
const int kName = 0;  // 11 bytes: base blank-padded to 8, extension to 3
const int kAttributes = 11;
const int kCase = 12;  // lower-case base (0x08) and extension (0x10), no long name needed
const int kCreated = 14;
const int kAccessed = 18;
const int kClusterHigh = 20;
const int kWritten = 22;
const int kClusterLow = 26;
const int kSize = 28;
}  // namespace SimFatField

const BYTE kSimFatEndOfDirectory = 0x00;
const BYTE kSimFatDeleted = 0xE5;
const BYTE kSimFatLongName = 0x0F;  // the attribute value of a long-name entry
const uint32_t kSimFatLongNameChars = 13;

// The 8.3 name of an entry as Windows shows it ("SETTINGS.DAT"), lower-cased
// where the entry's case bits say so.
std::wstring SimFatShortName(const BYTE* entry);
// The check byte that ties long-name entries to their 8.3 entry.
BYTE SimFatChecksum(const BYTE* name11);
// True when `name` can be kept as an 8.3 name alone; fills the 11 name bytes
// and the case bits.
bool SimFatFitsShortName(const std::wstring& name, BYTE* name11, BYTE& caseBits);
// The 8.3 alias of a long name with the number given ("LONGFI~1.TXT").
void SimFatAlias(const std::wstring& name, unsigned number, BYTE* name11);
// A name Windows accepts for a file: no reserved characters, at most 255
// characters, not only dots.
bool SimFatValidName(const std::wstring& name);
// Fills long-name entry `ordinal` (1 for the first 13 characters) of `name`.
void SimFatPutLongName(BYTE* entry, const std::wstring& name, uint32_t ordinal, bool last, BYTE checksum);
// Entries needed for the long name.
uint32_t SimFatLongNameSlots(const std::wstring& name);
// DOS date and time of a moment.
void SimFatPutStamp(BYTE* at, const SYSTEMTIME& stamp);  // time at `at`, date at `at` + 2

// Collects the long-name entries that precede an 8.3 entry, as they come in
// a directory, and gives the name when they are complete and belong to it.
class SimFatLongNameReader {
public:
    // Any entry that is no long-name entry ends the run: call Take or Reset.
    void Add(const BYTE* entry);
    void Reset() { expected_ = 0; }
    // The long name for this 8.3 entry, or empty; `slots` tells how many
    // entries it took.
    std::wstring Take(const BYTE* entry, uint32_t& slots);

private:
    uint32_t count_ = 0;
    uint32_t expected_ = 0;  // next ordinal wanted; 0: no run
    BYTE checksum_ = 0;
    std::wstring name_;
};
