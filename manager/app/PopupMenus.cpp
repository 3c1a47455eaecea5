#include "manager/app/PopupMenus.h"

#include "manager/app/ManagerControls.h"

std::vector<PopupItem> PopupMenuItems(int button, const MenuContext& context) {
    // Nothing that changes files runs beside a preview: the preview holds
    // the file it plays.
    const bool idle = !context.previewPlaying;
    switch (button) {
    case kFileMenuButton: {
        const bool marked = context.activeSide == 1 ? context.pcListMarked : context.playerListMarked;
        return {{kDeleteCommand, kDeleteText, idle && marked}, {kExitCommand, kExitText, true}};
    }
    case kCopyMenuButton:
        return {{kCopyToPlayerCommand, kCopyToPlayerText, idle && context.activeSide == 1 && context.pcListMarked},
                {kCopyToPcCommand, kCopyToPcText, idle && context.activeSide == 0 && context.playerListMarked}};
    case kRefreshMenuButton:
        return {{kRefreshCommand, kRefreshText, true}};
    case kHelpMenuButton:
        return {{kHelpCommand, kHelpText, true}};
    default:
        return {};
    }
}
