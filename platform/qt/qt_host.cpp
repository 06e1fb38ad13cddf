#include "qt_host.h"

#include "qt_keys.h"

#include "platform/wnd.h"

#include <QMainWindow>
#include <QMenuBar>

namespace {
// Bit 29 of a key message's lParam: Alt was down.
constexpr LPARAM ALT_CONTEXT_BIT = 0x20000000;

void OpenMenuBar(QWidget* pWidget) {
    auto* pMain = qobject_cast<QMainWindow*>(pWidget->window());
    QMenuBar* pBar = pMain ? pMain->menuBar() : nullptr;
    if (pBar && !pBar->actions().isEmpty())
        pBar->setActiveAction(pBar->actions().first());
}
} // namespace

bool QtWndHost::DeliverTimer(QTimerEvent* pEvent) {
    UINT_PTR nIDEvent = 0;
    if (!m_timers.Lookup(pEvent->timerId(), nIDEvent))
        return false;
    if (CWnd* pWnd = m_pWnd)
        pWnd->WindowProc(WM_TIMER, nIDEvent, 0);
    return true;
}

void QtWndHost::DeliverKeyPress(QWidget* pWidget, QKeyEvent* pEvent) {
    CWnd* pWnd = m_pWnd;
    const UINT nVirtKey = VirtualKeyFromQt(pEvent->key(), pEvent->nativeScanCode(), pEvent->modifiers(),
                                           PlatformHasXkbScanCodes());
    if (!pWnd || nVirtKey == 0) {
        pEvent->ignore();
        return;
    }
    pEvent->accept();
    const DWORD modifiers = ModifiersFromQt(pEvent->modifiers());
    const UINT message = KeyDownMessage(nVirtKey, modifiers);
    // The window and its frame may be gone after the dispatch (a key that closes the
    // program); this widget is then detached, and deleted only later by the event loop.
    LPARAM lParam = MakeKeyLParam(1, pEvent->isAutoRepeat());
    if (modifiers & MOD_ALT_DOWN)
        lParam |= ALT_CONTEXT_BIT;
    const BOOL bUsedUp = AfxDispatchKeyMessage(pWnd, message, nVirtKey, lParam, modifiers);
    if (!bUsedUp && message == WM_SYSKEYDOWN && nVirtKey == VK_F10 && modifiers == 0 && m_pWnd)
        OpenMenuBar(pWidget);
}

void QtWndHost::DeliverFocusIn() {
    if (CWnd* pWnd = m_pWnd)
        pWnd->SendMessage(WM_SETFOCUS, 0, 0);
}
