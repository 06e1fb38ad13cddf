#include "model_peer.h"

#include "sysmetrics.h"
#include "wnd.h"

CModelPeer::CModelPeer(CWnd& wnd, const CREATESTRUCT& cs)
    : m_wnd(wnd), m_cs(cs), m_rcWindow{cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy} {}

void CModelPeer::Invalidate(bool bErase) {
    MarkInvalid(bErase);
}

void CModelPeer::MarkInvalid(bool bErase) {
    m_bInvalid = true;
    m_bErasePending = m_bErasePending || bErase;
    OnRepaintPending();
}

void CModelPeer::Show(int nCmdShow) {
    const bool bWasVisible = m_bVisible;
    m_bVisible = nCmdShow != SW_HIDE;
    if (m_bVisible && !bWasVisible)
        MarkInvalid(true);
}

void CModelPeer::Move(const RECT& rcWindow) {
    const bool bResized = rcWindow.right - rcWindow.left != m_rcWindow.right - m_rcWindow.left ||
                          rcWindow.bottom - rcWindow.top != m_rcWindow.bottom - m_rcWindow.top;
    m_rcWindow = rcWindow;
    if (!bResized)
        return;
    MarkInvalid(true);
    const RECT rc = GetClientRect();
    // The handler may do anything, the window's end included; nothing of this peer after it.
    m_wnd.SendMessage(WM_SIZE, 0, static_cast<LPARAM>((rc.right & 0xFFFF) | ((rc.bottom & 0xFFFF) << 16)));
}

RECT CModelPeer::GetClientRect() const {
    return AfxClientRectFor(m_cs, m_rcWindow, HasMenuBar(m_cs));
}

bool CModelPeer::TakeRepaint() {
    const bool bErase = m_bErasePending;
    m_bInvalid = false;
    m_bErasePending = false;
    return bErase;
}
