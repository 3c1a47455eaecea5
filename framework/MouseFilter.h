// A look at a control's mouse messages before the control handles them, as
// a message loop's pre-translation would have: the control's owner sees
// every mouse message dispatched to it, and may keep one from the control.
// Messages a control takes from its queue itself, in a loop of its own
// (a list view following a click), are not dispatched and pass unseen.
#pragma once

#include <windows.h>

#include <functional>

// True keeps the message from the control (it answers 0).
using MouseFilter = std::function<bool(HWND control, UINT message, WPARAM wParam, LPARAM lParam)>;

inline bool IsMouseMessage(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST; }
