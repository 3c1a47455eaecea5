// The player in recovery mode: a player whose firmware cannot start is
// served by a driver of its own, reached through numbered device objects.
// The device finds that driver and streams the mass-storage firmware into it
// in overlapped writes of one block each, after which the player can start as
// a mass-storage unit again.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/WinTypes.h"
#include "updater/engine/VrDevice.h"

class CVrFwComponent;
class CVrProgress;
class CVrRecoveryWrite;

class CVrRecoveryDev : public CVrDevice {
public:
    // The driver awaits each write for this long.
    static constexpr DWORD kWriteTimeoutMs = 1000;

    explicit CVrRecoveryDev(CVrEngineContext& context, const char* name = "CVrRecoveryDev");
    ~CVrRecoveryDev() override;
    CVrRecoveryDev(const CVrRecoveryDev&) = delete;
    CVrRecoveryDev& operator=(const CVrRecoveryDev&) = delete;

    // Opens the first device object of the driver that answers and loads the
    // configuration's recovery component. -14 when none answers (the last
    // attempt's system error is kept), -15 without an event, -1 without
    // memory, or the component's failure.
    [[nodiscard]] int32_t Open();
    // Drops the component and the event and closes the device object.
    int32_t Close();
    // Streams the whole component image, one progress step per block, and
    // closes the device object when every block went out.
    [[nodiscard]] int32_t Download(CVrProgress& progress);
    // One overlapped write of `length` bytes (at most one block): -13 when it
    // cannot start or writes fewer bytes, -16 when it does not complete in
    // time and is cancelled.
    [[nodiscard]] int32_t WriteBlock(const uint8_t* buffer, uint32_t length);

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    // The name of the device object that opened.
    const std::wstring& GetDevicePath() const { return m_devicePath; }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    std::unique_ptr<CVrFwComponent> m_component;
    // Owns the event and the block of the write in flight; released, not
    // deleted, because a cancelled write may still hold it (see the record).
    CVrRecoveryWrite* m_write = nullptr;
    std::wstring m_devicePath;
};
