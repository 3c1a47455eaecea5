// The program's own icons, loaded from its module: the about box's picture
// (135) at 32 by 32, every other (the windows' icon, 128) at 16 by 16.
#pragma once

#include <windows.h>

#include <cstdint>

#include "updater/base/VrBase.h"

class CVrErrorRecord;

class CVrIconLoader : public CVrBase {
public:
    CVrIconLoader() : CVrBase("CVrIconLoader") {}

    // Where a failed load is recorded; none until the engine exists.
    void SetFailureRecord(CVrErrorRecord* record) { m_record = record; }

    // 0 with a shared icon (the system frees it with the module), or -41 with
    // the system error recorded.
    int32_t GetIcon(int iconId, HICON& icon);

private:
    CVrErrorRecord* m_record = nullptr;
};
