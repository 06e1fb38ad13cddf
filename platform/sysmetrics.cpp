#include "sysmetrics.h"

#include "window_system.h"

namespace {
SystemMetrics g_metrics;
}

const SystemMetrics& AfxGetSystemMetrics() {
    return g_metrics;
}

void AfxSetSystemMetrics(const SystemMetrics& metrics) {
    g_metrics = metrics;
}

BOOL AdjustWindowRectEx(RECT* lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle) {
    if (!lpRect)
        return FALSE;
    const SystemMetrics& m = g_metrics;
    int cx = 0;
    int cy = 0;
    if (dwStyle & WS_THICKFRAME) {
        cx += m.cxSizeFrame;
        cy += m.cySizeFrame;
    } else if ((dwStyle & WS_CAPTION) == WS_CAPTION || (dwStyle & WS_DLGFRAME)) {
        cx += m.cxFixedFrame;
        cy += m.cyFixedFrame;
    } else if (dwStyle & WS_BORDER) {
        cx += m.cxBorder;
        cy += m.cyBorder;
    }
    if (dwExStyle & WS_EX_CLIENTEDGE) {
        cx += m.cxEdge;
        cy += m.cyEdge;
    }
    lpRect->left -= cx;
    lpRect->right += cx;
    lpRect->top -= cy;
    lpRect->bottom += cy;
    if ((dwStyle & WS_CAPTION) == WS_CAPTION)
        lpRect->top -= m.cyCaption;
    if (bMenu)
        lpRect->top -= m.cyMenu;
    return TRUE;
}

BOOL SystemParametersInfoA(UINT uiAction, UINT /*uiParam*/, void* pvParam, UINT /*fWinIni*/) {
    if (uiAction != SPI_GETWORKAREA || !pvParam)
        return FALSE;
    const RECT work = AfxWindowSystem().WorkArea();
    if (work.right <= work.left || work.bottom <= work.top)
        return FALSE;
    *static_cast<RECT*>(pvParam) = work;
    return TRUE;
}

RECT AfxClientRectFor(const CREATESTRUCT& cs, const RECT& rcWindow, bool bMenu) {
    RECT rcFrame{0, 0, 0, 0};
    AdjustWindowRectEx(&rcFrame, cs.style, bMenu ? TRUE : FALSE, cs.dwExStyle);
    const LONG cx = (rcWindow.right - rcWindow.left) - (rcFrame.right - rcFrame.left);
    const LONG cy = (rcWindow.bottom - rcWindow.top) - (rcFrame.bottom - rcFrame.top);
    return RECT{0, 0, cx > 0 ? cx : 0, cy > 0 ? cy : 0};
}
