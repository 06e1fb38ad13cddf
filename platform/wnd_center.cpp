// Centring a window over its owner, once for every desktop: a dialog whose template asks for
// no place of its own (0, 0) opens over the middle of the window that owns it, and never
// hangs off the work area, whatever the desktop would have chosen by itself.
#include "wnd.h"

#include "sysmetrics.h"

namespace {
// Moves [nStart, nStart + nSize) inside [nLow, nHigh); a span longer than the range keeps
// its start at nLow, so the caption stays reachable.
LONG KeepInside(LONG nStart, LONG nSize, LONG nLow, LONG nHigh) {
    if (nStart + nSize > nHigh)
        nStart = nHigh - nSize;
    if (nStart < nLow)
        nStart = nLow;
    return nStart;
}
} // namespace

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    if (!m_hWnd)
        return;
    const RECT rcWork = AfxWindowSystem().WorkArea();
    CWnd* pOwner = pAlternateOwner ? pAlternateOwner : GetParent();
    RECT rcCenter = rcWork;
    if (pOwner && pOwner->GetSafeHwnd())
        pOwner->GetWindowRect(&rcCenter);
    RECT rcWindow;
    GetWindowRect(&rcWindow);
    const LONG cx = rcWindow.right - rcWindow.left;
    const LONG cy = rcWindow.bottom - rcWindow.top;
    // Whole pixels, truncated toward zero as the frame's own centring is.
    LONG x = CentreOrigin(rcCenter.left, rcCenter.right, cx);
    LONG y = CentreOrigin(rcCenter.top, rcCenter.bottom, cy);
    x = KeepInside(x, cx, rcWork.left, rcWork.right);
    y = KeepInside(y, cy, rcWork.top, rcWork.bottom);
    m_pPeer->Move(RECT{x, y, x + cx, y + cy});
}
