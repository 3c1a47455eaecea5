// The ASPI layer of a simulated Windows 95, 98 or Me PC, the library
// "WNASPI32.DLL" that programs load to send SCSI commands: its host adapters,
// each with at most one unit at target 0, logical unit 0, and the module each
// process loads, with its two entry points GetASPI32SupportInfo and
// SendASPI32Command.
//
// The module answers as the real layer does: host-adapter inquiry and disk
// information at once; an execute request is checked, marked pending and
// run on the layer's own thread, which then writes the request's status,
// target status and sense area and signals the request's event in the
// process that sent it. Buffers are reached by their 32-bit addresses
// through the PC's memory (SimLowMemory): a request naming memory outside
// the blocks of GlobalAlloc is refused as invalid.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/WinTypes.h"

class SimHost;
class SimLowMemory;
class SimNativeModule;
class SimPlayer;

// How the layer is installed on the PC.
enum class SimAspiInstall {
    kReady,        // loads, both entry points, reports its adapters
    kMissing,      // no WNASPI32.DLL on the PC
    kWithoutSend,  // a damaged library: SendASPI32Command is not exported
    kNotReady,     // loads but reports no adapters (status SS_NO_ADAPTERS)
};

// The request codes, status values and flags of the layer.
namespace SimAspiCode {
const BYTE kHostAdapterInquiry = 0x00;
const BYTE kExecute = 0x02;
const BYTE kDiskInfo = 0x06;

const BYTE kPending = 0x00;
const BYTE kCompleted = 0x01;
const BYTE kError = 0x04;
const BYTE kInvalidCommand = 0x80;
const BYTE kInvalidAdapter = 0x81;
const BYTE kNoDevice = 0x82;
const BYTE kInvalidRequest = 0xE0;
const BYTE kNoAdapters = 0xE8;

const BYTE kDataIn = 0x08;
const BYTE kDataOut = 0x10;
const BYTE kEventNotify = 0x40;

const BYTE kSelectionTimeOut = 0x11;  // adapter status: the unit did not answer
const BYTE kCheckCondition = 0x02;    // target status
}  // namespace SimAspiCode

// The byte offsets of an execute request (80 bytes).
namespace SimAspiExecute {
const DWORD kCommand = 0, kStatus = 1, kAdapter = 2, kFlags = 3, kTarget = 8, kLun = 9;
const DWORD kBufferLength = 12, kBuffer = 16, kSenseLength = 20, kCdbLength = 21;
const DWORD kAdapterStatus = 22, kTargetStatus = 23, kEvent = 24, kCdb = 48, kSense = 64;
const DWORD kSenseRoom = 16;
const DWORD kSize = 80;
}  // namespace SimAspiExecute

struct SimAspiAdapter {
    std::string identifier;           // what the host-adapter inquiry names it, up to 16 characters
    std::shared_ptr<SimPlayer> unit;  // at target 0, logical unit 0; null: nothing there
    // The BIOS drive number of the unit's disk (0x80 and above); 0 when the
    // disk is no INT 13 disk, only the protected-mode driver reaches it.
    BYTE int13Drive = 0;
};

class SimAspi {
public:
    explicit SimAspi(SimLowMemory& memory);
    ~SimAspi();
    SimAspi(const SimAspi&) = delete;
    SimAspi& operator=(const SimAspi&) = delete;

    void SetInstall(SimAspiInstall install);
    SimAspiInstall Install() const;

    // Adds an adapter after the others; returns its number.
    unsigned AddAdapter(const SimAspiAdapter& adapter);
    // Puts `unit` on adapter `number` (null: takes it away), adding empty
    // USB adapters before it as needed.
    void SetUnit(unsigned number, std::shared_ptr<SimPlayer> unit, BYTE int13Drive);
    std::vector<SimAspiAdapter> Adapters() const;

    // What the programs asked for, for tests to check.
    struct Requests {
        unsigned supportInfo = 0;
        unsigned inquiries = 0;
        unsigned diskInfos = 0;
        unsigned executes = 0;  // those that reached a unit
    };
    Requests Asked() const;

    // The module as `process` loads it; null while the layer is missing.
    std::shared_ptr<SimNativeModule> Load(SimHost& process);

private:
    friend class SimAspiModule;
    // The entry points' work. `Send` either answers at once or queues the
    // execute request with `run`, which the module's thread calls.
    DWORD SupportInfo();
    DWORD Answer(BYTE* request, bool& queue);
    void Run(BYTE* request, SimHost& process);

    SimLowMemory& memory_;
    mutable std::mutex mutex_;
    SimAspiInstall install_ = SimAspiInstall::kReady;
    std::vector<SimAspiAdapter> adapters_;
    Requests asked_;
};
