// The paint context of OnPaint: opened on a window while it paints, it is the target a
// Surface presents its pixels to.
#pragma once

#include "surface/present_target.h"
#include "wnd.h"

// Sends WM_PAINT to wnd, whose CPaintDC then draws into target (a backend's native paint).
// The handler may destroy the window: nothing of it is touched afterwards.
void AfxSendPaint(CWnd& wnd, PresentTarget& target);

class CPaintDC : public PresentTarget {
public:
    explicit CPaintDC(CWnd* pWnd);
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    void DrawPixels(int x, int y, const PixelBlock& block) override;

private:
    PresentTarget* m_pTarget;
};
