// Dragging files from one list onto the other, which starts the copy toward
// it, and the hand cursor over the window's main buttons. Both look at the
// controls' mouse messages before the controls do: a list's messages are
// seen in the main window's coordinates, by the list's place in the skin.

#include "manager/window/ManagerDlg.h"

#include <windowsx.h>

#include "manager/app/ManagerControls.h"
#include "manager/app/SkinElements.h"

namespace {

const COLORREF kDragBackground = RGB(0, 255, 0);  // see-through in the drag image
const int kDragHotSpot = 8;

}  // namespace

void CManagerDlg::SetUpMouseFilters() {
    for (int list : {kPcList, kPlayerList}) {
        (list == kPcList ? m_pcList : m_playerList).SetMouseFilter([this, list](HWND, UINT message, WPARAM, LPARAM lParam) {
            FilterListMouse(list, message, lParam);
            return false;
        });
    }
    for (auto& button : m_buttons) {
        if (!HasHandCursor(button.first)) continue;
        button.second->SetMouseFilter([this](HWND, UINT message, WPARAM, LPARAM) {
            FilterButtonMouse(message);
            return false;
        });
    }
}

ListPlaces CManagerDlg::Places() const {
    ListPlaces places;
    if (const SkinElementSlot* pc = SkinElementOf(kPcList)) places.pc = m_layout.Element(pc->string.id).rect;
    if (const SkinElementSlot* player = SkinElementOf(kPlayerList)) {
        places.player = m_layout.Element(player->string.id).rect;
    }
    return places;
}

void CManagerDlg::BeginDrag(int list, POINT start) {
    if (list == kPcList && !m_tree.SelectedItem()) return;
    CShellList& source = list == kPcList ? m_pcList : m_playerList;
    m_draggedRows.clear();
    for (int row = -1; (row = source.GetNextItem(row, LVNI_SELECTED)) != -1;) m_draggedRows.push_back(row);
    const LONG_PTR style = ::GetWindowLongPtrW(source, GWL_STYLE);
    if (style & LVS_SINGLESEL) ::SetWindowLongPtrW(source, GWL_STYLE, style & ~LVS_SINGLESEL);
    m_dragImage = ComposeDragImage(source, m_draggedRows);
    // Without a picture there is no drag at all: a drag nobody sees, without
    // the capture, would drop on the next release over the list.
    if (!m_dragImage) return;
    m_dragging = true;
    m_dragSource = list;
    const ListPlaces places = Places();
    const SkinRect& place = list == kPcList ? places.pc : places.player;
    ::ImageList_BeginDrag(m_dragImage, 0, kDragHotSpot, kDragHotSpot);
    ::ImageList_DragEnter(GetHandle(), place.left + start.x, place.top + start.y);
    ::SetCapture(source);
}

HIMAGELIST CManagerDlg::ComposeDragImage(const CShellList& list, const std::vector<int>& rows) const {
    RECT bounds = {};
    for (int row : rows) {
        RECT item = {LVIR_BOUNDS, 0, 0, 0};
        if (!list.Send(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item))) continue;
        ::UnionRect(&bounds, &bounds, &item);
    }
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0) return nullptr;

    HDC screen = ::GetDC(nullptr);
    HDC canvas = ::CreateCompatibleDC(screen);
    HBITMAP picture = ::CreateCompatibleBitmap(screen, width, height);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ was = ::SelectObject(canvas, picture);
    HBRUSH green = ::CreateSolidBrush(kDragBackground);
    const RECT all = {0, 0, width, height};
    ::FillRect(canvas, &all, green);
    ::DeleteObject(green);
    for (int row : rows) {
        POINT corner = {};
        auto itemImage = reinterpret_cast<HIMAGELIST>(
            list.Send(LVM_CREATEDRAGIMAGE, row, reinterpret_cast<LPARAM>(&corner)));
        if (!itemImage) continue;
        RECT item = {LVIR_BOUNDS, 0, 0, 0};
        list.Send(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item));
        ::ImageList_Draw(itemImage, 0, canvas, item.left - bounds.left, item.top - bounds.top, ILD_NORMAL);
        ::ImageList_Destroy(itemImage);
    }
    ::SelectObject(canvas, was);
    ::DeleteDC(canvas);

    HIMAGELIST image = ::ImageList_Create(width, height, ILC_MASK | ILC_COLOR24, 1, 0);
    if (image && ::ImageList_AddMasked(image, picture, kDragBackground) < 0) {
        ::ImageList_Destroy(image);
        image = nullptr;
    }
    ::DeleteObject(picture);
    return image;
}

void CManagerDlg::FilterListMouse(int list, UINT message, LPARAM lParam) {
    if (message != WM_MOUSEMOVE && message != WM_LBUTTONUP) return;
    const ListPlaces places = Places();
    const WindowPoint point =
        ListPointInWindow(list == kPcList ? places.pc : places.player, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (message == WM_MOUSEMOVE) {
        if (!m_dragging) return;
        ::ImageList_DragMove(point.x, point.y);
        ::ImageList_DragShowNolock(FALSE);
        ::SetCursor(::LoadCursorW(nullptr, DragCursorIsArrow(places, point) ? IDC_ARROW : IDC_NO));
        ::UpdateWindow(GetHandle());
        ::ImageList_DragShowNolock(TRUE);
        return;
    }
    // The release goes on to the list as well: a list that completes its
    // click or its own drag state on the release would otherwise keep the
    // button down for ever.
    if (m_dragging) EndDrag(point);
}

void CManagerDlg::EndDrag(WindowPoint point) {
    ::ImageList_DragLeave(GetHandle());
    ::ImageList_EndDrag();
    ::ReleaseCapture();
    ::ImageList_Destroy(m_dragImage);
    m_dragImage = nullptr;
    m_dragging = false;
    ManagerCommand command;
    if (!DropCommand(m_dragSource, Places(), point, command)) return;
    if (command == kCopyToPlayerCommand) {
        CopyToPlayer();
    } else {
        CopyToPc();
    }
}

void CManagerDlg::FilterButtonMouse(UINT message) {
    ButtonMouse event;
    switch (message) {
    case WM_MOUSEMOVE:
        event = ButtonMouse::kMove;
        break;
    case WM_LBUTTONDOWN:
        event = ButtonMouse::kLeftDown;
        break;
    case WM_LBUTTONUP:
        event = ButtonMouse::kLeftUp;
        break;
    default:
        return;
    }
    const HandCursorStep step = HandCursorFor(event, m_buttonPressed);
    m_buttonPressed = step.pressed;
    HCURSOR cursor = ::LoadCursorW(m_skin, MAKEINTRESOURCEW(step.cursor));
    if (cursor) ::SetCursor(cursor);
}
