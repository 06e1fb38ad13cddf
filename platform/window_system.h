// The seam between the window layer and a backend (Qt, headless, Win32). A backend gives
// every live CWnd a peer and supplies the clock, the work area and the message loop's end.
#pragma once

#include "wintypes.h"

#include <memory>

class PresentTarget;

class IWndPeer {
public:
    virtual ~IWndPeer() = default;

    // Starts timer id with the period in ms, replacing a running timer of the same id.
    virtual void SetTimer(UINT_PTR nIDEvent, UINT nElapse) = 0;
    // Stops timer id; its ticks are never delivered again. Unknown ids are ignored.
    virtual void KillTimer(UINT_PTR nIDEvent) = 0;
    // Asks for one repaint of the whole window; requests before the paint merge.
    virtual void Invalidate(bool bErase) = 0;
    virtual void SetFocus() = 0;
    virtual void Show(int nCmdShow) = 0;
    // Paints now if a repaint is pending.
    virtual void Update() = 0;
    // Places the window, in its parent's client coordinates for a child.
    virtual void Move(const RECT& rcWindow) = 0;
    virtual RECT GetClientRect() const = 0;
    // The target OnPaint draws into; valid only while a paint is being handled.
    virtual PresentTarget* PaintTarget() = 0;
};

class IWindowSystem {
public:
    virtual ~IWindowSystem() = default;
    // Makes the native side of a window that is being created. cs is final (after
    // PreCreateWindow). Null when the backend cannot make it.
    virtual std::unique_ptr<IWndPeer> CreatePeer(CWnd& wnd, const CREATESTRUCT& cs) = 0;
    // Milliseconds of the system clock, wrapping at 2^32.
    virtual DWORD Now() = 0;
    // The desktop work area (the screen less task bars) in screen coordinates.
    virtual RECT WorkArea() = 0;
    // The window that holds the keyboard focus, or null.
    virtual CWnd* GetFocus() = 0;
    // Ends the message loop once the current message is handled.
    virtual void PostQuitMessage(int nExitCode) = 0;
};

// The backend in use; a program installs exactly one before it creates a window.
IWindowSystem& AfxWindowSystem();
void AfxSetWindowSystem(IWindowSystem* pSystem);
