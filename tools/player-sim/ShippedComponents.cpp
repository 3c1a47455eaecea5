#include "ShippedComponents.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

struct Shipped {
    const char* fileName;
    uint8_t tag;
};

const Shipped kShipped[] = {
    {"bootmanager.sb", 0x50},
    {"usbmsc.sb", 0x01},
    {"vrxasys.sb", 0x00},
    {"resource.bin", 0x02},
};

const BYTE kMarker[] = {0x1A, 'V', 'R', 'X', 'A'};

// "Product Version: 1.2.3" anywhere in the line.
bool ScanVersion(const std::string& line, const char* label, SimVersionRecord& version) {
    size_t at = line.find(label);
    if (at == std::string::npos) return false;
    unsigned major = 0, minor = 0, revision = 0;
    if (std::sscanf(line.c_str() + at + std::string(label).size(), "%u.%u.%u", &major, &minor, &revision) != 3)
        return false;
    version = {static_cast<uint16_t>(major), static_cast<uint16_t>(minor), static_cast<uint16_t>(revision)};
    return true;
}

// Cuts one file into versions and image; false when the header has version
// lines but no marker.
bool ParseComponentFile(const std::vector<BYTE>& file, ShippedComponent& component) {
    auto marker = std::search(file.begin(), file.end(), std::begin(kMarker), std::end(kMarker));
    std::istringstream header(std::string(file.begin(), marker));
    bool versioned = false;
    for (std::string line; std::getline(header, line);) {
        versioned |= ScanVersion(line, "Product Version:", component.productVersion);
        versioned |= ScanVersion(line, "Component Version:", component.componentVersion);
    }
    if (!versioned) {
        component.image = file;
        return true;
    }
    if (marker == file.end()) return false;
    component.image.assign(marker + sizeof kMarker, file.end());
    return true;
}

}  // namespace

std::string ReadShippedComponents(const std::filesystem::path& folder, std::vector<ShippedComponent>& components) {
    components.clear();
    for (const Shipped& shipped : kShipped) {
        const std::filesystem::path path = folder / shipped.fileName;
        std::ifstream in(path, std::ios::binary);
        if (!in) return path.string() + ": the shipped component file is missing";
        std::vector<BYTE> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ShippedComponent component;
        component.fileName = shipped.fileName;
        component.tag = shipped.tag;
        if (!ParseComponentFile(file, component))
            return path.string() + ": version header without a 0x1A \"VRXA\" marker";
        components.push_back(std::move(component));
    }
    return "";
}
