#include "qt_peer.h"

#include "platform/sysmetrics.h"
#include "platform/wnd.h"

QtWndPeer::QtWndPeer(CWnd& wnd, QWidget* pWidget, QtWndHost* pHost, QWidget* pClient)
    : m_pWidget(pWidget), m_pHost(pHost), m_pClient(pClient) {
    m_pHost->Attach(&wnd, this);
}

QtWndPeer::~QtWndPeer() {
    if (!m_pWidget)
        return;
    m_pHost->Detach();
    m_pWidget->hide();
    m_pWidget->deleteLater();
}

void QtWndPeer::Invalidate(bool /*bErase*/) {
    // Painting covers the whole window (the uncovered rest with the class colour), so an
    // erase would only flicker.
    m_bRepaintPending = true;
    if (m_pWidget)
        m_pWidget->update();
}

void QtWndPeer::SetFocus() {
    if (!m_pWidget)
        return;
    if (m_pWidget->isWindow())
        m_pWidget->activateWindow();
    m_pWidget->setFocus(Qt::OtherFocusReason);
}

void QtWndPeer::Show(int nCmdShow) {
    if (!m_pWidget)
        return;
    if (nCmdShow == SW_HIDE) {
        m_pWidget->hide();
        return;
    }
    if (!m_pWidget->isWindow()) {
        m_pWidget->show();
        return;
    }
    switch (nCmdShow) {
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        m_pWidget->showMinimized();
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        m_pWidget->showNormal();
        m_pWidget->activateWindow();
        break;
    default:
        m_pWidget->show();
        m_pWidget->raise();
        m_pWidget->activateWindow();
        break;
    }
}

void QtWndPeer::Update() {
    if (m_pWidget && m_bRepaintPending && m_pWidget->isVisible())
        m_pWidget->repaint();
}

void QtWndPeer::Move(const RECT& rcWindow) {
    if (!m_pWidget)
        return;
    if (m_pWidget->isWindow())
        m_pWidget->move(rcWindow.left, rcWindow.top); // the client area keeps its fixed size
    else
        m_pWidget->setGeometry(rcWindow.left, rcWindow.top, rcWindow.right - rcWindow.left,
                               rcWindow.bottom - rcWindow.top);
}

RECT QtWndPeer::GetClientRect() const {
    if (!m_pClient)
        return RECT{};
    return RECT{0, 0, m_pClient->width(), m_pClient->height()};
}

RECT QtWndPeer::GetWindowRect() const {
    if (!m_pWidget)
        return RECT{};
    if (!m_pWidget->isWindow()) {
        const QPoint origin = m_pWidget->mapToGlobal(QPoint(0, 0));
        return RECT{origin.x(), origin.y(), origin.x() + m_pWidget->width(),
                    origin.y() + m_pWidget->height()};
    }
    const QRect rcFrame = m_pWidget->frameGeometry();
    if (rcFrame.size() != m_pWidget->size() || !m_pHost->Wnd())
        return RECT{rcFrame.left(), rcFrame.top(), rcFrame.left() + rcFrame.width(),
                    rcFrame.top() + rcFrame.height()};
    // The window manager's decorations are known only once the window is up (and there are
    // none offscreen): until then, the caption and border the layer's metrics give the style,
    // as for the window's first placement.
    const CWnd& wnd = *m_pHost->Wnd();
    RECT rc{0, 0, m_pWidget->width(), m_pWidget->height()};
    AdjustWindowRectEx(&rc, wnd.GetStyle(), FALSE, wnd.GetExStyle() & ~WS_EX_CLIENTEDGE);
    const QPoint pos = m_pWidget->pos();
    return RECT{pos.x(), pos.y(), pos.x() + rc.right - rc.left, pos.y() + rc.bottom - rc.top};
}

QtWndPeer* QtPeerOf(const CWnd& wnd) {
    return dynamic_cast<QtWndPeer*>(wnd.GetSafeHwnd());
}
