#include "updater/device/VrScsi_9x.h"

#include <cstring>

#include "platform/EntryPoint.h"
#include "updater/device/VrAspiRequest.h"
#include "updater/device/VrDosRequest.h"
#include "updater/base/VrLittleEndian.h"
#include "updater/device/VrLowBlock.h"
#include "updater/device/VrPumpingWait.h"
#include "updater/base/VrEngineContext.h"
#include "updater/base/VrResult.h"

namespace {

const wchar_t kAspiLibrary[] = L"WNASPI32.DLL";
const wchar_t kDosDevice[] = L"\\\\.\\vwin32";

const uint8_t kLockLogical = 0x4A, kLockPhysical = 0x4B, kUnlockLogical = 0x6A, kUnlockPhysical = 0x6B;
const uint8_t kDeviceParameters = 0x60;
const uint32_t kFormatPermission = 4;

// The device parameter block: the request fills 38 bytes of it.
const uint32_t kParameterBytes = 64;
const uint32_t kCylinders = 4, kMediaType = 6, kBytesPerSector = 7, kSectorsPerTrack = 20, kHeads = 22;

uint16_t GetLe16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }

}  // namespace

CVrScsi_9x::CVrScsi_9x(CVrEngineContext& context) : CVrScsiDevice(context, "CVrScsi_9x") {
    const int32_t result = Load();
    if (result != kVrOk) {
        // The failure stays in the result code: the device reports it at once.
        m_result = result;
        m_context.GetErrorRecord().Record(*this);
        m_systemError = 0;
    }
}

CVrScsi_9x::~CVrScsi_9x() {
    if (m_aspi) m_host.FreeLibrary(m_aspi);
}

int32_t CVrScsi_9x::Load() {
    m_aspi = m_host.LoadLibrary(kAspiLibrary);
    if (!m_aspi) {
        m_systemError = m_host.GetLastError();
        return kVrAspiMissing;
    }
    m_getSupportInfo = EntryPoint<SupportInfoEntry>(m_host.GetProcAddress(m_aspi, "GetASPI32SupportInfo"));
    m_sendCommand = EntryPoint<SendCommandEntry>(m_host.GetProcAddress(m_aspi, "SendASPI32Command"));
    if (!m_getSupportInfo || !m_sendCommand) {
        m_systemError = m_host.GetLastError();
        m_getSupportInfo = nullptr;
        m_sendCommand = nullptr;
        return kVrAspiEntryMissing;
    }
    const DWORD status = (m_getSupportInfo() >> 8) & 0xFF;
    if (status != kVrAspiCompleted) {
        m_systemError = status;
        return kVrAspiNotReady;
    }
    return kVrOk;
}

