#include "updater/device/VrRecoveryWrite.h"

#include <cstring>
#include <new>
#include <type_traits>

// The routine is handed the address of the write record and nothing else.
static_assert(std::is_standard_layout<CVrRecoveryWrite>::value, "the record must start with OVERLAPPED");

CVrRecoveryWrite* CVrRecoveryWrite::Create(Host& host) { return new (std::nothrow) CVrRecoveryWrite(host); }

CVrRecoveryWrite::~CVrRecoveryWrite() {
    if (m_event) m_host->CloseHandle(m_event);
}

BOOL CVrRecoveryWrite::MakeEvent() {
    m_event = m_host->CreateEvent(nullptr, TRUE, FALSE, nullptr);
    return m_event != nullptr;
}

void CVrRecoveryWrite::Release() {
    if (m_pending) {
        m_orphaned = true;
        return;
    }
    delete this;
}

BOOL CVrRecoveryWrite::Start(HANDLE file, const uint8_t* buffer, uint32_t length) {
    if (length > kBlockBytes) {
        m_host->SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::memcpy(m_block, buffer, length);
    m_completionResult = 0;
    m_completionError = 0;
    m_overlapped = OVERLAPPED();
    // The event field is free with a completion routine; the driver's record
    // carries the byte count the routine is to expect there. A HANDLE holds
    // any 32-bit count, on 32-bit Windows as on a 64-bit host.
    m_overlapped.hEvent = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(length));
    m_host->ResetEvent(m_event);
    m_pending = true;
    if (!m_host->WriteFileEx(file, m_block, length, &m_overlapped, &CVrRecoveryWrite::Completed)) {
        m_pending = false;
        return FALSE;
    }
    return TRUE;
}

// An alertable wait also ends when any completion routine of this thread has
// run (WAIT_IO_COMPLETION), so it is taken up again with what is left of the
// time until this write's routine has run.
bool CVrRecoveryWrite::Await(DWORD milliseconds) {
    const DWORD start = m_host->GetTickCount();
    while (m_pending) {
        const DWORD spent = m_host->GetTickCount() - start;
        if (spent >= milliseconds) break;
        if (m_host->WaitForSingleObjectEx(m_event, milliseconds - spent, TRUE) != WAIT_IO_COMPLETION) break;
    }
    return !m_pending;
}

void WINAPI CVrRecoveryWrite::Completed(DWORD error, DWORD transferred, OVERLAPPED* overlapped) {
    CVrRecoveryWrite* write = reinterpret_cast<CVrRecoveryWrite*>(overlapped);
    write->m_pending = false;
    if (write->m_orphaned) {
        delete write;
        return;
    }
    const DWORD expected = static_cast<DWORD>(reinterpret_cast<uintptr_t>(overlapped->hEvent));
    write->m_completionError = error;
    write->m_completionResult = error == ERROR_SUCCESS && transferred == expected ? transferred : 0;
    write->m_host->SetEvent(write->m_event);
}
