#include "qt_host.h"

#include "qt_keys.h"

#include "platform/wnd.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {
// F10 puts the menu bar under the keyboard with its first title highlighted and no popup
// open. Qt's menu bar has no call for that; it is where a popup closed with Esc leaves it.
void EnterMenuMode(QWidget* pWidget) {
    auto* pMain = qobject_cast<QMainWindow*>(pWidget->window());
    QMenuBar* pBar = pMain ? pMain->menuBar() : nullptr;
    if (!pBar || pBar->actions().isEmpty() || pBar->activeAction())
        return;
    QAction* pFirst = pBar->actions().first();
    pBar->setActiveAction(pFirst);
    if (QMenu* pMenu = pFirst->menu(); pMenu && pMenu->isVisible()) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(pMenu, &escape);
    }
}
} // namespace

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
    // The window and its frame may be gone after the dispatch (a key that closes the
    // program); this widget is then detached, and deleted only later by the event loop.
    const BOOL bUsedUp = AfxDispatchKeyDown(pWnd, nVirtKey, modifiers, pEvent->isAutoRepeat());
    if (!bUsedUp && nVirtKey == VK_F10 && modifiers == 0 && m_pWnd)
        EnterMenuMode(pWidget);
}

void QtWndHost::DeliverFocusIn() {
    if (CWnd* pWnd = m_pWnd)
        pWnd->SendMessage(WM_SETFOCUS, 0, 0);
}
