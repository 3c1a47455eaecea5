// Dialogs made from templates. A dialog object is bound to its window from
// WM_INITDIALOG (the object travels in the creation parameter and is kept in
// the window's DWLP_USER slot) until WM_NCDESTROY; the handlers are virtual,
// and a handler that returns false leaves the message to the dialog manager.
#pragma once

#include <windows.h>

#include "framework/Window.h"

class CDialog : public CWnd {
public:
    CDialog() = default;
    virtual ~CDialog() = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Ends the dialog the way it was made: a modal one returns `result` to its
    // runner, a modeless one is destroyed.
    virtual void Close(INT_PTR result) = 0;

protected:
    // True lets the system give the focus to the first control.
    virtual bool OnInit() { return true; }
    virtual bool OnCommand(WORD /*code*/, WORD /*id*/, HWND /*control*/) { return false; }
    // The raw command of WM_SYSCOMMAND: the system's own commands carry flags
    // in their low four bits, a program's own are its ids as they are.
    virtual bool OnSysCommand(WPARAM /*command*/) { return false; }
    // A handler that answers sets DWLP_MSGRESULT itself.
    virtual bool OnNotify(const NMHDR& /*header*/) { return false; }
    virtual bool OnTimer(UINT_PTR /*timer*/) { return false; }
    virtual bool OnPaint() { return false; }
    virtual bool OnSetCursor(HWND /*window*/, UINT /*hitTest*/) { return false; }
    virtual void OnDestroy() {}
    // Any other message, and WM_NOTIFY or WM_DRAWITEM that no control took:
    // true when handled, with the dialog procedure's answer in `result`
    // (for WM_ERASEBKGND, WM_CTLCOLOR... and WM_QUERYDRAGICON the answer
    // itself, for others TRUE or FALSE).
    virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, INT_PTR& /*result*/) {
        return false;
    }

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LPARAM CreationParameter() { return reinterpret_cast<LPARAM>(this); }

private:
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Other(UINT message, WPARAM wParam, LPARAM lParam);
};

class CModalDialog : public CDialog {
public:
    // Runs the dialog of `templateId` from `module` over `parent` until it is
    // closed; -1 when the window could not be made.
    INT_PTR Run(HINSTANCE module, int templateId, HWND parent);
    void Close(INT_PTR result) override;
};

class CModelessDialog : public CDialog {
public:
    // Makes the window; it stays hidden unless the template says visible.
    bool Create(HINSTANCE module, int templateId, HWND parent);
    void Close(INT_PTR result) override;
};
