// The native side of a window on a desktop that keeps its windows itself, with no native
// window behind them (the headless desktop, the page): the place, visibility and pending
// repaint a native window would keep, and the messages a native window would send for them.
#pragma once

#include "window_system.h"
#include "wintypes.h"

class CModelPeer : public virtual IWndPeer {
public:
    CModelPeer(CWnd& wnd, const CREATESTRUCT& cs);

    // A repaint is pending (and whether it erases first) until the desktop takes it.
    void Invalidate(bool bErase) override;
    // A window that appears is exposed: it repaints, erased, though it asked for nothing.
    void Show(int nCmdShow) override;
    // A new size repaints the window and sends it WM_SIZE with its client size.
    void Move(const RECT& rcWindow) override;
    // The window less its frame, caption, edge and menu bar, by the layer's metrics: the
    // same ones it sizes a window by for a given client area.
    RECT GetClientRect() const override;
    RECT GetWindowRect() const override { return m_rcWindow; }

    CWnd& Window() const { return m_wnd; }
    const CREATESTRUCT& CreateParams() const { return m_cs; }
    bool IsChild() const { return (m_cs.style & WS_CHILD) != 0; }
    bool IsVisible() const { return m_bVisible; }
    bool IsInvalid() const { return m_bInvalid; }
    bool IsErasePending() const { return m_bErasePending; }
    // The place given by the layer: in the parent's client area for a child.
    RECT WindowRect() const { return m_rcWindow; }

protected:
    // A repaint has become pending (asked for, exposed or resized): a desktop that paints
    // by its own schedule plans one.
    virtual void OnRepaintPending() {}
    // The desktop paints now: the pending repaint is taken. Whether it was to erase first.
    bool TakeRepaint();

private:
    void MarkInvalid(bool bErase);

    CWnd& m_wnd;
    CREATESTRUCT m_cs;
    RECT m_rcWindow;
    bool m_bVisible = false;
    bool m_bInvalid = false;
    bool m_bErasePending = false;
};
