#include "platform/sim/player/SimStateFile.h"

#include <atomic>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <system_error>

#include "platform/sim/player/SimCrc32.h"

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

const char kMagic[8] = {'L', 'U', 'M', 'O', 'P', 'L', 'A', 'Y'};
const uint32_t kFormatVersion = 1;

class Writer {
public:
    explicit Writer(const fs::path& file) : out_(file, std::ios::binary | std::ios::trunc) {}
    void Bytes(const void* data, size_t length) {
        crc_ = SimCrc32(crc_, static_cast<const BYTE*>(data), length);
        out_.write(static_cast<const char*>(data), static_cast<std::streamsize>(length));
    }
    void Number(uint64_t value, size_t width) {
        BYTE bytes[8];
        for (size_t i = 0; i < width; ++i, value >>= 8) bytes[i] = static_cast<BYTE>(value & 0xFF);
        Bytes(bytes, width);
    }
    void Text(const std::string& text, size_t width) {
        std::string field = text;
        field.resize(width, ' ');
        Bytes(field.data(), width);
    }
    bool Finish() {
        Number(crc_, 4);
        out_.close();
        return !out_.fail();
    }

private:
    std::ofstream out_;
    uint32_t crc_ = 0;
};

// Reads no further than the file's end; every read after the first short one
// fails too.
class Reader {
public:
    explicit Reader(const fs::path& file) : in_(file, std::ios::binary) {
        std::error_code error;
        left_ = fs::file_size(file, error);
        if (error) in_.setstate(std::ios::failbit);
    }
    bool Opened() const { return in_.is_open() && !in_.fail(); }
    bool Good() const { return good_; }
    uint64_t Left() const { return left_; }
    uint32_t Crc() const { return crc_; }
    void Bytes(void* data, size_t length) {
        if (!good_ || length > left_) {
            good_ = false;
            std::memset(data, 0, length);
            return;
        }
        in_.read(static_cast<char*>(data), static_cast<std::streamsize>(length));
        good_ = in_.good();
        left_ -= length;
        crc_ = SimCrc32(crc_, static_cast<const BYTE*>(data), length);
    }
    uint64_t Number(size_t width) {
        BYTE bytes[8];
        Bytes(bytes, width);
        uint64_t value = 0;
        for (size_t i = width; i-- > 0;) value = value << 8 | bytes[i];
        return value;
    }
    std::string Text(size_t width) {
        std::string text(width, ' ');
        Bytes(&text[0], width);
        return text;
    }

private:
    std::ifstream in_;
    uint64_t left_ = 0;
    uint32_t crc_ = 0;
    bool good_ = true;
};

void WriteVersion(Writer& out, const SimVersionRecord& version) {
    out.Number(version.major, 2);
    out.Number(version.minor, 2);
    out.Number(version.revision, 2);
}

SimVersionRecord ReadVersion(Reader& in) {
    SimVersionRecord version;
    version.major = static_cast<uint16_t>(in.Number(2));
    version.minor = static_cast<uint16_t>(in.Number(2));
    version.revision = static_cast<uint16_t>(in.Number(2));
    return version;
}

// What makes the described player impossible, or an empty text.
std::string CheckLayout(const SimPlayerState& state) {
    if (state.mode != SimPlayerMode::kMassStorage && state.mode != SimPlayerMode::kRecovery) return "unknown mode";
    const uint64_t flash = state.flash.Size();
    if (flash == 0 || flash > SimPlayerState::kMaxFlashSize) return "flash size out of range";
    if (!SimValidSectorSize(state.dataSectorSize) || !SimValidSectorSize(state.systemSectorSize))
        return "sector size not valid";
    std::set<uint8_t> numbers;
    // Where each drive lies, first byte to size, to find two on the same flash.
    std::map<uint64_t, uint64_t> extents;
    for (const SimLogicalDrive& drive : state.drives) {
        if (!numbers.insert(drive.number).second) return "drive number used twice";
        if (drive.type != SimLogicalDrive::kDataType && drive.type != SimLogicalDrive::kSystemType)
            return "unknown drive type";
        if (!SimValidSectorSize(drive.sectorSize) || drive.size % drive.sectorSize != 0)
            return "drive not in whole sectors";
        if (drive.offset > flash || drive.size > flash - drive.offset) return "drive outside the flash";
        if (drive.size == 0) continue;
        auto next = extents.lower_bound(drive.offset);
        if (next != extents.end() && next->first < drive.offset + drive.size) return "drives overlap";
        if (next != extents.begin() && std::prev(next)->first + std::prev(next)->second > drive.offset)
            return "drives overlap";
        extents[drive.offset] = drive.size;
    }
    return "";
}

std::string ReadDrives(Reader& in, SimPlayerState& state) {
    const uint64_t count = in.Number(1);
    if (count > SimPlayerState::kMaxDrives) return "too many drives";
    state.drives.resize(static_cast<size_t>(count));
    for (SimLogicalDrive& drive : state.drives) {
        drive.number = static_cast<uint8_t>(in.Number(1));
        drive.type = static_cast<uint8_t>(in.Number(1));
        drive.tag = static_cast<uint8_t>(in.Number(1));
        drive.sectorSize = static_cast<uint32_t>(in.Number(4));
        drive.offset = in.Number(8);
        drive.size = in.Number(8);
        drive.componentVersion = ReadVersion(in);
        drive.productVersion = ReadVersion(in);
    }
    return "";
}

