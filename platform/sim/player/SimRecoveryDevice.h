// The player in recovery mode as its kernel driver shows it: a numbered
// device object ("\\.\VrMp3RecDevice0") and nothing else, no drive letter,
// no volume. A program opens it for overlapped writes and sends the
// mass-storage firmware as a stream: each write of up to 4096 bytes at file
// offset 0 is the next piece. Every open starts the stream afresh. Once the
// stream holds a whole image (its last four bytes the CRC-32 of the bytes
// before, so the updater's short last write ends it) the player stores it
// (SimStoreRecoveredFirmware), leaves recovery mode and restarts as a
// mass-storage device: the device calls back whoever shows the player on
// the PC, and only then completes the last write.
//
// A write completes at once on the writing thread, or later on a thread of
// the device's own when a completion delay is set, which is what makes the
// program's alertable wait earn its keep.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/sim/SimDrive.h"

class SimFlashPlayer;

// Faults by write number, counted from 1 over the device's life; 0 is off.
struct SimRecoveryFaults {
    unsigned shortWrite = 0;  // completes having taken half the bytes
    unsigned hangWrite = 0;   // never completes; a cancel ends it with ERROR_OPERATION_ABORTED
    unsigned breakWrite = 0;  // fails with ERROR_GEN_FAILURE: the stream so far is lost
    std::chrono::milliseconds completionDelay{0};
};

struct SimRecoveryCounts {
    unsigned opens = 0;
    unsigned writes = 0;      // writes that started
    uint64_t bytes = 0;       // bytes the player took
    unsigned cancelled = 0;   // writes ended by a cancel
    unsigned recoveries = 0;  // whole images received
};

class SimRecoveryDevice final : public SimDevice {
public:
    // `recovered` runs once the player has taken a whole image and changed
    // its mode, on the thread that completed the last write.
    SimRecoveryDevice(std::shared_ptr<SimFlashPlayer> player, std::function<void()> recovered);
    ~SimRecoveryDevice() override;

    DWORD Open(const SimOpenRequest& request, std::shared_ptr<SimFileObject>& file) override;

    void SetFaults(const SimRecoveryFaults& faults);
    SimRecoveryCounts Counts() const;
    // The player left recovery mode or was pulled out: the name no longer
    // opens, open handles fail with ERROR_DEVICE_NOT_CONNECTED.
    void Withdraw();

private:
    struct State;
    class Handle;

    // Completes write `id` unless a cancel got there first.
    static void Complete(const std::shared_ptr<State>& state, uint64_t id);

    std::shared_ptr<State> state_;
};
