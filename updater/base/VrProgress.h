// The sink through which the engine reports its stages and steps. The download
// dialog and the search dialog implement it. The engine also calls Step(0)
// while a device command is in flight, which is how the single user-interface
// thread keeps its windows alive.
#pragma once

#include <cstdint>

class CVrProgress {
public:
    // The name is taken for symmetry with the engine's objects and not kept.
    explicit CVrProgress(const char* name);
    virtual ~CVrProgress() = default;

    virtual void SetTotal(int32_t steps) = 0;
    // The erase, write and FAT stages name a component or FAT copy: their id
    // is the base stage plus that index.
    virtual void SetComponentStage(int32_t stage, int32_t range, uint32_t componentIndex);
    virtual void SetStage(int32_t stage, int32_t range) = 0;
    virtual void Step(int32_t advance) = 0;
    virtual void StepTotal() = 0;
    // The search dialog goes back to its searching appearance here.
    virtual void ResetView() {}
    virtual int32_t BeginDownload();
    virtual void EndDownload();

    bool IsBusy() const { return m_busy != 0; }

protected:
    int32_t m_total = 0;
    int32_t m_stageRange = 0;
    int32_t m_stage = 0;
    uint32_t m_busy = 0;
};
