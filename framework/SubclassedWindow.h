// A control whose messages reach an object before the control's own
// procedure: the object takes the window's procedure over and hands on
// what it leaves (Default). The window is borrowed, as every CWnd's; the
// object lets go of it when the window goes or the object does.
//
// Notifications a control sends its parent about itself (WM_NOTIFY,
// WM_DRAWITEM) come back to the control's object when the parent reflects
// them; the framework's dialogs do.
#pragma once

#include <windows.h>

#include "framework/Window.h"

class CSubclassedWnd : public CWnd {
public:
    CSubclassedWnd() = default;
    virtual ~CSubclassedWnd() { UnsubclassWindow(); }
    CSubclassedWnd(const CSubclassedWnd&) = delete;
    CSubclassedWnd& operator=(const CSubclassedWnd&) = delete;

    // False when the window is null or already another object's.
    bool SubclassWindow(HWND window);
    bool SubclassDlgItem(int id, HWND parent) { return SubclassWindow(::GetDlgItem(parent, id)); }
    void UnsubclassWindow();

    // The object of a window subclassed this way, or null.
    static CSubclassedWnd* FromHandle(HWND window);
    // Hands a parent's WM_NOTIFY or WM_DRAWITEM to the object of the control
    // it is about; true, with the answer, when the object handled it.
    static bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
        return Default(message, wParam, lParam);
    }
    // A reflected notification; false leaves it to the parent.
    virtual bool OnReflected(UINT /*message*/, LPARAM /*lParam*/, LRESULT& /*result*/) { return false; }
    // The control's own procedure.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_previous = nullptr;
};
