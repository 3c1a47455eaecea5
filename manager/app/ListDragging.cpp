#include "manager/app/ListDragging.h"

#include "manager/app/ManagerControls.h"
#include "manager/app/SkinResources.h"

bool InsideSkinRect(const SkinRect& rect, WindowPoint point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

WindowPoint ListPointInWindow(const SkinRect& list, int x, int y) { return {x + list.left, y + list.top}; }

bool DragCursorIsArrow(const ListPlaces& places, WindowPoint point) {
    return InsideSkinRect(places.pc, point) || InsideSkinRect(places.player, point);
}

bool DropCommand(int source, const ListPlaces& places, WindowPoint point, ManagerCommand& command) {
    if (source == kPcList && InsideSkinRect(places.player, point)) {
        command = kCopyToPlayerCommand;
        return true;
    }
    if (source == kPlayerList && InsideSkinRect(places.pc, point)) {
        command = kCopyToPcCommand;
        return true;
    }
    return false;
}

bool HasHandCursor(int control) {
    switch (control) {
    case kMinimiseButton:
    case kCloseButton:
    case kFormatButton:
    case kDeleteButton:
    case kCopyToPcButton:
    case kCopyToPlayerButton:
        return true;
    default:
        return false;
    }
}

HandCursorStep HandCursorFor(ButtonMouse event, bool pressed) {
    switch (event) {
    case ButtonMouse::kLeftDown:
        pressed = true;
        break;
    case ButtonMouse::kLeftUp:
        pressed = false;
        break;
    case ButtonMouse::kMove:
        break;
    }
    return {pressed ? kHandPressedCursor : kHandCursor, pressed};
}
