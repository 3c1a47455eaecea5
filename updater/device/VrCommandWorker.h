// The thread on which the pass-through transport runs its requests, so that
// a device that takes its time (up to the two-minute time-out) never freezes
// the user-interface thread: that thread waits for the request's end or for
// a window message, and pumps the messages through the progress sink.
//
// One worker serves one transport for its whole life and takes one request
// at a time; requests stay strictly sequential. The worker touches only the
// record, the device handle and the system error of the request it was given;
// the hand-over goes through the mutex, so the caller sees everything the
// worker wrote once Run returns.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "platform/Host.h"

class CVrProgress;

class CVrCommandWorker {
public:
    explicit CVrCommandWorker(Host& host);
    // Ends the thread (after the request in flight, if any) and waits for it.
    ~CVrCommandWorker();
    CVrCommandWorker(const CVrCommandWorker&) = delete;
    CVrCommandWorker& operator=(const CVrCommandWorker&) = delete;

    // Issues `code` on `device` with `record` as both input and output and
    // returns once it has ended; `systemError` is its system error, 0 on
    // success. The result is 0 when the request ran, -15 when the wake-up
    // event cannot be created, -1 when the thread cannot be started and -25
    // when a request is still in flight (asked for by a window message
    // handled while waiting); the system error then tells why.
    int32_t Run(HANDLE device, DWORD code, uint8_t* record, DWORD size, CVrProgress& progress, DWORD& systemError);

private:
    struct Request {
        HANDLE device = nullptr;
        DWORD code = 0;
        uint8_t* record = nullptr;
        DWORD size = 0;
    };

    int32_t Start(DWORD& systemError);
    void Serve();

    Host& m_host;
    bool m_running = false;  // touched by the caller's thread only
    HANDLE m_finishedEvent = nullptr;  // wakes the caller's message wait
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    // Guarded by m_mutex.
    Request m_request;
    bool m_pending = false;
    bool m_finished = false;
    bool m_quit = false;
    DWORD m_error = 0;
};
