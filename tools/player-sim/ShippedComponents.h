// The firmware component files that ship beside the updater, read the way
// the updater reads them: an optional text header with "Product Version:"
// and "Component Version:" lines, the marker 0x1A "VRXA", then the image.
// A file without version lines is all image.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/sim/player/SimPlayerState.h"

struct ShippedComponent {
    std::string fileName;
    uint8_t tag = 0;  // the system drive that holds it
    SimVersionRecord productVersion;
    SimVersionRecord componentVersion;
    std::vector<BYTE> image;
};

// The four components, boot manager first: the order the updater lists them
// when it allocates the media. Returns an empty text, or what is missing.
std::string ReadShippedComponents(const std::filesystem::path& folder, std::vector<ShippedComponent>& components);
