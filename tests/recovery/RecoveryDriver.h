// A scripted recovery-mode driver for the simulated PC: one device object
// whose stream records every piece written to it and completes each write as
// the test says - at once, short, later from a thread of its own, only when
// cancelled, or not even then until the test lets it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/sim/SimDrive.h"

class RecoveryDriver : public SimDevice {
public:
    enum class Completion { AtOnce, Short, Later, OnCancel, Held };

    ~RecoveryDriver() override;

    DWORD Open(const SimOpenRequest& request, std::shared_ptr<SimFileObject>& file) override;

    // What the writes do from now on.
    Completion completion = Completion::AtOnce;
    // The error a write fails to start with (0: it starts).
    DWORD startError = ERROR_SUCCESS;
    // The error an open fails with (0: it opens).
    DWORD openError = ERROR_SUCCESS;

    // Completes a held write, as the driver finally letting go of it.
    void CompleteHeld();
    // The pieces in the order written, the offsets they were written at, and
    // the pieces end to end.
    std::vector<std::vector<uint8_t>> Pieces();
    std::vector<uint64_t> Offsets();
    std::vector<uint8_t> Written();
    int Cancels();
    int Opens();
    const SimOpenRequest& LastRequest() const { return request_; }
    // Whether a handle on the stream is still open.
    bool StreamOpen() const { return !stream_.expired(); }

private:
    class Stream;
    friend class Stream;
    using Done = std::function<void(DWORD, DWORD)>;

    DWORD Write(uint64_t offset, const void* buffer, DWORD size, Done done);
    void Cancel();

    std::mutex mutex_;
    std::vector<std::vector<uint8_t>> pieces_;
    std::vector<uint64_t> offsets_;
    std::vector<Done> pending_;
    std::vector<std::thread> completers_;
    int cancels_ = 0;
    int opens_ = 0;
    SimOpenRequest request_;
    std::weak_ptr<SimFileObject> stream_;
};
