// A SCSI unit on the simulated PC for the transport's tests: opened as
// \\.\<name>, it takes pass-through requests and answers them from a script,
// fails volume requests on demand and keeps what reached it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sim/SimDrive.h"
#include "platform/sim/SimMachine.h"

namespace scripted {

const DWORD kPassThrough = 0x4D004;
const DWORD kLockVolume = 0x90018;
const DWORD kUnlockVolume = 0x9001C;
const DWORD kDismountVolume = 0x90020;
const DWORD kGetGeometry = 0x70000;
const DWORD kSetLayout = 0x7C010;

struct Answer {
    DWORD error = ERROR_SUCCESS;  // the call itself fails with this
    uint8_t status = 0;           // SCSI status; 2 is a check condition
    std::vector<uint8_t> data;    // data in, placed in the record's data buffer
    std::vector<uint8_t> sense;
};

// One control request as it reached the unit.
struct Request {
    DWORD code = 0;
    std::vector<uint8_t> in;
    DWORD outSize = 0;
    bool sameBuffer = false;  // input and output were one buffer
};

class Unit : public SimDevice, public std::enable_shared_from_this<Unit> {
public:
    // Answers INQUIRY with this identity and media information type 9 with
    // `isPlayer`; every other command succeeds without data.
    Unit(const std::string& vendor, const std::string& product, bool isPlayer);

    DWORD Open(const SimOpenRequest& request, std::shared_ptr<SimFileObject>& file) override;

    // Replaces the answer to commands; the arguments are the command bytes
    // and the outgoing data.
    std::function<Answer(const std::vector<uint8_t>&, const std::vector<uint8_t>&)> script;
    // Volume requests (lock, unlock, dismount) fail this many times.
    int volumeFailures = 0;
    DWORD volumeError = ERROR_ACCESS_DENIED;
    std::vector<uint8_t> geometry;  // the disk geometry answer

    std::vector<Request> Requests() const;
    std::vector<std::vector<uint8_t>> Commands() const;  // command bytes of each pass-through
    int Opens() const;
    int OpenFiles() const;
    // Sector transfers: offsets and bytes the volume saw.
    std::vector<uint64_t> TransferOffsets() const;
    std::vector<uint8_t> medium;

private:
    class File;
    DWORD Control(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD& returned);
    Answer Respond(const std::vector<uint8_t>& command, const std::vector<uint8_t>& dataOut);

    std::string vendor_, product_;
    bool isPlayer_;
    mutable std::mutex mutex_;
    std::vector<Request> requests_;
    std::vector<uint64_t> offsets_;
    int opens_ = 0;
    int openFiles_ = 0;
};

// A drive letter whose root the system reports as a drive of `type`; its
// volume is reached through the device of the same name.
class LetterDrive : public SimDrive {
public:
    explicit LetterDrive(UINT type) : type_(type) {}
    UINT Type() const override { return type_; }
    DWORD Open(const std::vector<std::wstring>&, const SimOpenRequest&, std::shared_ptr<SimFileObject>&,
               bool&) override {
        return ERROR_ACCESS_DENIED;
    }
    DWORD GetAttributes(const std::vector<std::wstring>&, DWORD&) override { return ERROR_ACCESS_DENIED; }
    DWORD SetAttributes(const std::vector<std::wstring>&, DWORD) override { return ERROR_ACCESS_DENIED; }
    DWORD Remove(const std::vector<std::wstring>&) override { return ERROR_ACCESS_DENIED; }

private:
    UINT type_;
};

// Maps `letter` as a drive of `type` and, when `unit` is given, registers it
// as that letter's volume device.
void Attach(SimMachine& machine, wchar_t letter, UINT type, std::shared_ptr<Unit> unit);

// The identity the updater looks for.
std::shared_ptr<Unit> Player();

}  // namespace scripted
