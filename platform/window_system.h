// The seam between the window layer and a backend (headless, Qt, Win32, ...). A backend
// implements IWindowSystem and gives every live CWnd a peer (IWndPeer), a dialog a dialog
// peer (IDialogPeer); it supplies the clock, one wake-up timer, a wait for its next native
// event, the work area and the focus. Everything every backend must do alike (the message
// and modal loops, timers, class brush colours, default window places, accelerators,
// command routing) is the layer's, so a backend only carries requests out.
#pragma once

#include "wintypes.h"

#include <cstdint>
#include <memory>
#include <string>

struct DialogTemplate;

// The native side of one window. It lives from the window's creation until its
// destruction; the layer never calls it after that.
// A backend derives its peers virtually from IWndPeer, so that its dialog peer can be both
// its window peer and an IDialogPeer.
class IWndPeer {
public:
    virtual ~IWndPeer() = default;

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
    // Says a text (UTF-8) to a player who uses a screen reader, politely: after what is
    // being read now. A desktop that has no such channel yet says nothing.
    virtual void Announce(const std::string& /*strText*/) {}
};

// The native side of a dialog made from a template: a window with a modal loop. Its native
// window exists from creation on, so the layer can place it before it is shown.
class IDialogPeer : public virtual IWndPeer {
public:
    // Shows the dialog modal over its owner: until EndModal, every other window of the
    // program takes no input (its timers and paints go on: the layer runs the loop). The
    // layer keeps the peer alive until EndModal, even when the dialog's window is destroyed
    // meanwhile (its owner closed from outside).
    virtual void BeginModal() = 0;
    // Gives the owner its input back and hides the dialog.
    virtual void EndModal() = 0;
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
    // Milliseconds on a clock that never wraps, for the timers. By default Now(), read often
    // enough (at every loop turn) to count its wraps.
    virtual std::uint64_t Clock();
    // Calls AfxDeliverDueTimers in dwTimeout ms (0: as soon as it can) from whichever loop
    // runs then, the platform's own included (a menu's, a window move's); INFINITE: never.
    // A new call replaces the last.
    virtual void SetWakeTimer(DWORD dwTimeout) = 0;
    // Handles the native events that are waiting; when none is, waits for the next one (a
    // wake-up included) and handles it. False when this desktop has no events of its own to
    // wait for (the headless one): the loop then ends.
    virtual bool WaitForEvents() = 0;
    // The desktop work area (the screen less task bars) in screen coordinates.
    virtual RECT WorkArea() = 0;
    // The window that holds the keyboard focus, or null.
    virtual CWnd* GetFocus() = 0;

private:
    DWORD m_dwLastNow = 0;
    std::uint64_t m_qwClock = 0;
    bool m_bClockRead = false;
};

// The backend in use; a program installs exactly one before it creates a window.
IWindowSystem& AfxWindowSystem();
// The same, or null when none is installed (a window that outlived its desktop).
IWindowSystem* AfxFindWindowSystem();
void AfxSetWindowSystem(IWindowSystem* pSystem);
