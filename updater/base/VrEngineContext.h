// What the objects below the updater need of it: the host, the product
// configuration, the language resources (for the texts of the player's
// status codes), the failure record and the progress sink of the window that
// shows the download. The updater owns one and hands it down, so that device
// access, the formatter, the drives and the firmware components reach these
// services without knowing the updater.
#pragma once

#include "platform/Host.h"
#include "updater/base/VrErrorRecord.h"
#include "updater/base/VrProgress.h"

class CVrConfigInfo;
class CVrResource;

class CVrEngineContext {
public:
    CVrEngineContext(Host& host, CVrConfigInfo& config) : m_host(host), m_config(config) {}
    CVrEngineContext(const CVrEngineContext&) = delete;
    CVrEngineContext& operator=(const CVrEngineContext&) = delete;

    Host& GetHost() const { return m_host; }
    CVrConfigInfo& GetConfig() const { return m_config; }
    CVrErrorRecord& GetErrorRecord() { return m_errors; }
    // The sink of the window that shows the progress; a silent one when no
    // window does.
    CVrProgress& GetProgress() { return m_progress ? *m_progress : m_silentProgress; }
    // The language provider, or null before the start-up gives one.
    CVrResource* GetResource() const { return m_resource; }

    void SetProgress(CVrProgress* progress) { m_progress = progress; }
    void SetResource(CVrResource* resource) { m_resource = resource; }

private:
    // Reports nothing and keeps nothing; stands in while no window shows progress.
    class SilentProgress : public CVrProgress {
    public:
        SilentProgress() : CVrProgress("SilentProgress") {}
        void SetTotal(int32_t) override {}
        void SetStage(int32_t, int32_t) override {}
        void Step(int32_t) override {}
        void StepTotal() override {}
    };

    Host& m_host;
    CVrConfigInfo& m_config;
    CVrResource* m_resource = nullptr;
    CVrProgress* m_progress = nullptr;
    CVrErrorRecord m_errors;
    SilentProgress m_silentProgress;
};
