#include "updater/engine/VrRecoveryDev.h"

#include <new>
#include <string>

#include "updater/base/VrConfigInfo.h"
#include "updater/device/VrRecoveryWrite.h"
#include "updater/base/VrEngineContext.h"
#include "updater/engine/VrFwComponent.h"
#include "updater/base/VrProgress.h"
#include "updater/base/VrResult.h"
#include "updater/base/VrStages.h"

namespace {

const wchar_t kDeviceObject[] = L"\\\\.\\VrMp3RecDevice";
const int kDeviceObjects = 100;
const uint32_t kBlockBytes = CVrRecoveryWrite::kBlockBytes;

}  // namespace

CVrRecoveryDev::CVrRecoveryDev(CVrEngineContext& context, const char* name) : CVrDevice(context, name) {}

CVrRecoveryDev::~CVrRecoveryDev() { Close(); }

// Only one player in recovery mode is ever served: the first object that
// opens is taken.
int32_t CVrRecoveryDev::Open() {
    Close();
    Host& host = m_context.GetHost();
    std::wstring path;
    for (int number = 0; number < kDeviceObjects && m_handle == INVALID_HANDLE_VALUE; ++number) {
        path = kDeviceObject + std::to_wstring(number);
        m_handle = host.CreateFile(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
        if (m_handle == INVALID_HANDLE_VALUE) m_systemError = host.GetLastError();
    }
    if (m_handle == INVALID_HANDLE_VALUE) return Fail(kVrNoRecoveryDevice, m_systemError);
    m_devicePath = path;

    uint8_t index = 0;
    m_context.GetConfig().GetRecoveryComponent(index);
    // The component enters itself in the failure record.
    m_component.reset(new (std::nothrow) CVrFwComponent(m_context, index));
    if (!m_component) return Fail(kVrNoMemory, 0);
    if (m_component->GetLastResult() != kVrOk) return SetResult(m_component->GetLastResult());

    m_write = CVrRecoveryWrite::Create(host);
    if (!m_write) return Fail(kVrNoMemory, 0);
    if (!m_write->MakeEvent()) {
        const DWORD error = host.GetLastError();
        m_write->Release();
        m_write = nullptr;
        return Fail(kVrNoEvent, error);
    }
    return SetResult(kVrOk);
}

int32_t CVrRecoveryDev::Close() {
    m_component.reset();
    if (m_write) {
        m_write->Release();
        m_write = nullptr;
    }
    if (m_handle != INVALID_HANDLE_VALUE) {
        m_context.GetHost().CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }
    return kVrOk;
}

// The last block is sent with its real length; the buffer behind it is
// padded as erased flash all the same.
int32_t CVrRecoveryDev::Download(CVrProgress& progress) {
    if (!m_write || !m_component || m_handle == INVALID_HANDLE_VALUE) return Fail(kVrNoRecoveryDevice, 0);
    // Never 0: a component refuses an empty image.
    const uint64_t size = m_component->GetSize();
    const uint64_t blocks = size / kBlockBytes + (size % kBlockBytes != 0 ? 1 : 0);
    const uint32_t last = size % kBlockBytes != 0 ? static_cast<uint32_t>(size % kBlockBytes) : kBlockBytes;

    progress.SetStage(kVrStageRecoveryTransfer, static_cast<int32_t>(blocks));
    uint8_t block[kBlockBytes] = {};
    int32_t result = kVrOk;
    for (uint64_t i = 0; i < blocks; ++i) {
        m_component->GetData(i * kBlockBytes, kBlockBytes, block);
        result = WriteBlock(block, i + 1 < blocks ? kBlockBytes : last);
        progress.Step(1);
        if (result != kVrOk) return result;
    }
    m_context.GetHost().CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
    return SetResult(result);
}

int32_t CVrRecoveryDev::WriteBlock(const uint8_t* buffer, uint32_t length) {
    Host& host = m_context.GetHost();
    if (!m_write->Start(m_handle, buffer, length)) return Fail(kVrRecoveryWriteFailed, host.GetLastError());
    if (m_write->Await(kWriteTimeoutMs)) {
        if (m_write->GetCompletionResult() != 0) return SetResult(kVrOk);
        return Fail(kVrRecoveryWriteFailed, m_write->GetCompletionError());
    }
    // The cancelled write still completes, with ERROR_OPERATION_ABORTED, in
    // a later alertable wait of this thread; its routine is awaited here so
    // that nothing is left pending. Should the driver not let go even then,
    // the record stays with the routine when the device closes.
    host.CancelIo(m_handle);
    m_write->Await(kWriteTimeoutMs);
    return Fail(kVrRecoveryWriteTimedOut, ERROR_TIMEOUT);
}
