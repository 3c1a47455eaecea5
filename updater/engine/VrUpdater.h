// The download engine the application and the download dialog drive. It owns
// the player's device object and the failure record, and runs a firmware
// download in one of two ways: a plain download into the player's existing
// system drives, or a full download that re-partitions the flash first.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/Host.h"
#include "updater/engine/VrBase.h"
#include "updater/engine/VrErrorRecord.h"
#include "updater/engine/VrProgress.h"
#include "updater/engine/VrVersionInfo.h"

class CVrBaseToCmdLineProcessor;
class CVrConfigInfo;
class CVrRecoveryDev;
class CVrResource;
class CVrUsbMscDev;

class CVrUpdater : public CVrBase {
public:
    CVrUpdater(Host& host, CVrConfigInfo& config, const char* name = "CVrUpdater");
    ~CVrUpdater() override;
    CVrUpdater(const CVrUpdater&) = delete;
    CVrUpdater& operator=(const CVrUpdater&) = delete;

    // Opens the player in mass-storage mode: 0 and -43 mean a usable player,
    // -22 none. The component files are read even without a player.
    int32_t OpenDevice();
    // Closes the device's handle; the next download opens it again.
    void ReleaseDevice();
    // Opens the player in recovery mode (creating its device object first).
    int32_t OpenRecoveryDevice();
    // Streams the mass-storage firmware into the player in recovery mode
    // through `progress`; the recovery device object goes afterwards,
    // whatever the result. -26 when there is none.
    int32_t RecoveryDownload(CVrProgress& progress);
    // Whether the player's current layout holds the new components (`fits`
    // 1) so that a plain download will do. Always returns 0.
    int32_t CanDownloadWithoutFormat(uint32_t& fits);
    int32_t PlainDownload();
    // Re-partitions the player's flash, writes every component and formats
    // the data drive.
    int32_t FullDownload();
    // After a plain download: the player's settings file goes, so that the
    // new firmware starts from its defaults. An absent file is no failure;
    // one that cannot be deleted gives -59 with the system error recorded.
    int32_t DeleteSettingsFile();

    // The versions on the player (current) and in the files (new).
    int32_t GetVersionArrays(const CVrVersionInfoPtrArray*& current, const CVrVersionInfoPtrArray*& next);
    int32_t GetProductVersions(CVrVersionInfo& current, CVrVersionInfo& next);
    wchar_t GetDriveLetter() const;
    uint16_t GetChipRevision() const;

    Host& GetHost() { return m_host; }
    CVrConfigInfo& GetConfig() { return m_config; }
    CVrErrorRecord& GetErrorRecord() { return m_errors; }
    // The language provider, or null before the start-up gives one.
    CVrResource* GetResource() { return m_resource; }
    // The sink of the window that shows the progress; a silent one when no
    // window does.
    CVrProgress& GetProgress() { return m_progress ? *m_progress : m_silentProgress; }
    // Null until the first OpenDevice.
    CVrUsbMscDev* GetDevice() { return m_device.get(); }
    // Null outside a recovery transfer.
    CVrRecoveryDev* GetRecoveryDevice() { return m_recoveryDevice.get(); }

    // The parsed command line, not owned; null until the start-up gives it.
    const CVrBaseToCmdLineProcessor* GetCommandLine() const { return m_commandLine; }
    void SetCommandLine(const CVrBaseToCmdLineProcessor* commandLine) { m_commandLine = commandLine; }
    // The "fat16" command-line option: the formatter gives the data drive
    // FAT16 whatever its size. Without a command line, no.
    bool IsForceFat16() const;

    void SetResource(CVrResource* resource) { m_resource = resource; }
    void SetProgress(CVrProgress* progress) { m_progress = progress; }

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
    CVrResource* m_resource = nullptr;
    CVrConfigInfo& m_config;
    std::unique_ptr<CVrUsbMscDev> m_device;
    std::unique_ptr<CVrRecoveryDev> m_recoveryDevice;
    CVrProgress* m_progress = nullptr;
    const CVrBaseToCmdLineProcessor* m_commandLine = nullptr;
    CVrErrorRecord m_errors;
    SilentProgress m_silentProgress;
};
