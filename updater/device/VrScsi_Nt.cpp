#include "updater/device/VrScsi_Nt.h"

#include <memory>
#include <new>
#include <string>

#include "updater/base/VrLittleEndian.h"
#include "updater/device/VrPassThroughRecord.h"
#include "updater/base/VrEngineContext.h"
#include "updater/base/VrResult.h"

namespace {

const DWORD kLockVolume = 0x90018;       // FSCTL_LOCK_VOLUME
const DWORD kUnlockVolume = 0x9001C;     // FSCTL_UNLOCK_VOLUME
const DWORD kDismountVolume = 0x90020;   // FSCTL_DISMOUNT_VOLUME
const DWORD kGetGeometry = 0x70000;      // IOCTL_DISK_GET_DRIVE_GEOMETRY
const DWORD kSetLayout = 0x7C010;        // IOCTL_DISK_SET_DRIVE_LAYOUT
const DWORD kScsiPassThrough = 0x4D004;  // IOCTL_SCSI_PASS_THROUGH

const int kVolumeAttempts = 10;
const DWORD kVolumePauseMs = 100;
const int kPhysicalDrives = 100;

const DWORD kGeometryBytes = 24;

// The layout record: count, signature, then four 32-byte partition entries.
const uint32_t kLayoutRecordBytes = 136;
const uint32_t kFirstPartition = 8;
const uint32_t kPartitionBytes = 32;
const uint32_t kPartitionCount = 4;
const uint8_t kFatPartition = 6;

std::wstring VolumePath(wchar_t letter) { return std::wstring(L"\\\\.\\") + letter + L':'; }

// Writes one partition entry: start and length in bytes, hidden sectors,
// number, type, boot indicator, "recognized" and "rewrite".
void PutPartition(uint8_t* entry, uint64_t start, uint64_t length, uint32_t hiddenSectors, uint32_t number,
                  uint8_t type) {
    VrPutLe64(entry, start);
    VrPutLe64(entry + 8, length);
    VrPutLe32(entry + 16, hiddenSectors);
    VrPutLe32(entry + 20, number);
    entry[24] = type;
    entry[25] = 0;
    entry[26] = type != 0 ? 1 : 0;
    entry[27] = 1;
}

}  // namespace

CVrScsi_Nt::CVrScsi_Nt(CVrEngineContext& context)
    : CVrScsiDevice(context, "CVrScsi_Nt"), m_worker(context.GetHost()) {}

