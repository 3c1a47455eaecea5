#include "platform/sim/player/SimFaults.h"

#include <algorithm>
#include <thread>

SimCommandMatch SimCommandMatch::Nth(uint64_t number) {
    SimCommandMatch match;
    match.number = number;
    return match;
}

SimCommandMatch SimCommandMatch::Every(BYTE operationCode, int operation) {
    SimCommandMatch match;
    match.operationCode = operationCode;
    match.operation = operation;
    return match;
}

bool SimCommandMatch::Matches(uint64_t commandNumber, BYTE commandCode, BYTE commandOperation) const {
    if (number != 0) return number == commandNumber;
    return operationCode == commandCode && (operation == kAnyOperation || operation == commandOperation);
}

void SimFaults::FailCommand(const SimCommandMatch& match, const SimSense& sense) {
    std::lock_guard<std::mutex> lock(mutex_);
    failures_.push_back({match, sense});
}

void SimFaults::HangCommand(const SimCommandMatch& match) {
    std::lock_guard<std::mutex> lock(mutex_);
    hangs_.push_back(match);
}

void SimFaults::RemoveAtCommand(uint64_t number) {
    std::lock_guard<std::mutex> lock(mutex_);
    removeAt_ = number;
}

void SimFaults::CorruptReadBack(uint8_t driveNumber) {
    std::lock_guard<std::mutex> lock(mutex_);
    corruptDrives_.push_back(driveNumber);
}

void SimFaults::SetLatency(std::chrono::milliseconds latency) {
    std::lock_guard<std::mutex> lock(mutex_);
    latency_ = latency;
}

void SimFaults::Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    failures_.clear();
    hangs_.clear();
    corruptDrives_.clear();
    removeAt_ = 0;
    latency_ = std::chrono::milliseconds(0);
}

void SimFaults::Remove() {
    std::lock_guard<std::mutex> lock(mutex_);
    connected_ = false;
    hangEnded_.notify_all();
}

void SimFaults::ReleaseHung() {
    std::lock_guard<std::mutex> lock(mutex_);
    ++releases_;
    hangEnded_.notify_all();
}

int SimFaults::Hanging() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return hanging_;
}

uint64_t SimFaults::CommandsServed() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return served_;
}

SimAdmission SimFaults::Admit(BYTE operationCode, BYTE operation) {
    std::unique_lock<std::mutex> lock(mutex_);
    const uint64_t number = ++served_;
    const SimAdmission gone{SimAdmission::kGone, SimSense::MediumNotPresent()};
    if (removeAt_ == number) connected_ = false;
    if (!connected_) return gone;

    auto matches = [&](const SimCommandMatch& match) { return match.Matches(number, operationCode, operation); };
    if (std::any_of(hangs_.begin(), hangs_.end(), matches)) {
        const uint64_t release = releases_ + 1;
        ++hanging_;
        hangEnded_.wait(lock, [&] { return releases_ >= release || !connected_; });
        --hanging_;
        if (!connected_) return gone;
    }
    for (const Failure& failure : failures_)
        if (matches(failure.match)) return {SimAdmission::kFail, failure.sense};

    const std::chrono::milliseconds latency = latency_;
    lock.unlock();
    if (latency.count() > 0) std::this_thread::sleep_for(latency);
    return {};
}

bool SimFaults::CorruptsDrive(uint8_t driveNumber) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::find(corruptDrives_.begin(), corruptDrives_.end(), driveNumber) != corruptDrives_.end();
}
