// WebWndPeer: the page side of one window. A child window paints into the page's canvas at
// its place; a top-level window owns the page's caption and menu bar. The page knows a
// window by a number, so nothing of the page can reach a window that is gone.
#pragma once

#include "platform/model_peer.h"
#include "surface/present_target.h"

#include <cstdint>
#include <vector>

class WebWindowSystem;

class WebWndPeer : public CModelPeer, private PresentTarget {
public:
    WebWndPeer(WebWindowSystem& system, CWnd& wnd, const CREATESTRUCT& cs);
    WebWndPeer(const WebWndPeer&) = delete;
    WebWndPeer& operator=(const WebWndPeer&) = delete;
    ~WebWndPeer() override;

    // IWndPeer; the page draws the frame, caption and menu bar outside the canvas, so a
    // client area is exactly what the layer asked for.
    void SetFocus() override;
    void Show(int nCmdShow) override;
    void Update() override;
    void Announce(const std::string& strText) override;

    int Handle() const { return m_nHandle; }
    // Sends WM_PAINT when a repaint is pending. The window may be gone afterwards.
    void Paint();

protected:
    WebWindowSystem& System() const { return m_system; }
    void OnRepaintPending() override;

private:
    // Where a paint's pixels go: the canvas, at the window's place.
    void DrawPixels(int x, int y, const PixelBlock& block) override;
    // Where the window's client area starts on the canvas.
    POINT CanvasOrigin() const;

    WebWindowSystem& m_system;
    int m_nHandle;
    std::vector<std::uint8_t> m_rgba; // one paint's pixels, converted for the canvas
};
