#include "updater/base/VrProgress.h"

#include "updater/base/VrResult.h"
#include "updater/base/VrStages.h"

CVrProgress::CVrProgress(const char* /*name*/) {}

void CVrProgress::SetComponentStage(int32_t stage, int32_t range, uint32_t componentIndex) {
    if (stage == kVrStageEraseComponent || stage == kVrStageWriteComponent ||
        stage == kVrStageWriteFat) {
        stage += static_cast<int32_t>(componentIndex & 0xFF);
    }
    SetStage(stage, range);
}

int32_t CVrProgress::BeginDownload() {
    m_busy = 1;
    return kVrOk;
}

void CVrProgress::EndDownload() { m_busy = 0; }
