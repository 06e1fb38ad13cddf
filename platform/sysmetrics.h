// Window geometry services: the outer size a window needs for a given client area, the
// desktop work area, and centring a window in it.
#pragma once

#include "wintypes.h"

// Border and bar sizes in pixels. Defaults are the classic Windows metrics; a backend that
// knows its own decorations replaces them before the first window is made.
struct SystemMetrics {
    int cxFixedFrame = 3; // frame of a window with a caption and no sizing border
    int cyFixedFrame = 3;
    int cxSizeFrame = 4; // frame of a sizable window
    int cySizeFrame = 4;
    int cxBorder = 1; // thin border of WS_BORDER without a caption
    int cyBorder = 1;
    int cxEdge = 2; // sunken client edge
    int cyEdge = 2;
    int cyCaption = 19;
    int cyMenu = 19; // one row of a menu bar
};

const SystemMetrics& AfxGetSystemMetrics();
void AfxSetSystemMetrics(const SystemMetrics& metrics);

// Grows a client rectangle into the window rectangle for this style; bMenu adds one menu row.
BOOL AdjustWindowRectEx(RECT* lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle);

// The client rectangle (at 0, 0) of a window whose outer rectangle is rcWindow: what
// AdjustWindowRectEx adds for cs's style, extended style and (bMenu) one menu row, taken
// away again; never negative.
RECT AfxClientRectFor(const CREATESTRUCT& cs, const RECT& rcWindow, bool bMenu);
// Whether a window made with cs has a menu bar: a top-level window with a menu id.
constexpr bool HasMenuBar(const CREATESTRUCT& cs) {
    return (cs.style & WS_CHILD) == 0 && cs.hMenu != 0;
}

constexpr UINT SPI_GETWORKAREA = 0x0030;

// Only SPI_GETWORKAREA is known: pvParam receives a RECT. FALSE when the work area is empty
// or unknown.
BOOL SystemParametersInfoA(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni);

// Where a window of the given extent starts when centred in [lo, hi): signed arithmetic
// whose division truncates toward zero, so a window wider than the area starts left of lo
// by half the excess, rounded toward lo.
constexpr int CentreOrigin(int lo, int hi, int extent) {
    return lo + (hi - lo - extent) / 2;
}
