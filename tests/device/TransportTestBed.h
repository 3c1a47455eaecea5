// A simulated Windows XP PC with Caddis's updater and its pass-through
// transport, for tests that drive the transport against scripted units.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "platform/sim/SimHost.h"
#include "platform/sim/SimMachine.h"
#include "tests/device/ScriptedUnit.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/base/VrResource.h"
#include "updater/device/VrScsi_Nt.h"
#include "updater/base/VrProgress.h"
#include "updater/base/VrResult.h"
#include "updater/engine/VrUpdater.h"

namespace scripted {

// Counts the turns the interface gets; a unit may wait for one to arrive
// while it holds a command.
class StepCounter : public CVrProgress {
public:
    StepCounter() : CVrProgress("StepCounter") {}
    void SetTotal(int32_t) override {}
    void SetStage(int32_t, int32_t) override {}
    void StepTotal() override {}
    void Step(int32_t) override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++steps_;
            stepped_.notify_all();
        }
        if (onStep) onStep();
    }
    // What a window message handled during the step would do.
    std::function<void()> onStep;
    int Steps() {
        std::lock_guard<std::mutex> lock(mutex_);
        return steps_;
    }
    // Whether the step count passes `count` within a few seconds.
    bool WaitBeyond(int count) {
        std::unique_lock<std::mutex> lock(mutex_);
        return stepped_.wait_for(lock, std::chrono::seconds(5), [&] { return steps_ > count; });
    }

private:
    std::mutex mutex_;
    std::condition_variable stepped_;
    int steps_ = 0;
};

// A process whose message queue receives `messages` messages while it waits.
class MessagingHost : public SimHost {
public:
    using SimHost::SimHost;
    DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                    DWORD wakeMask) override {
        if (messages > 0) {
            --messages;
            return WAIT_OBJECT_0 + count;
        }
        return SimHost::MsgWaitForMultipleObjects(count, handles, waitAll, milliseconds, wakeMask);
    }
    int messages = 0;
};

// Device status messages by code; the rest have none.
class StatusTexts : public CVrResource {
public:
    int32_t GetDeviceStatusText(uint32_t status, std::wstring& text, bool) override {
        auto found = texts.find(static_cast<uint16_t>(status));
        if (found == texts.end()) return kVrUnknownDeviceStatus;
        text = found->second;
        return kVrOk;
    }
    int32_t GetString(uint32_t, std::wstring&) override { return kVrStringNotLoaded; }
    std::map<uint16_t, std::wstring> texts;
};

struct TransportTestBed {
    TransportTestBed() { updater.SetProgress(&progress); }

    SimMachine machine;
    MessagingHost host{machine, L"C:\\Caddis\\Caddis.exe"};
    CVrConfigInfo config;
    CVrUpdater updater{host, config};
    StepCounter progress;
    CVrScsi_Nt transport{updater.GetContext()};
};

}  // namespace scripted
