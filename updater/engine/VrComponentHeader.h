// The optional text header of a firmware component file: lines such as
// "Product Version: 1.5.0" and "Component Version: 1.5.7", ended by the byte
// 0x1A and "VRXA" in front of the image. What the scan saw decides how the
// image is cut out of the file.
#pragma once

#include <cstdint>

class CVrComponentFile;
class CVrVersionInfo;

enum VrHeaderState : int32_t {
    kVrHeaderProductOnly = 0,
    kVrHeaderComponentOnly = 1,
    kVrHeaderBoth = 2,
    kVrHeaderNone = 3,  // no version line: the whole file is the image
};

// Reads the open file from its start as text, line by line, until both
// versions were seen, the text ends or a read fails; fills the versions of
// the lines it finds.
VrHeaderState VrScanComponentHeader(CVrComponentFile& file, CVrVersionInfo& product, CVrVersionInfo& component);

// "%u.%u.%u" after a version label: blanks may precede each number. A
// number above 65535 or with a sign cannot be a version part, so such a
// line counts as unreadable rather than being cut down to 16 bits.
bool VrParseVersion(const char* text, CVrVersionInfo& version);
