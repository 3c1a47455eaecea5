// Faults a test asks the player for: a command that fails or hangs, the
// player pulled out at some command, reads of a drive that come back with a
// byte changed, and a player slow to answer. The faults are not part of the
// player's state: they live as long as the player object.
//
// Commands are numbered from 1 in the order they reach the player, the
// PC's sector reads and writes of the medium included.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/sim/player/SimSense.h"

// Which commands a fault strikes: one by its number, or every command with
// an operation code (and, for the vendor codes, the operation in byte 1).
struct SimCommandMatch {
    static constexpr int kAnyOperation = -1;

    uint64_t number = 0;  // 0: match by operation
    BYTE operationCode = 0;
    int operation = kAnyOperation;

    static SimCommandMatch Nth(uint64_t number);
    static SimCommandMatch Every(BYTE operationCode, int operation = kAnyOperation);
    bool Matches(uint64_t commandNumber, BYTE commandCode, BYTE commandOperation) const;
};

// What becomes of a command before the player serves it.
struct SimAdmission {
    enum Verdict { kServe, kFail, kGone };
    Verdict verdict = kServe;
    SimSense sense;  // for kFail and kGone
};

class SimFaults {
public:
    void FailCommand(const SimCommandMatch& match, const SimSense& sense);
    // A matching command blocks until ReleaseHung or Remove; released, it is
    // served as if nothing had happened. Like a device stuck in a
    // command, the player serves nothing else meanwhile.
    void HangCommand(const SimCommandMatch& match);
    // The player is gone when command `number` arrives: that command and all
    // later ones fail, and Connected turns false.
    void RemoveAtCommand(uint64_t number);
    // Sector reads of the drive return their first byte inverted.
    void CorruptReadBack(uint8_t driveNumber);
    // Real time added to every command.
    void SetLatency(std::chrono::milliseconds latency);
    // Drops every fault on request; a removal that happened stays.
    void Clear();

    void Remove();
    void ReleaseHung();
    bool Connected() const { return connected_; }
    // Commands hanging now.
    int Hanging() const;
    uint64_t CommandsServed() const;

    // Counts the command and applies the faults to it; blocks while it
    // hangs, sleeps for the latency.
    SimAdmission Admit(BYTE operationCode, BYTE operation);
    bool CorruptsDrive(uint8_t driveNumber) const;

private:
    struct Failure {
        SimCommandMatch match;
        SimSense sense;
    };

    mutable std::mutex mutex_;
    std::condition_variable hangEnded_;
    std::vector<Failure> failures_;
    std::vector<SimCommandMatch> hangs_;
    std::vector<uint8_t> corruptDrives_;
    uint64_t removeAt_ = 0;
    std::chrono::milliseconds latency_{0};
    uint64_t served_ = 0;
    uint64_t releases_ = 0;  // each ReleaseHung lets the commands hanging then go
    int hanging_ = 0;
    std::atomic<bool> connected_{true};
};
