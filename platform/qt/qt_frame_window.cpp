#include "qt_frame_window.h"

#include "qt_menu.h"
#include "qt_peer.h"
#include "qt_style.h"

#include "platform/afxres.h"
#include "platform/sysmetrics.h"
#include "platform/wnd.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLayout>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QWindow>

namespace {
// The widget the frame's children live in; its size changes reach the window as WM_SIZE.
class QtClientArea : public QWidget {
public:
    explicit QtClientArea(QtWndHost& frame) : m_frame(frame) {}

protected:
    void resizeEvent(QResizeEvent* pEvent) override {
        QWidget::resizeEvent(pEvent);
        if (CWnd* pWnd = m_frame.Wnd())
            pWnd->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(width(), height()));
    }

private:
    QtWndHost& m_frame;
};
} // namespace

QtFrameWidget::QtFrameWidget() {
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void QtFrameWidget::closeEvent(QCloseEvent* pEvent) {
    // The window decides: WM_CLOSE destroys it by default, and the peer then hides this.
    pEvent->ignore();
    if (CWnd* pWnd = Wnd())
        pWnd->SendMessage(WM_CLOSE);
}

void QtFrameWidget::PlaceFrameAt(QPoint framePos) {
    m_framePos = framePos;
}

bool QtFrameWidget::event(QEvent* pEvent) {
    if (pEvent->type() == QEvent::DeferredDelete)
        return QtHostWidget<QMainWindow>::event(pEvent); // this widget is gone after it
    const bool bResult = QtHostWidget<QMainWindow>::event(pEvent);
    if (m_framePos && isVisible() && frameGeometry().size() != size()) {
        const QPoint framePos = *m_framePos;
        m_framePos.reset();
        if (pos() != framePos)
            move(framePos);
    }
    if (pEvent->type() == QEvent::WindowActivate)
        if (CWnd* pWnd = Wnd())
            pWnd->SendMessage(WM_SETFOCUS, 0, 0);
    return bResult;
}

void QtFrameWidget::changeEvent(QEvent* pEvent) {
    QtHostWidget<QMainWindow>::changeEvent(pEvent);
    if (pEvent->type() != QEvent::WindowStateChange)
        return;
    CWnd* pWnd = Wnd();
    if (!pWnd || !m_pClient)
        return;
    if (isMinimized())
        pWnd->SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
    else
        pWnd->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(m_pClient->width(), m_pClient->height()));
}

QSize ClientSizeFor(const CREATESTRUCT& cs, bool bMenu) {
    const RECT rc = AfxClientRectFor(cs, RECT{cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy}, bMenu);
    return QSize(rc.right, rc.bottom);
}

std::unique_ptr<IWndPeer> CreateFramePeer(CWnd& wnd, const CREATESTRUCT& cs) {
    auto* pFrame = new QtFrameWidget;
    pFrame->setWindowFlags(TopLevelWindowFlags(cs.style, false));
    pFrame->setWindowTitle(QString::fromUtf8(cs.lpszName ? cs.lpszName : ""));

    const MenuResource* pMenu = cs.hMenu ? AfxFindMenu(cs.hMenu) : nullptr;
    if (pMenu) {
        auto* pBar = new QMenuBar(pFrame);
        BuildMenuBar(*pBar, *pMenu, [pFrame](UINT nID) {
            if (CWnd* pWnd = pFrame->Wnd())
                pWnd->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
        });
        pFrame->setMenuBar(pBar);
    }

    auto* pEdge = new QFrame;
    if (cs.dwExStyle & WS_EX_CLIENTEDGE) {
        pEdge->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pEdge->setLineWidth(AfxGetSystemMetrics().cxEdge);
    }
    auto* pClient = new QtClientArea(*pFrame);
    pClient->setFixedSize(ClientSizeFor(cs, pMenu != nullptr));
    auto* pLayout = new QVBoxLayout(pEdge);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    pLayout->addWidget(pClient);
    pFrame->setCentralWidget(pEdge);
    pFrame->SetClientArea(pClient);
    if (!IsResizable(cs.style))
        pFrame->layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The position is the outer window's, decorations included, as on Windows. The
    // decorations are the window manager's and known only once the window is up: place the
    // client area where the layer's metrics put it, and correct once they are known.
    RECT rcOffset{0, 0, 0, 0};
    AdjustWindowRectEx(&rcOffset, cs.style, FALSE, cs.dwExStyle & ~WS_EX_CLIENTEDGE);
    pFrame->move(cs.x - rcOffset.left, cs.y - rcOffset.top);
    pFrame->PlaceFrameAt(QPoint(cs.x, cs.y));
    return std::make_unique<QtWndPeer>(wnd, pFrame, pFrame, pClient);
}