bool CVrScsi_Nt::OpenPath(const std::wstring& path) {
    m_handle = m_host.CreateFile(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    return m_handle != INVALID_HANDLE_VALUE;
}

int32_t CVrScsi_Nt::Open() {
    if (m_handle != INVALID_HANDLE_VALUE) return kVrOk;
    if (!OpenPath(VolumePath(m_driveLetter))) return RecordFailure(kVrDeviceOpenFailed, m_host.GetLastError());
    return kVrOk;
}

int32_t CVrScsi_Nt::Close() {
    if (m_handle != INVALID_HANDLE_VALUE) {
        m_host.CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }
    return kVrOk;
}

// Windows refuses a lock while anything else has a file open on the volume;
// such holders (the shell, a virus scanner) usually let go within a second.
int32_t CVrScsi_Nt::ControlVolume(DWORD code, int32_t failure) {
    DWORD error = 0;
    for (int attempt = 0; attempt < kVolumeAttempts; ++attempt) {
        DWORD returned = 0;
        if (m_host.DeviceIoControl(m_handle, code, nullptr, 0, nullptr, 0, &returned, nullptr)) return kVrOk;
        error = m_host.GetLastError();
        m_host.Sleep(kVolumePauseMs);
    }
    return RecordFailure(failure, error);
}

int32_t CVrScsi_Nt::Lock(uint32_t) { return ControlVolume(kLockVolume, kVrLockFailed); }

int32_t CVrScsi_Nt::LockForFormat(uint32_t) { return kVrOk; }

int32_t CVrScsi_Nt::Release(uint32_t) { return Dismount(); }

int32_t CVrScsi_Nt::Unlock(uint32_t) { return ControlVolume(kUnlockVolume, kVrUnlockFailed); }

int32_t CVrScsi_Nt::Dismount() { return ControlVolume(kDismountVolume, kVrDismountFailed); }

// The position goes over whole, its high part included, so every sector of
// a medium beyond 4 GiB is reachable. A length beyond one transfer's 32 bits
// is refused before the device is touched rather than cut short.
int32_t CVrScsi_Nt::Seek(uint32_t count, uint32_t start, uint32_t sectorSize, int32_t failure, DWORD& bytes) {
    const uint64_t position = uint64_t(start) * sectorSize;
    const uint64_t length = uint64_t(count) * sectorSize;
    if (length > 0xFFFFFFFFu) return RecordFailure(failure, ERROR_ARITHMETIC_OVERFLOW);
    LONG high = static_cast<LONG>(position >> 32);
    m_host.SetLastError(ERROR_SUCCESS);
    DWORD low = m_host.SetFilePointer(m_handle, static_cast<LONG>(position), &high, FILE_BEGIN);
    if (low == INVALID_SET_FILE_POINTER) {
        DWORD error = m_host.GetLastError();
        if (error != ERROR_SUCCESS) return RecordFailure(failure, error);
    }
    bytes = static_cast<DWORD>(length);
    return kVrOk;
}

// A write that the volume takes only in part fails too: the sectors after
// it would silently keep their old contents.
int32_t CVrScsi_Nt::WriteSectors(const CVrByteArray& data, uint32_t count, uint32_t start, uint32_t sectorSize) {
    DWORD bytes = 0;
    int32_t result = Seek(count, start, sectorSize, kVrWriteFailed, bytes);
    if (result != kVrOk) return result;
    CVrByteArray buffer(bytes);
    if (buffer.GetLastResult() != kVrOk) return buffer.GetLastResult();
    data.GetBytes(buffer.GetPtr(0), data.GetCount() < bytes ? data.GetCount() : bytes, 0);
    DWORD written = 0;
    if (!m_host.WriteFile(m_handle, buffer.GetPtr(0), bytes, &written, nullptr)) {
        return RecordFailure(kVrWriteFailed, m_host.GetLastError());
    }
    return written == bytes ? kVrOk : RecordFailure(kVrWriteFailed, ERROR_HANDLE_EOF);
}

int32_t CVrScsi_Nt::ReadSectors(CVrByteArray& data, uint32_t count, uint32_t start, uint32_t sectorSize) {
    DWORD bytes = 0;
    int32_t result = Seek(count, start, sectorSize, kVrReadFailed, bytes);
    if (result != kVrOk) return result;
    CVrByteArray buffer(bytes);
    if (buffer.GetLastResult() != kVrOk) return buffer.GetLastResult();
    DWORD read = 0;
    if (!m_host.ReadFile(m_handle, buffer.GetPtr(0), bytes, &read, nullptr)) {
        return RecordFailure(kVrReadFailed, m_host.GetLastError());
    }
    return buffer.GetBytes(data.GetPtr(0), data.GetCount() < bytes ? data.GetCount() : bytes, 0);
}

// The start is computed in 64 bits, so a partition beyond 4 GiB keeps its
// true offset.
int32_t CVrScsi_Nt::SetDriveLayout(const VrDiskGeometry& geometry, uint32_t hiddenSectors) {
    uint8_t record[kLayoutRecordBytes] = {};
    const uint64_t start = uint64_t(geometry.bytesPerSector) * hiddenSectors;
    const uint64_t disk = geometry.cylinders * geometry.tracksPerCylinder * geometry.sectorsPerTrack *
                          geometry.bytesPerSector;
    VrPutLe32(record, kPartitionCount);
    PutPartition(record + kFirstPartition, start, disk > start ? disk - start : 0, hiddenSectors, 1, kFatPartition);
    for (uint32_t number = 2; number <= kPartitionCount; ++number) {
        PutPartition(record + kFirstPartition + kPartitionBytes * (number - 1), 0, 0, 0, number, 0);
    }
    DWORD returned = 0;
    if (!m_host.DeviceIoControl(m_handle, kSetLayout, record, sizeof(record), nullptr, 0, &returned, nullptr)) {
        return RecordFailure(kVrControlFailed, m_host.GetLastError());
    }
    return kVrOk;
}

int32_t CVrScsi_Nt::GetDriveGeometry(VrDiskGeometry& geometry) {
    uint8_t record[kGeometryBytes] = {};
    DWORD returned = 0;
    if (!m_host.DeviceIoControl(m_handle, kGetGeometry, nullptr, 0, record, sizeof(record), &returned, nullptr)) {
        return RecordFailure(kVrControlFailed, m_host.GetLastError());
    }
    geometry.cylinders = VrGetLe64(record);
    geometry.mediaType = VrGetLe32(record + 8);
    geometry.tracksPerCylinder = VrGetLe32(record + 12);
    geometry.sectorsPerTrack = VrGetLe32(record + 16);
    geometry.bytesPerSector = VrGetLe32(record + 20);
    return kVrOk;
}

bool CVrScsi_Nt::HoldsPlayer(bool mediaCheck) {
    bool matches = false;
    if (InquireIdentity(matches) != kVrOk || !matches) return false;
    if (!mediaCheck) return true;
    bool player = false;
    return AnswersAsPlayer(player) == kVrOk && player;
}

int32_t CVrScsi_Nt::FindDevice() {
    m_driveLetter = 0;
    const DWORD drives = m_host.GetLogicalDrives();
    // A: is the floppy drive, whose probing would only make it rattle.
    for (wchar_t letter = L'B'; letter <= L'Z'; ++letter) {
        if (!(drives & (1u << (letter - L'A')))) continue;
        const wchar_t root[] = {letter, L':', L'\\', 0};
        if (m_host.GetDriveType(root) != DRIVE_REMOVABLE) continue;
        Close();
        if (!OpenPath(VolumePath(letter))) continue;
        const bool found = HoldsPlayer(true);
        Close();
        if (found) {
            m_driveLetter = letter;
            return kVrOk;
        }
    }
    return kVrNoPlayer;
}

int32_t CVrScsi_Nt::FindByPhysicalDrive() {
    Close();
    for (int number = 0; number < kPhysicalDrives; ++number) {
        if (!OpenPath(L"\\\\.\\PhysicalDrive" + std::to_wstring(number))) continue;
        if (HoldsPlayer(false)) return kVrOk;
        Close();
    }
    return kVrNoPlayer;
}

// The record lives only while its request runs; the worker has let go of it
// when Run returns.
int32_t CVrScsi_Nt::Execute(const CVrByteArray& block, uint32_t commandLength, bool isWrite, CVrByteArray& data) {
    int32_t result = Open();
    if (result != kVrOk) return result;
    std::unique_ptr<CVrPassThroughRecord> record(
        new (std::nothrow) CVrPassThroughRecord(block, commandLength, isWrite, data.GetCount()));
    result = record ? record->GetLastResult() : kVrNoMemory;
    if (result != kVrOk) return result;
    DWORD systemError = 0;
    result = m_worker.Run(m_handle, kScsiPassThrough, record->GetBytes(), record->GetSize(), m_context.GetProgress(),
                          systemError);
    if (result == kVrOk && systemError != 0) result = kVrControlFailed;
    if (result != kVrOk) return RecordFailure(result, systemError);
    if (record->GetScsiStatus() != 0) {
        uint8_t sense[CVrPassThroughRecord::kSenseBytes] = {};
        const uint32_t length = record->GetSense(sense);
        return RecordCheckCondition(sense, length);
    }
    return isWrite ? kVrOk : record->CopyData(data);
}
