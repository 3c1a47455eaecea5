#include "tests/device/ScriptedUnit.h"

#include <algorithm>
#include <cstring>

namespace scripted {

namespace {

uint32_t Le32(const uint8_t* at) { return at[0] | at[1] << 8 | at[2] << 16 | uint32_t(at[3]) << 24; }

}  // namespace

class Unit::File : public SimFileObject {
public:
    explicit File(std::shared_ptr<Unit> unit) : unit_(std::move(unit)) {}
    ~File() override {
        std::lock_guard<std::mutex> lock(unit_->mutex_);
        --unit_->openFiles_;
    }
    DWORD ReadAt(uint64_t offset, void* buffer, DWORD size, DWORD& done) override {
        std::lock_guard<std::mutex> lock(unit_->mutex_);
        unit_->offsets_.push_back(offset);
        std::memset(buffer, 0, size);
        const std::vector<uint8_t>& medium = unit_->medium;
        if (offset < medium.size()) {
            std::memcpy(buffer, medium.data() + offset, std::min<uint64_t>(size, medium.size() - offset));
        }
        done = size;
        return ERROR_SUCCESS;
    }
    DWORD WriteAt(uint64_t offset, const void* buffer, DWORD size, DWORD& done) override {
        std::lock_guard<std::mutex> lock(unit_->mutex_);
        unit_->offsets_.push_back(offset);
        std::vector<uint8_t>& medium = unit_->medium;
        if (medium.size() < offset + size) medium.resize(offset + size);
        std::memcpy(medium.data() + offset, buffer, size);
        done = size;
        return ERROR_SUCCESS;
    }
    uint64_t Size() override { return unit_->medium.size(); }
    DWORD IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD& returned) override {
        return unit_->Control(code, in, inSize, out, outSize, returned);
    }

private:
    std::shared_ptr<Unit> unit_;
};

Unit::Unit(const std::string& vendor, const std::string& product, bool isPlayer)
    : vendor_(vendor), product_(product), isPlayer_(isPlayer) {}

DWORD Unit::Open(const SimOpenRequest&, std::shared_ptr<SimFileObject>& file) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++opens_;
        ++openFiles_;
    }
    file = std::make_shared<File>(shared_from_this());
    return ERROR_SUCCESS;
}

Answer Unit::Respond(const std::vector<uint8_t>& command, const std::vector<uint8_t>& dataOut) {
    if (script) return script(command, dataOut);
    Answer answer;
    if (command[0] == 0x12) {
        answer.data.assign(96, 0);
        std::copy(vendor_.begin(), vendor_.end(), answer.data.begin() + 8);
        std::copy(product_.begin(), product_.end(), answer.data.begin() + 16);
    } else if (command[0] == 0xC0 && command[1] == 0x02 && command[2] == 9) {
        answer.data.assign(1, isPlayer_ ? 1 : 0);
    }
    return answer;
}

DWORD Unit::Control(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD& returned) {
    std::unique_lock<std::mutex> lock(mutex_);
    const uint8_t* input = static_cast<const uint8_t*>(in);
    requests_.push_back(Request{code, std::vector<uint8_t>(input, input + inSize), outSize, in == out});
    returned = 0;
    if (code == kLockVolume || code == kUnlockVolume || code == kDismountVolume) {
        if (volumeFailures == 0) return ERROR_SUCCESS;
        --volumeFailures;
        return volumeError;
    }
    if (code == kGetGeometry) {
        returned = static_cast<DWORD>(std::min<size_t>(geometry.size(), outSize));
        std::copy(geometry.begin(), geometry.begin() + returned, static_cast<uint8_t*>(out));
        return ERROR_SUCCESS;
    }
    if (code == kSetLayout) return ERROR_SUCCESS;
    if (code != kPassThrough || inSize < 71 || inSize != outSize || Le32(input + 44) != inSize) {
        return ERROR_INVALID_PARAMETER;
    }
    // The record as the pass-through driver reads it.
    uint8_t* record = static_cast<uint8_t*>(out);
    const std::vector<uint8_t> command(record + 28, record + 28 + record[6]);
    const uint32_t length = Le32(record + 12);
    std::vector<uint8_t> dataOut;
    if (record[8] == 0) dataOut.assign(record + 70, record + 70 + length);
    lock.unlock();
    Answer answer = Respond(command, dataOut);
    if (answer.error != ERROR_SUCCESS) return answer.error;
    record[2] = answer.status;
    record[7] = static_cast<uint8_t>(std::min<size_t>(answer.sense.size(), 18));
    std::copy(answer.sense.begin(), answer.sense.begin() + record[7], record + 52);
    if (record[8] == 1) {
        std::copy(answer.data.begin(), answer.data.begin() + std::min<size_t>(answer.data.size(), length), record + 70);
    }
    returned = inSize;
    return ERROR_SUCCESS;
}

std::vector<Request> Unit::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

std::vector<std::vector<uint8_t>> Unit::Commands() const {
    std::vector<std::vector<uint8_t>> commands;
    for (const Request& request : Requests()) {
        if (request.code == kPassThrough) commands.emplace_back(request.in.begin() + 28, request.in.begin() + 28 + request.in[6]);
    }
    return commands;
}

int Unit::Opens() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return opens_;
}

int Unit::OpenFiles() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return openFiles_;
}

std::vector<uint64_t> Unit::TransferOffsets() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return offsets_;
}

void Attach(SimMachine& machine, wchar_t letter, UINT type, std::shared_ptr<Unit> unit) {
    machine.MapDrive(letter, std::make_shared<LetterDrive>(type));
    if (unit) machine.RegisterDevice(std::wstring(1, letter) + L":", std::move(unit));
}

std::shared_ptr<Unit> Player() { return std::make_shared<Unit>("Lumo    ", "MP3 Audio Player", true); }

}  // namespace scripted
