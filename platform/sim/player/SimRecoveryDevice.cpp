#include "platform/sim/player/SimRecoveryDevice.h"

#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/sim/SimDeviceFile.h"
#include "platform/sim/SimSharing.h"
#include "platform/sim/player/SimBoot.h"
#include "platform/sim/player/SimFlashPlayer.h"

namespace {

const DWORD kPiece = 4096;

}  // namespace

struct SimRecoveryDevice::State {
    struct Pending {
        std::function<void(DWORD, DWORD)> done;
        DWORD error = ERROR_SUCCESS;
        DWORD written = 0;
        std::vector<BYTE> image;  // the whole image this write completed, if it did
    };

    State(std::shared_ptr<SimFlashPlayer> player, std::function<void()> recovered)
        : player(std::move(player)), recovered(std::move(recovered)) {}
    bool Present() const { return !withdrawn && player->Connected(); }

    const std::shared_ptr<SimFlashPlayer> player;
    const std::function<void()> recovered;
    mutable std::mutex mutex;
    SimShareState sharing;
    bool withdrawn = false;
    SimRecoveryFaults faults;
    SimRecoveryCounts counts;
    std::vector<BYTE> stream;
    std::optional<Pending> pending;  // one write in flight at a time
    uint64_t pendingId = 0;
};

// A write that brought the whole image makes the player take it and start again.
void SimRecoveryDevice::Complete(const std::shared_ptr<State>& state, uint64_t id) {
    std::optional<State::Pending> write;
    {
        std::lock_guard<std::mutex> lock(state->mutex);
        if (!state->pending || state->pendingId != id) return;
        write.swap(state->pending);
    }
    // The player has its new firmware before the program learns that the
    // last piece arrived, so whoever waits for the drive after the stream
    // finds it.
    if (!write->image.empty()) {
        state->player->WithState([&](SimPlayerState& player) {
            SimStoreRecoveredFirmware(player, write->image);
            player.mode = SimPlayerMode::kMassStorage;
        });
        {
            std::lock_guard<std::mutex> lock(state->mutex);
            ++state->counts.recoveries;
        }
        if (state->recovered) state->recovered();
    }
    write->done(write->error, write->written);
}

// The driver serves only the overlapped writes of the stream.
class SimRecoveryDevice::Handle final : public SimDeviceFile {
public:
    Handle(std::shared_ptr<State> state, const SimOpenRequest& request)
        : state_(std::move(state)), access_(request.access), share_(request.share) {}

    ~Handle() override {
        CancelPending();  // closing a handle cancels its pending writes
        std::lock_guard<std::mutex> lock(state_->mutex);
        state_->sharing.Leave(access_, share_);
    }

    DWORD WriteAsync(uint64_t offset, const void* buffer, DWORD size,
                     std::function<void(DWORD error, DWORD written)> done) override {
        std::unique_lock<std::mutex> lock(state_->mutex);
        if (!state_->Present()) return ERROR_DEVICE_NOT_CONNECTED;
        if (offset != 0 || size == 0 || size > kPiece || !buffer) return ERROR_INVALID_PARAMETER;
        if (state_->pending) return ERROR_NOT_SUPPORTED;  // the driver queues no second piece
        const unsigned number = ++state_->counts.writes;
        const SimRecoveryFaults& faults = state_->faults;
        State::Pending write;
        write.done = std::move(done);
        if (number == faults.breakWrite) {
            write.error = ERROR_GEN_FAILURE;
            state_->stream.clear();
        } else if (number != faults.hangWrite) {
            write.written = number == faults.shortWrite ? size / 2 : size;
            const BYTE* bytes = static_cast<const BYTE*>(buffer);
            state_->stream.insert(state_->stream.end(), bytes, bytes + write.written);
            state_->counts.bytes += write.written;
            if (SimIsWholeImage(state_->stream.data(), state_->stream.size())) write.image.swap(state_->stream);
        }
        state_->pending = std::move(write);
        const uint64_t id = ++state_->pendingId;
        if (number == faults.hangWrite) return ERROR_SUCCESS;
        if (faults.completionDelay.count() > 0) {
            // The thread holds the state, so the device may go meanwhile.
            std::thread([state = state_, id, delay = faults.completionDelay] {
                std::this_thread::sleep_for(delay);
                Complete(state, id);
            }).detach();
            return ERROR_SUCCESS;
        }
        lock.unlock();
        Complete(state_, id);
        return ERROR_SUCCESS;
    }

    void CancelPending() override {
        std::optional<State::Pending> write;
        {
            std::lock_guard<std::mutex> lock(state_->mutex);
            if (!state_->pending) return;
            write.swap(state_->pending);
            ++state_->counts.cancelled;
        }
        write->done(ERROR_OPERATION_ABORTED, 0);
    }

private:
    std::shared_ptr<State> state_;
    const DWORD access_;
    const DWORD share_;
};

SimRecoveryDevice::SimRecoveryDevice(std::shared_ptr<SimFlashPlayer> player, std::function<void()> recovered)
    : state_(std::make_shared<State>(std::move(player), std::move(recovered))) {}

SimRecoveryDevice::~SimRecoveryDevice() = default;

DWORD SimRecoveryDevice::Open(const SimOpenRequest& request, std::shared_ptr<SimFileObject>& file) {
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (!state_->Present()) return ERROR_FILE_NOT_FOUND;
    DWORD error = state_->sharing.Admit(request.access, request.share);
    if (error != ERROR_SUCCESS) return error;
    state_->stream.clear();
    ++state_->counts.opens;
    file = std::make_shared<Handle>(state_, request);
    return ERROR_SUCCESS;
}

void SimRecoveryDevice::SetFaults(const SimRecoveryFaults& faults) {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->faults = faults;
}

SimRecoveryCounts SimRecoveryDevice::Counts() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->counts;
}

void SimRecoveryDevice::Withdraw() {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->withdrawn = true;
}
