// The download engine the application and the download dialog drive. It owns
// the player's device object and the failure record, and runs a firmware
// download in one of two ways: a plain download into the player's existing
// system drives, or a full download that re-partitions the flash first.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/Host.h"
#include "updater/base/VrBase.h"
#include "updater/base/VrEngineContext.h"
#include "updater/base/VrVersionInfo.h"

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
    [[nodiscard]] int32_t OpenDevice();
    // Closes the device's handle; the next download opens it again.
    void ReleaseDevice();
    // Opens the player in recovery mode (creating its device object first).
    [[nodiscard]] int32_t OpenRecoveryDevice();
    // Streams the mass-storage firmware into the player in recovery mode
    // through `progress`; the recovery device object goes afterwards,
    // whatever the result. -26 when there is none.
    [[nodiscard]] int32_t RecoveryDownload(CVrProgress& progress);
    // Whether the player's current layout holds the new components, so that
    // a plain download will do. A table that cannot be read again says no.
    bool CanDownloadWithoutFormat();
    [[nodiscard]] int32_t PlainDownload();
    // Re-partitions the player's flash, writes every component and formats
    // the data drive.
    [[nodiscard]] int32_t FullDownload();
    // After a plain download: the player's settings file goes, so that the
    // new firmware starts from its defaults. An absent file is no failure;
    // one that cannot be deleted gives -59 with the system error recorded.
    [[nodiscard]] int32_t DeleteSettingsFile();

    // The versions on the player (current) and in the files (new).
    [[nodiscard]] int32_t GetVersionArrays(const CVrVersionInfoPtrArray*& current, const CVrVersionInfoPtrArray*& next);
    [[nodiscard]] int32_t GetProductVersions(CVrVersionInfo& current, CVrVersionInfo& next);
    wchar_t GetDriveLetter() const;
    uint16_t GetChipRevision() const;

    // What the device objects, the formatter, the drives and the components
    // are given of the updater.
    CVrEngineContext& GetContext() { return m_context; }
    Host& GetHost() { return m_context.GetHost(); }
    CVrConfigInfo& GetConfig() { return m_context.GetConfig(); }
    CVrErrorRecord& GetErrorRecord() { return m_context.GetErrorRecord(); }
    // The language provider, or null before the start-up gives one.
    CVrResource* GetResource() { return m_context.GetResource(); }
    // The sink of the window that shows the progress; a silent one when no
    // window does.
    CVrProgress& GetProgress() { return m_context.GetProgress(); }
    // Null until the first OpenDevice.
    CVrUsbMscDev* GetDevice() { return m_device.get(); }
    // Null outside a recovery transfer.
    CVrRecoveryDev* GetRecoveryDevice() { return m_recoveryDevice.get(); }

    // The "fat16" command-line option: the formatter gives the data drive
    // FAT16 whatever its size. No until the start-up says otherwise.
    void SetForceFat16(bool forceFat16) { m_forceFat16 = forceFat16; }

    void SetResource(CVrResource* resource) { m_context.SetResource(resource); }
    void SetProgress(CVrProgress* progress) { m_context.SetProgress(progress); }

private:
    // Holds the host, the configuration, the resource provider, the
    // progress sink and the failure record; declared first, as the device
    // objects below use it until they are gone.
    CVrEngineContext m_context;
    std::unique_ptr<CVrUsbMscDev> m_device;
    std::unique_ptr<CVrRecoveryDev> m_recoveryDevice;
    bool m_forceFat16 = false;
};
