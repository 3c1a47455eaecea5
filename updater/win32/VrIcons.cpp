#include "updater/win32/VrIcons.h"

#include "updater/app/VrDialogIds.h"
#include "updater/base/VrErrorRecord.h"
#include "updater/base/VrResult.h"

int32_t CVrIconLoader::GetIcon(int iconId, HICON& icon) {
    int size = iconId == kVrAboutIcon ? 32 : 16;
    icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId),
                                           IMAGE_ICON, size, size, LR_SHARED));
    if (icon) return SetResult(kVrOk);
    m_systemError = ::GetLastError();
    SetResult(kVrIconNotLoaded);
    if (m_record) m_record->Record(*this);
    return m_result;
}
