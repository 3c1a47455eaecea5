// The record of the one overlapped write in flight to the recovery driver:
// the platform's write record, the block being written, the event that the
// completion routine signals and the result it leaves behind.
//
// The record, not the device, owns everything the completion routine
// touches. A cancelled write's routine runs only in a later alertable wait
// of this thread; should the device be closed before that, the record is
// handed over to the routine, which then closes the event and frees it.
#pragma once

#include <cstdint>

#include "platform/Host.h"

class CVrRecoveryWrite {
public:
    static constexpr uint32_t kBlockBytes = 4096;

    // Null without memory.
    static CVrRecoveryWrite* Create(Host& host);
    // Creates the manual-reset event, not signalled; FALSE with the last
    // error set when it cannot.
    BOOL MakeEvent();

    // Frees the record now, or leaves it to the completion routine of the
    // write still pending.
    void Release();

    // Starts writing `length` bytes (at most one block) of `buffer` at file
    // offset 0 - the driver takes every write as the next piece of the
    // stream. FALSE with the last error set when the write cannot start.
    BOOL Start(HANDLE file, const uint8_t* buffer, uint32_t length);
    // Waits alertably for the routine of the write in flight for at most
    // `milliseconds` in all; true once it has run.
    bool Await(DWORD milliseconds);

    bool IsPending() const { return m_pending; }
    // Bytes written when the last write completed with every byte, else 0.
    uint32_t GetCompletionResult() const { return m_completionResult; }
    // The error the last write completed with.
    DWORD GetCompletionError() const { return m_completionError; }

private:
    explicit CVrRecoveryWrite(Host& host) : m_host(&host) {}
    ~CVrRecoveryWrite();

    static void WINAPI Completed(DWORD error, DWORD transferred, OVERLAPPED* overlapped);

    // First, so that the routine finds the record from the address it is given.
    OVERLAPPED m_overlapped = {};
    Host* m_host;
    HANDLE m_event = nullptr;
    uint32_t m_completionResult = 0;
    DWORD m_completionError = 0;
    bool m_pending = false;
    bool m_orphaned = false;
    uint8_t m_block[kBlockBytes] = {};
};
