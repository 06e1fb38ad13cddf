#include "qt_child_window.h"

#include "qt_paint.h"
#include "qt_peer.h"

#include "platform/paintdc.h"
#include "platform/wnd.h"
#include "platform/wndclass.h"

#include <QPainter>

namespace {
// The colour of a class's background brush. Qt has no "leave it as it was": what a window
// without a brush leaves unpainted is black, as a new window's pixels are elsewhere.
QColor ClassBackground(LPCSTR lpszClass) {
    return QColor::fromRgb(AfxClassBackgroundRgb(lpszClass).value_or(0x000000));
}
} // namespace

QtChildWidget::QtChildWidget(QWidget* pParent, QColor background)
    : QtHostWidget<QWidget>(pParent), m_background(background) {
    // The window paints every pixel itself: no background fill first, hence no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
}

void QtChildWidget::paintEvent(QPaintEvent* /*pEvent*/) {
    QPainter painter(this);
    QtPaintTarget target(painter, m_image, size(), devicePixelRatioF());
    if (CWnd* pWnd = Wnd()) {
        if (QtWndPeer* pPeer = Peer())
            pPeer->Validate();
        AfxSendPaint(*pWnd, target);
    }
    target.FillRest(m_background);
}

bool QtChildWidget::focusNextPrevChild(bool /*bNext*/) {
    return false;
}

std::unique_ptr<IWndPeer> CreateChildPeer(CWnd& wnd, const CREATESTRUCT& cs) {
    QtWndPeer* pParentPeer = cs.hwndParent ? QtPeerOf(*cs.hwndParent) : nullptr;
    if (!pParentPeer || !pParentPeer->ClientWidget())
        return nullptr;
    auto* pWidget = new QtChildWidget(pParentPeer->ClientWidget(), ClassBackground(cs.lpszClass));
    pWidget->setGeometry(cs.x, cs.y, cs.cx, cs.cy);
    return std::make_unique<QtWndPeer>(wnd, pWidget, pWidget, pWidget);
}