bool CVrScsi_9x::OpenDosDevice() {
    m_handle = m_host.CreateFile(kDosDevice, 0, 0, nullptr, 0, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    return m_handle != INVALID_HANDLE_VALUE;
}

int32_t CVrScsi_9x::Open() {
    if (m_handle != INVALID_HANDLE_VALUE) return kVrOk;
    return OpenDosDevice() ? kVrOk : RecordFailure(kVrDeviceOpenFailed, m_host.GetLastError());
}

int32_t CVrScsi_9x::Close() {
    if (m_handle != INVALID_HANDLE_VALUE) {
        m_host.CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }
    return kVrOk;
}

// DOS numbers the drives from A = 1; 0 would be the current drive, which a
// transport without a letter must not touch.
VrDosRequest CVrScsi_9x::PlayerRequest(uint8_t minor) const {
    VrDosRequest request;
    request.drive = m_driveLetter >= L'A' && m_driveLetter <= L'Z' ? static_cast<uint8_t>(m_driveLetter - 64) : 0xFF;
    request.minor = minor;
    return request;
}

int32_t CVrScsi_9x::DriveRequest(uint8_t minor, uint32_t edx, int32_t failure) {
    VrDosRequest request = PlayerRequest(minor);
    request.edx = edx;
    DWORD error = 0;
    return VrDosBlockRequest(m_host, m_handle, request, true, error) ? kVrOk : RecordFailure(failure, error);
}

int32_t CVrScsi_9x::Lock(uint32_t physical, uint32_t permissions) {
    return DriveRequest(physical ? kLockPhysical : kLockLogical, permissions, kVrLockFailed);
}

int32_t CVrScsi_9x::Lock(uint32_t physical) { return Lock(physical, 0); }

int32_t CVrScsi_9x::LockForFormat(uint32_t physical) { return Lock(physical, kFormatPermission); }

int32_t CVrScsi_9x::Unlock(uint32_t physical) {
    return DriveRequest(physical ? kUnlockPhysical : kUnlockLogical, 0, kVrUnlockFailed);
}

int32_t CVrScsi_9x::Release(uint32_t physical) { return Unlock(physical); }

int32_t CVrScsi_9x::Dismount() { return kVrOk; }

// Only the old category has the device parameters in this form.
int32_t CVrScsi_9x::GetDriveGeometry(VrDiskGeometry& geometry) {
    CVrLowBlock block(m_host, kParameterBytes);
    if (!block.Get()) return RecordFailure(kVrControlFailed, block.GetError());
    VrDosRequest request = PlayerRequest(kDeviceParameters);
    request.edx = block.Address();
    DWORD error = 0;
    if (!VrDosBlockRequest(m_host, m_handle, request, false, error)) return RecordFailure(kVrControlFailed, error);
    const uint8_t* parameters = block.Get();
    geometry.cylinders = GetLe16(parameters + kCylinders);
    geometry.mediaType = parameters[kMediaType];
    geometry.bytesPerSector = GetLe16(parameters + kBytesPerSector);
    geometry.sectorsPerTrack = GetLe16(parameters + kSectorsPerTrack);
    geometry.tracksPerCylinder = GetLe16(parameters + kHeads);
    return kVrOk;
}

// The request and its buffer must live until the layer has signalled the
// event: a wait that fails falls back to a plain blocking wait rather than
// let them go while the layer may still write into them.
int32_t CVrScsi_9x::Execute(const CVrByteArray& block, uint32_t commandLength, bool isWrite, CVrByteArray& data) {
    if (!m_sendCommand) return RecordFailure(kVrAspiNotReady, 0);
    const uint32_t outgoing = block.GetCount() > commandLength ? block.GetCount() - commandLength : 0;
    const uint32_t length = data.GetCount() > outgoing ? data.GetCount() : outgoing;
    CVrLowBlock buffer(m_host, length);
    if (!buffer.Get()) return RecordFailure(kVrNoMemory, buffer.GetError());
    if (outgoing) block.GetBytes(buffer.Get(), outgoing, commandLength);

    HANDLE event = m_host.CreateEvent(nullptr, TRUE, FALSE, nullptr);
    if (!event) return RecordFailure(kVrNoEvent, m_host.GetLastError());
    CVrAspiExecute request(m_hostAdapter, isWrite, length, buffer.Address(), event, block, commandLength);
    m_host.ResetEvent(event);
    const DWORD sent = m_sendCommand(request.GetBytes());
    bool signalled = false;
    if (sent == kVrAspiPending) {
        DWORD wait = VrWaitPumping(m_host, event, m_context.GetProgress());
        if (wait != WAIT_OBJECT_0) wait = m_host.WaitForSingleObject(event, INFINITE);
        signalled = wait == WAIT_OBJECT_0;
    }
    m_host.CloseHandle(event);

    const uint8_t status = request.GetStatus();
    if (status != kVrAspiCompleted) {
        uint8_t sense[CVrAspiExecute::kSenseBytes] = {};
        const uint32_t senseLength = request.GetSense(sense);
        return RecordCheckCondition(sense, senseLength, status);
    }
    if (sent != kVrAspiPending || !signalled) return RecordFailure(kVrCheckCondition, sent);
    if (!isWrite) data.SetBytes(buffer.Get(), data.GetCount(), 0);
    return kVrOk;
}
