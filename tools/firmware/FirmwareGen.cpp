// Writes the four firmware component files that ship beside Caddis into the
// folder given on the command line. The bytes are the same on every run and
// every machine: a fixed pseudo-random generator per component, no time
// stamps.
//
// What ships (product version 1.5.0 in all four files):
//
//   file            component               component version  image bytes
//   bootmanager.sb  Boot Manager            1.5.2                  41,332
//   usbmsc.sb       USB Mass Storage        1.5.7                 122,876
//   vrxasys.sb      Player                  1.5.12              1,572,212
//   resource.bin    Resource Manager        1.5.3               3,145,500
//
// Tools that make an "old" player for the updater to bring up to date stamp
// its drives with product version 1.4.0 and component versions 1.4.x, one
// minor number lower than these.
//
// File layout: text lines ended by a line feed (two comment lines, then
// "Product Version: x.y.z" and "Component Version: x.y.z"), the byte 0x1A and
// "VRXA", then the image. The image sizes are no multiple of any sector size,
// so the last sector of each drive is partly erased flash. The last four
// bytes of each image are the CRC-32 (the common reflected polynomial
// 0xEDB88320, little-endian) of the bytes before them, so whoever holds a
// drive's contents can tell an intact image from a damaged one.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Version {
    unsigned major;
    unsigned minor;
    unsigned revision;
};

struct Component {
    const char* fileName;
    const char* displayName;
    Version version;
    uint32_t imageBytes;
    uint64_t seed;
};

const Version kProductVersion = {1, 5, 0};

const Component kComponents[] = {
    {"bootmanager.sb", "Boot Manager", {1, 5, 2}, 41332, 0x626F6F746D677231ull},
    {"usbmsc.sb", "USB Mass Storage", {1, 5, 7}, 122876, 0x7573626D73633031ull},
    {"vrxasys.sb", "Player", {1, 5, 12}, 1572212, 0x7672786173797331ull},
    {"resource.bin", "Resource Manager", {1, 5, 3}, 3145500, 0x7265736F75726331ull},
};

// SplitMix64: small, fast, and the same sequence everywhere.
class Generator {
public:
    explicit Generator(uint64_t seed) : m_state(seed) {}
    uint64_t Next() {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

private:
    uint64_t m_state;
};

uint32_t Crc32(const std::vector<uint8_t>& bytes, size_t count) {
    uint32_t table[256];
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < count; ++i) crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::string VersionText(const Version& version) {
    return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.revision);
}

std::vector<uint8_t> MakeImage(const Component& component) {
    std::vector<uint8_t> image(component.imageBytes);
    Generator generator(component.seed);
    const size_t payload = image.size() - 4;
    for (size_t i = 0; i < payload; i += 8) {
        uint64_t word = generator.Next();
        for (size_t b = 0; b < 8 && i + b < payload; ++b) image[i + b] = static_cast<uint8_t>(word >> (8 * b));
    }
    const uint32_t crc = Crc32(image, payload);
    for (int b = 0; b < 4; ++b) image[payload + b] = static_cast<uint8_t>(crc >> (8 * b));
    return image;
}

std::string MakeHeader(const Component& component) {
    return std::string("Lumo MP3 Audio Player firmware component: ") + component.displayName + "\n" +
           "Stored as it runs; written into the player's system drive by the updater.\n" +
           "Product Version: " + VersionText(kProductVersion) + "\n" +
           "Component Version: " + VersionText(component.version) + "\n";
}

bool WriteComponent(const std::string& folder, const Component& component) {
    const std::string path = folder + "/" + component.fileName;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    const std::string header = MakeHeader(component);
    const char marker[] = {0x1A, 'V', 'R', 'X', 'A'};
    const std::vector<uint8_t> image = MakeImage(component);
    file.write(header.data(), static_cast<std::streamsize>(header.size()));
    file.write(marker, sizeof(marker));
    file.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "firmware-gen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: firmware-gen <output folder>\n");
        return 2;
    }
    for (const Component& component : kComponents) {
        if (!WriteComponent(argv[1], component)) return 1;
    }
    return 0;
}