std::string ReadChunks(Reader& in, SimPlayerState& state) {
    if (in.Number(4) != SimFlashStore::kChunkSize) return "unknown chunk size";
    const uint64_t count = in.Number(8);
    const uint64_t chunksInFlash = (state.flash.Size() + SimFlashStore::kChunkSize - 1) / SimFlashStore::kChunkSize;
    if (count > chunksInFlash) return "more chunks than the flash holds";
    if (count * (8 + SimFlashStore::kChunkSize) > in.Left()) return "the file ends early";
    for (uint64_t i = 0, next = 0; i < count && in.Good(); ++i) {
        const uint64_t index = in.Number(8);
        if (index < next || index >= chunksInFlash) return "chunk index out of order or outside the flash";
        next = index + 1;
        in.Bytes(state.flash.NewChunk(index), SimFlashStore::kChunkSize);
    }
    return "";
}

std::string ReadState(Reader& in, SimPlayerState& state) {
    char magic[sizeof kMagic];
    in.Bytes(magic, sizeof magic);
    if (!in.Good() || std::memcmp(magic, kMagic, sizeof kMagic) != 0) return "not a player state file";
    const uint64_t version = in.Number(4);
    if (version != kFormatVersion) return "format version " + std::to_string(version) + " is not supported";

    state.identity.vendor = in.Text(8);
    state.identity.product = in.Text(16);
    state.identity.revision = in.Text(4);
    state.chipRevision = static_cast<uint16_t>(in.Number(2));
    state.mode = static_cast<SimPlayerMode>(in.Number(1));
    const uint64_t damaged = in.Number(1);
    if (damaged > 1) return "table flag not valid";
    state.tableDamaged = damaged != 0;
    state.dataSectorSize = static_cast<uint32_t>(in.Number(4));
    state.systemSectorSize = static_cast<uint32_t>(in.Number(4));
    state.flash = SimFlashStore(in.Number(8));
    std::string error = ReadDrives(in, state);
    if (error.empty() && in.Good()) error = CheckLayout(state);
    if (error.empty() && in.Good()) error = ReadChunks(in, state);
    if (!error.empty()) return error;

    const uint32_t computed = in.Crc();
    const uint64_t stored = in.Number(4);
    if (!in.Good()) return "the file ends early";
    if (stored != computed) return "checksum mismatch: the file is damaged";
    if (in.Left() != 0) return "bytes after the end of the state";
    return "";
}

bool WriteState(const SimPlayerState& state, const fs::path& file) {
    Writer out(file);
    out.Bytes(kMagic, sizeof kMagic);
    out.Number(kFormatVersion, 4);
    out.Text(state.identity.vendor, 8);
    out.Text(state.identity.product, 16);
    out.Text(state.identity.revision, 4);
    out.Number(state.chipRevision, 2);
    out.Number(static_cast<uint8_t>(state.mode), 1);
    out.Number(state.tableDamaged ? 1 : 0, 1);
    out.Number(state.dataSectorSize, 4);
    out.Number(state.systemSectorSize, 4);
    out.Number(state.flash.Size(), 8);
    out.Number(state.drives.size(), 1);
    for (const SimLogicalDrive& drive : state.drives) {
        out.Number(drive.number, 1);
        out.Number(drive.type, 1);
        out.Number(drive.tag, 1);
        out.Number(drive.sectorSize, 4);
        out.Number(drive.offset, 8);
        out.Number(drive.size, 8);
        WriteVersion(out, drive.componentVersion);
        WriteVersion(out, drive.productVersion);
    }
    out.Number(SimFlashStore::kChunkSize, 4);
    out.Number(state.flash.Chunks().size(), 8);
    for (const auto& chunk : state.flash.Chunks()) {
        out.Number(chunk.first, 8);
        out.Bytes(chunk.second.data(), chunk.second.size());
    }
    return out.Finish();
}

// The file a state is written to: a symbolic link (or a chain of them) is
// followed to the file it names, so that the link stays a link and every
// name of the player sees the new state.
fs::path LinkTarget(const fs::path& file, std::string& error) {
    const int kMostLinks = 40;  // as the system itself follows before it gives up
    fs::path path = file;
    for (int links = 0; links < kMostLinks; ++links) {
        std::error_code failure;
        if (!fs::is_symlink(path, failure)) return path;
        const fs::path next = fs::read_symlink(path, failure);
        if (failure) {
            error = failure.message();
            return path;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    error = "too many levels of symbolic links";
    return path;
}

long ProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<long>(::getpid());
#endif
}

// A name beside `target` that no other writer uses: the process and a count
// of this process's saves, so that runs on one player never share it.
fs::path TemporaryBeside(const fs::path& target) {
    static std::atomic<uint64_t> saves{0};
    const std::string tag = ".tmp-" + std::to_string(ProcessId()) + "-" + std::to_string(saves++);
    return fs::path(target).concat(tag);
}

}  // namespace

std::string SimSavePlayerState(const SimPlayerState& state, const fs::path& file) {
    std::string error;
    const fs::path target = LinkTarget(file, error);
    if (!error.empty()) return file.string() + ": cannot write the player state: " + error;
    const fs::path temporary = TemporaryBeside(target);
    if (!WriteState(state, temporary)) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return file.string() + ": cannot write the player state";
    }
    // The rename replaces the old state in one step; should it fail, the old
    // state stays as it was and only the temporary file goes.
    std::error_code renamed;
    fs::rename(temporary, target, renamed);
    if (renamed) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return file.string() + ": cannot write the player state: " + renamed.message();
    }
    return "";
}

std::string SimLoadPlayerState(const fs::path& file, SimPlayerState& state) {
    Reader in(file);
    if (!in.Opened()) return file.string() + ": cannot open the player state";
    SimPlayerState loaded;
    std::string error = ReadState(in, loaded);
    if (error.empty() && !in.Good()) error = "the file ends early";
    if (!error.empty()) return file.string() + ": " + error;
    state = std::move(loaded);
    return "";
}
