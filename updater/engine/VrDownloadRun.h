// One press of Start: the choice between a plain and a full download, the
// download itself, and what follows it (the report, the versions shown
// again, the player's settings file, the final stage). The download window
// answers the question, shows the report and the versions.
#pragma once

#include <cstdint>

class CVrUpdater;

class VrDownloadWindow {
public:
    virtual ~VrDownloadWindow() = default;
    // A Yes/No question of the language library: true for Yes.
    virtual bool AskYesNo(uint32_t stringId) = 0;
    // Shows the result of a step the user is to know about (0 shows nothing).
    virtual void Report(int32_t code) = 0;
    // Reads the versions from the engine again and shows them.
    virtual void RefreshVersions() = 0;
};

// `formatBox` is the Format Data Area box: checked, the download is a full
// one; unchecked, the player's layout decides, and where it does not hold the
// new components the box is checked when the user agrees (or without asking
// under `noQuestions`). Returns the download's result; 0 also when the user
// declined, in which case nothing was written and the final stage is
// kVrStageNothingWritten instead of kVrStageCompleted.
int32_t VrRunDownload(CVrUpdater& updater, VrDownloadWindow& window, bool& formatBox, bool noQuestions);
