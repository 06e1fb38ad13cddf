// The seam between the window layer and a backend (headless, Qt, Win32, ...). A backend
// implements IWindowSystem and gives every live CWnd a peer (IWndPeer), a dialog a dialog
// peer (IDialogPeer); it supplies the clock, the work area, the focus and the message
// loop's end. Everything every backend must do alike (timer periods, class brush colours,
// default window places, accelerators, command routing) is decided by the layer before a
// request reaches a peer, so a backend only carries requests out.
#pragma once

#include "wintypes.h"

#include <memory>
#include <string>

class PresentTarget;
struct DialogTemplate;

// The native side of one window. It lives from the window's creation until its
// destruction; the layer never calls it after that.
// A backend derives its peers virtually from IWndPeer, so that its dialog peer can be both
// its window peer and an IDialogPeer.
class IWndPeer {
public:
    virtual ~IWndPeer() = default;

    // Starts timer id with the period in ms, replacing a running timer of the same id. The
    // layer has already clamped the period to [USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM].
    // A timer that falls behind (the program was busy for several periods) delivers one
    // tick when it gets the chance, never a burst of the missed ones, and goes on from then:
    // the rule of every real desktop. (The headless desktop's Advance models a loop that is
    // never late, so there every period's tick is due in turn.)
    virtual void SetTimer(UINT_PTR nIDEvent, UINT nElapse) = 0;
    // Stops timer id; its ticks are never delivered again. Unknown ids are ignored.
    virtual void KillTimer(UINT_PTR nIDEvent) = 0;
    // Asks for one repaint of the whole window; requests before the paint merge.
    virtual void Invalidate(bool bErase) = 0;
    virtual void SetFocus() = 0;
    virtual void Show(int nCmdShow) = 0;
    // Paints now if a repaint is pending.
    virtual void Update() = 0;
    // Places the window, in its parent's client coordinates for a child, in screen
    // coordinates (its outer corner, decorations included) for a top-level window.
    virtual void Move(const RECT& rcWindow) = 0;
    virtual RECT GetClientRect() const = 0;
    // The window's outer rectangle, decorations included, in screen coordinates.
    virtual RECT GetWindowRect() const = 0;
    // The target OnPaint draws into; valid only while a paint is being handled.
    virtual PresentTarget* PaintTarget() = 0;
    // Says a text (UTF-8) to a player who uses a screen reader, politely: after what is
    // being read now. A desktop that has no such channel yet says nothing.
    virtual void Announce(const std::string& /*strText*/) {}
};

// The native side of a dialog made from a template: a window with a modal loop. Its native
// window exists from creation on, so the layer can place it before it is shown.
class IDialogPeer : public virtual IWndPeer {
public:
    // Shows the dialog modal over its owner and returns when EndModalLoop is called. Every
    // other window keeps getting its timers and paints meanwhile; only input is held back.
    // A desktop without a modal loop returns at once. The layer keeps the peer alive until
    // this returns, even when the dialog's window is destroyed inside the loop (its owner
    // closed from outside): it then ends the loop first and lets the peer go afterwards.
    virtual void RunModalLoop() = 0;
    // Ends the running modal loop (from inside one of its handlers).
    virtual void EndModalLoop() = 0;
};

class IWindowSystem {
public:
    // A backend that goes away uninstalls itself, but only if it is the installed one.
    virtual ~IWindowSystem();

    // Makes the native side of a window that is being created. cs is final: PreCreateWindow
    // has run and the layer has replaced every CW_USEDEFAULT. For a child, cs.hwndParent
    // already has its peer. Null when the backend cannot make the window.
    virtual std::unique_ptr<IWndPeer> CreatePeer(CWnd& wnd, const CREATESTRUCT& cs) = 0;
    // The same for a dialog shown by CDialog::DoModal: cs carries the template's caption,
    // style and size in dialog units and the owner as cs.hwndParent; dlg is the template
    // (its controls, font and id).
    virtual std::unique_ptr<IDialogPeer> CreateDialogPeer(CWnd& wnd, const CREATESTRUCT& cs,
                                                          const DialogTemplate& dlg) = 0;
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
