#include "updater/device/VrCommandWorker.h"

#include <system_error>

#include "updater/device/VrPumpingWait.h"
#include "updater/base/VrResult.h"

CVrCommandWorker::CVrCommandWorker(Host& host) : m_host(host) {}

CVrCommandWorker::~CVrCommandWorker() {
    if (m_thread.joinable()) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_quit = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }
    if (m_finishedEvent) m_host.CloseHandle(m_finishedEvent);
}

// The event and the thread are made on first use and then serve every
// request of the transport.
int32_t CVrCommandWorker::Start(DWORD& systemError) {
    if (!m_finishedEvent) {
        m_finishedEvent = m_host.CreateEvent(nullptr, FALSE, FALSE, nullptr);
        if (!m_finishedEvent) {
            systemError = m_host.GetLastError();
            return kVrNoEvent;
        }
    }
    if (!m_thread.joinable()) {
        try {
            m_thread = std::thread(&CVrCommandWorker::Serve, this);
        } catch (const std::system_error&) {
            systemError = ERROR_NOT_ENOUGH_MEMORY;
            return kVrNoMemory;
        }
    }
    return kVrOk;
}

int32_t CVrCommandWorker::Run(HANDLE device, DWORD code, uint8_t* record, DWORD size, CVrProgress& progress,
                              DWORD& systemError) {
    systemError = 0;
    if (m_running) {
        systemError = ERROR_NOT_READY;
        return kVrControlFailed;
    }
    int32_t result = Start(systemError);
    if (result != kVrOk) return result;
    m_running = true;
    m_host.ResetEvent(m_finishedEvent);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_request = Request{device, code, record, size};
        m_pending = true;
        m_finished = false;
    }
    m_changed.notify_all();
    // A wait that fails leaves the caller to the blocking wait below, which
    // still never lets the record go while in use.
    VrWaitPumping(m_host, m_finishedEvent, progress);
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_finished; });
    systemError = m_error;
    m_running = false;
    return kVrOk;
}

void CVrCommandWorker::Serve() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_pending || m_quit; });
        if (m_quit) return;
        m_pending = false;
        const Request request = m_request;
        lock.unlock();
        DWORD returned = 0;
        BOOL done = m_host.DeviceIoControl(request.device, request.code, request.record, request.size,
                                           request.record, request.size, &returned, nullptr);
        // A failure must never read as success, even without a last error.
        DWORD error = done ? 0 : m_host.GetLastError();
        if (!done && error == 0) error = ERROR_GEN_FAILURE;
        lock.lock();
        m_error = error;
        m_finished = true;
        m_changed.notify_all();
        m_host.SetEvent(m_finishedEvent);
    }
}
