#include "platform/sim/SimAspi.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <thread>
#include <utility>

#include "platform/sim/SimHost.h"
#include "platform/sim/SimLowMemory.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/player/SimLittleEndian.h"
#include "platform/sim/player/SimPlayer.h"

using namespace SimAspiCode;

namespace {

// The host-adapter inquiry (60 bytes) and the disk information (24 bytes).
const DWORD kInquiryCount = 8, kInquiryScsiId = 9, kInquiryManager = 10, kInquiryIdentifier = 26;
const DWORD kInquiryMaxTargets = 45, kInquiryMaxTransfer = 46;
const DWORD kDiskTarget = 8, kDiskLun = 9, kDiskFlags = 10, kDiskInt13 = 11, kDiskHeads = 12, kDiskSectors = 13;
const BYTE kDiskNotInt13 = 0, kDiskInt13Only = 2;

void PutText(BYTE* at, const std::string& text, size_t width) {
    std::memset(at, ' ', width);
    std::memcpy(at, text.data(), std::min(text.size(), width));
}

bool ValidCdbLength(BYTE length) { return length == 6 || length == 10 || length == 12 || length == 16; }

}  // namespace

// One process's copy of the library. Its entry points are plain functions,
// as a DLL's exports are; each copy takes one of a few numbered slots, whose
// functions find it again. The slot table is the one global of the simulated
// PC, forced by the entry points' signatures, which carry no context.
class SimAspiModule final : public SimNativeModule {
public:
    static constexpr int kSlots = 8;

    SimAspiModule(SimAspi& aspi, SimHost& process, bool exportsSend)
        : aspi_(aspi), process_(process), exportsSend_(exportsSend) {
        std::lock_guard<std::mutex> lock(SlotMutex());
        for (int i = 0; i < kSlots; ++i) {
            if (!Slots()[i]) {
                Slots()[i] = this;
                slot_ = i;
                break;
            }
        }
    }

    ~SimAspiModule() override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            quit_ = true;
        }
        changed_.notify_all();
        if (thread_.joinable()) thread_.join();
        std::lock_guard<std::mutex> lock(SlotMutex());
        if (slot_ >= 0) Slots()[slot_] = nullptr;
    }

    bool Usable() const { return slot_ >= 0; }

    FARPROC Export(const char* name) override {
        const std::string wanted(name);
        if (wanted == "GetASPI32SupportInfo") return Pick(kSupportInfo);
        if (wanted == "SendASPI32Command" && exportsSend_) return Pick(kSend);
        return nullptr;
    }

private:
    using SupportInfoEntry = DWORD (*)();
    using SendEntry = DWORD (*)(void*);

    static std::mutex& SlotMutex() {
        static std::mutex mutex;
        return mutex;
    }
    static SimAspiModule** Slots() {
        static SimAspiModule* slots[kSlots] = {};
        return slots;
    }
    static SimAspiModule* At(int slot) {
        std::lock_guard<std::mutex> lock(SlotMutex());
        return Slots()[slot];
    }

    template <int N>
    static DWORD SupportInfoAt() {
        SimAspiModule* module = At(N);
        return module ? module->aspi_.SupportInfo() : DWORD(kNoAdapters) << 8;
    }
    template <int N>
    static DWORD SendAt(void* request) {
        SimAspiModule* module = At(N);
        return module ? module->Send(static_cast<BYTE*>(request)) : kNoAdapters;
    }

    enum Entry { kSupportInfo, kSend };
    template <int... N>
    FARPROC PickFrom(Entry entry, std::integer_sequence<int, N...>) const {
        static const SupportInfoEntry infos[] = {&SupportInfoAt<N>...};
        static const SendEntry sends[] = {&SendAt<N>...};
        // Through the generic function type, as a loader hands out any export.
        using Generic = void (*)();
        return reinterpret_cast<FARPROC>(entry == kSupportInfo ? reinterpret_cast<Generic>(infos[slot_])
                                                               : reinterpret_cast<Generic>(sends[slot_]));
    }
    FARPROC Pick(Entry entry) const { return PickFrom(entry, std::make_integer_sequence<int, kSlots>()); }

    DWORD Send(BYTE* request) {
        if (!request) return kInvalidRequest;
        bool queue = false;
        const DWORD status = aspi_.Answer(request, queue);
        if (!queue) return status;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            queue_.push_back(request);
            if (!thread_.joinable()) thread_ = std::thread(&SimAspiModule::Serve, this);
        }
        changed_.notify_all();
        return kPending;
    }

    // Requests run one after the other, in the order they were sent.
    void Serve() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return quit_ || !queue_.empty(); });
            if (queue_.empty()) return;
            BYTE* request = queue_.front();
            queue_.pop_front();
            lock.unlock();
            aspi_.Run(request, process_);
            lock.lock();
        }
    }

    SimAspi& aspi_;
    SimHost& process_;
    const bool exportsSend_;
    int slot_ = -1;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<BYTE*> queue_;
    bool quit_ = false;
    std::thread thread_;
};

SimAspi::SimAspi(SimLowMemory& memory) : memory_(memory) {}

SimAspi::~SimAspi() = default;

void SimAspi::SetInstall(SimAspiInstall install) {
    std::lock_guard<std::mutex> lock(mutex_);
    install_ = install;
}

SimAspiInstall SimAspi::Install() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return install_;
}

unsigned SimAspi::AddAdapter(const SimAspiAdapter& adapter) {
    std::lock_guard<std::mutex> lock(mutex_);
    adapters_.push_back(adapter);
    return static_cast<unsigned>(adapters_.size() - 1);
}

