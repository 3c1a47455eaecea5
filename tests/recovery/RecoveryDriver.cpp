#include "tests/recovery/RecoveryDriver.h"

#include <chrono>

#include "platform/sim/SimDeviceFile.h"

class RecoveryDriver::Stream : public SimDeviceFile {
public:
    explicit Stream(RecoveryDriver& driver) : driver_(driver) {}
    DWORD WriteAsync(uint64_t offset, const void* buffer, DWORD size, Done done) override {
        return driver_.Write(offset, buffer, size, std::move(done));
    }
    void CancelPending() override { driver_.Cancel(); }

private:
    RecoveryDriver& driver_;
};

RecoveryDriver::~RecoveryDriver() {
    for (std::thread& completer : completers_) completer.join();
}

DWORD RecoveryDriver::Open(const SimOpenRequest& request, std::shared_ptr<SimFileObject>& file) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++opens_;
    request_ = request;
    if (openError != ERROR_SUCCESS) return openError;
    file = std::make_shared<Stream>(*this);
    stream_ = file;
    return ERROR_SUCCESS;
}

DWORD RecoveryDriver::Write(uint64_t offset, const void* buffer, DWORD size, Done done) {
    std::lock_guard<std::mutex> lock(mutex_);
    const uint8_t* bytes = static_cast<const uint8_t*>(buffer);
    pieces_.emplace_back(bytes, bytes + size);
    offsets_.push_back(offset);
    if (startError != ERROR_SUCCESS) return startError;
    switch (completion) {
    case Completion::AtOnce: done(ERROR_SUCCESS, size); break;
    case Completion::Short: done(ERROR_SUCCESS, size - 1); break;
    case Completion::Later:
        completers_.emplace_back([done, size] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            done(ERROR_SUCCESS, size);
        });
        break;
    case Completion::OnCancel:
    case Completion::Held: pending_.push_back(std::move(done)); break;
    }
    return ERROR_SUCCESS;
}

void RecoveryDriver::Cancel() {
    std::lock_guard<std::mutex> lock(mutex_);
    ++cancels_;
    if (completion != Completion::OnCancel) return;
    for (Done& done : pending_) done(ERROR_OPERATION_ABORTED, 0);
    pending_.clear();
}

void RecoveryDriver::CompleteHeld() {
    std::lock_guard<std::mutex> lock(mutex_);
    for (Done& done : pending_) done(ERROR_OPERATION_ABORTED, 0);
    pending_.clear();
}

std::vector<std::vector<uint8_t>> RecoveryDriver::Pieces() {
    std::lock_guard<std::mutex> lock(mutex_);
    return pieces_;
}

std::vector<uint64_t> RecoveryDriver::Offsets() {
    std::lock_guard<std::mutex> lock(mutex_);
    return offsets_;
}

std::vector<uint8_t> RecoveryDriver::Written() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<uint8_t> stream;
    for (const std::vector<uint8_t>& piece : pieces_) stream.insert(stream.end(), piece.begin(), piece.end());
    return stream;
}

int RecoveryDriver::Cancels() {
    std::lock_guard<std::mutex> lock(mutex_);
    return cancels_;
}

int RecoveryDriver::Opens() {
    std::lock_guard<std::mutex> lock(mutex_);
    return opens_;
}
