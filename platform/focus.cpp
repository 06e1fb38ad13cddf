#include "wnd.h"

void CFocusKeeper::MoveTo(CWnd& wnd) {
    CWnd* pOld = m_focus.Get();
    if (pOld == &wnd)
        return;
    const CWndRef newFocus(&wnd);
    const CWndRef oldFocus(pOld);
    m_focus = newFocus;
    if (pOld)
        pOld->WindowProc(WM_KILLFOCUS, reinterpret_cast<WPARAM>(&wnd), 0);
    CWnd* pNew = newFocus.Get();
    if (!pNew || m_focus.Get() != pNew)
        return;
    pNew->WindowProc(WM_SETFOCUS, reinterpret_cast<WPARAM>(oldFocus.Get()), 0);
}