void SimAspi::SetUnit(unsigned number, std::shared_ptr<SimPlayer> unit, BYTE int13Drive) {
    std::lock_guard<std::mutex> lock(mutex_);
    while (adapters_.size() <= number) adapters_.push_back({"USB MASS STORAGE", nullptr, 0});
    adapters_[number].unit = std::move(unit);
    adapters_[number].int13Drive = int13Drive;
}

std::vector<SimAspiAdapter> SimAspi::Adapters() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return adapters_;
}

SimAspi::Requests SimAspi::Asked() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return asked_;
}

// A copy needs a free slot: with all of them taken (more processes than a
// test ever starts at once) the library does not load.
std::shared_ptr<SimNativeModule> SimAspi::Load(SimHost& process) {
    const SimAspiInstall install = Install();
    if (install == SimAspiInstall::kMissing) return nullptr;
    auto module = std::make_shared<SimAspiModule>(*this, process, install != SimAspiInstall::kWithoutSend);
    return module->Usable() ? module : nullptr;
}

DWORD SimAspi::SupportInfo() {
    std::lock_guard<std::mutex> lock(mutex_);
    ++asked_.supportInfo;
    if (install_ == SimAspiInstall::kNotReady) return DWORD(kNoAdapters) << 8;
    return DWORD(kCompleted) << 8 | static_cast<BYTE>(adapters_.size());
}

// Inquiry and disk information are answered at once; an execute request is
// checked here and queued. The answer is also the request's status.
DWORD SimAspi::Answer(BYTE* request, bool& queue) {
    using namespace SimAspiExecute;
    queue = false;
    std::lock_guard<std::mutex> lock(mutex_);
    BYTE& status = request[kStatus];
    if (install_ == SimAspiInstall::kNotReady) return status = kNoAdapters;
    const BYTE number = request[kAdapter];
    if (number >= adapters_.size()) return status = kInvalidAdapter;
    const SimAspiAdapter& adapter = adapters_[number];
    switch (request[kCommand]) {
    case kHostAdapterInquiry:
        ++asked_.inquiries;
        request[kInquiryCount] = static_cast<BYTE>(adapters_.size());
        request[kInquiryScsiId] = 7;
        PutText(request + kInquiryManager, "ASPI for WIN32", 16);
        PutText(request + kInquiryIdentifier, adapter.identifier, 16);
        request[kInquiryMaxTargets] = 8;
        SimPut32(request + kInquiryMaxTransfer, 0x10000);
        return status = kCompleted;
    case kDiskInfo: {
        ++asked_.diskInfos;
        if (request[kDiskTarget] != 0 || request[kDiskLun] != 0 || !adapter.unit) return status = kNoDevice;
        const bool int13 = adapter.int13Drive >= 0x80;
        request[kDiskFlags] = int13 ? kDiskInt13Only : kDiskNotInt13;
        request[kDiskInt13] = int13 ? adapter.int13Drive : 0;
        request[kDiskHeads] = int13 ? 255 : 0;
        request[kDiskSectors] = int13 ? 63 : 0;
        return status = kCompleted;
    }
    case kExecute: {
        if (request[kTarget] != 0 || request[kLun] != 0 || !adapter.unit) return status = kNoDevice;
        const BYTE flags = request[kFlags];
        const BYTE direction = flags & (kDataIn | kDataOut);
        const DWORD length = SimGet32(request + kBufferLength);
        const bool badDirection = direction == (kDataIn | kDataOut) || (direction == 0 && length != 0);
        const bool badBuffer = length != 0 && !memory_.Reach(SimGet32(request + kBuffer), length);
        // Only event notification is served: a posting routine is no address here.
        const bool badNotice = (flags & ~(kDataIn | kDataOut | kEventNotify)) != 0 ||
                               ((flags & kEventNotify) && SimGet32(request + kEvent) == 0);
        if (!ValidCdbLength(request[kCdbLength]) || badDirection || badBuffer || badNotice) {
            return status = kInvalidRequest;
        }
        ++asked_.executes;
        queue = true;
        return status = kPending;
    }
    default:
        return status = kInvalidCommand;
    }
}

// The unit takes its time outside the layer's lock; the status is written
// last, the event signalled after it.
void SimAspi::Run(BYTE* request, SimHost& process) {
    using namespace SimAspiExecute;
    std::shared_ptr<SimPlayer> unit;
    BYTE* buffer = nullptr;
    const DWORD length = SimGet32(request + kBufferLength);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        unit = adapters_[request[kAdapter]].unit;
        if (length) buffer = memory_.Reach(SimGet32(request + kBuffer), length);
    }
    const bool out = (request[kFlags] & kDataOut) != 0;
    SimScsiStatus result;
    const bool answered = unit && unit->Connected() && (buffer || length == 0);
    if (answered) {
        result = unit->Execute(request + kCdb, request[kCdbLength], out ? buffer : nullptr, out ? length : 0,
                               out ? nullptr : buffer, out ? 0 : length);
    }
    BYTE status = kCompleted;
    if (!answered || !unit->Connected()) {
        request[kAdapterStatus] = kSelectionTimeOut;
        status = kError;
    } else if (result.status != SimScsiStatus::kGood) {
        request[kTargetStatus] = result.status;
        const size_t sense = std::min<size_t>({request[kSenseLength], kSenseRoom, result.sense.size()});
        if (sense) std::memcpy(request + kSense, result.sense.data(), sense);
        status = kError;
    }
    request[kStatus] = status;
    if (request[kFlags] & kEventNotify) {
        process.SetEvent(reinterpret_cast<HANDLE>(static_cast<uintptr_t>(SimGet32(request + kEvent))));
    }
}
