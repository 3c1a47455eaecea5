#include "updater/engine/VrDownloadRun.h"

#include "updater/base/VrResult.h"
#include "updater/base/VrStages.h"
#include "updater/engine/VrUpdater.h"

namespace {

const uint32_t kReformatQuestionId = 161;  // the new layout does not fit: reformat?

enum class Way { kPlain, kFull, kNone };

Way ChooseWay(CVrUpdater& updater, VrDownloadWindow& window, bool& formatBox, bool noQuestions) {
    if (formatBox) return Way::kFull;
    if (updater.CanDownloadWithoutFormat()) return Way::kPlain;
    if (!noQuestions && !window.AskYesNo(kReformatQuestionId)) return Way::kNone;
    formatBox = true;
    return Way::kFull;
}

}  // namespace

int32_t VrRunDownload(CVrUpdater& updater, VrDownloadWindow& window, bool& formatBox, bool noQuestions) {
    Way way = ChooseWay(updater, window, formatBox, noQuestions);
    int32_t result = way == Way::kPlain  ? updater.PlainDownload()
                     : way == Way::kFull ? updater.FullDownload()
                                         : kVrOk;

    window.Report(result);
    updater.GetHost().GetLogicalDrives();  // the drive set as it is now, before the versions are read
    window.RefreshVersions();
    if (way == Way::kPlain && result == kVrOk) {
        // Only a deletion that failed is news; the download's own report said the rest.
        const int32_t deleted = updater.DeleteSettingsFile();
        if (deleted != kVrOk) window.Report(deleted);
    }

    CVrProgress& progress = updater.GetProgress();
    // A declined reformat is no completed download: the final text says
    // that the player was left as it was.
    const int32_t finalStage = way == Way::kNone ? kVrStageNothingWritten
                               : result == kVrOk ? kVrStageCompleted
                                                 : kVrStageFailed;
    progress.SetStage(finalStage, 1);
    progress.Step(1);
    return result;
}
