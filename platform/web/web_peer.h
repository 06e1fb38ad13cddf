// WebWndPeer: the page side of one window. A child window paints into the page's canvas at
// its place; a top-level window owns the page's caption and menu bar. The page knows a
// window by a number, so nothing of the page can reach a window that is gone.
#pragma once

#include "platform/window_system.h"
#include "surface/present_target.h"

#include <cstdint>
#include <vector>

class WebWindowSystem;

class WebWndPeer : public virtual IWndPeer, private PresentTarget {
public:
    WebWndPeer(WebWindowSystem& system, CWnd& wnd, const CREATESTRUCT& cs);
    WebWndPeer(const WebWndPeer&) = delete;
    WebWndPeer& operator=(const WebWndPeer&) = delete;
    ~WebWndPeer() override;

    // IWndPeer
    void Invalidate(bool bErase) override;
    void SetFocus() override;
    void Show(int nCmdShow) override;
    void Update() override;
    void Move(const RECT& rcWindow) override;
    RECT GetClientRect() const override;
    RECT GetWindowRect() const override { return m_rcWindow; }
    void Announce(const std::string& strText) override;

    int Handle() const { return m_nHandle; }
    CWnd& Window() const { return m_wnd; }
    bool IsVisible() const { return m_bVisible; }
    bool IsChild() const { return (m_cs.style & WS_CHILD) != 0; }
    // Sends WM_PAINT when a repaint is pending. The window may be gone afterwards.
    void Paint();

protected:
    WebWindowSystem& System() const { return m_system; }
    const CREATESTRUCT& CreateParams() const { return m_cs; }

private:
    // Where a paint's pixels go: the canvas, at the window's place.
    void DrawPixels(int x, int y, const PixelBlock& block) override;
    // Where the window's client area starts on the canvas.
    POINT CanvasOrigin() const;

    WebWindowSystem& m_system;
    CWnd& m_wnd;
    CREATESTRUCT m_cs;
    int m_nHandle;
    RECT m_rcWindow;
    bool m_bVisible = false;
    bool m_bInvalid = false;
    std::vector<std::uint8_t> m_rgba; // one paint's pixels, converted for the canvas
};
