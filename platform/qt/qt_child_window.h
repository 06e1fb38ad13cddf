// A child window's widget: it paints by running the window's WM_PAINT into a Qt paint
// target, takes the keyboard focus, and treats Tab as a key like any other.
#pragma once

#include "qt_host.h"

#include "platform/window_system.h"

#include <QColor>
#include <QImage>

#include <memory>

class QtChildWidget : public QtHostWidget<QWidget> {
public:
    QtChildWidget(QWidget* pParent, QColor background);

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    bool focusNextPrevChild(bool bNext) override;

private:
    QColor m_background; // the class brush: what the window's own painting leaves uncovered
    QImage m_image;      // reused by every paint
};

// Makes the peer of a child window inside its parent's client area; null when the parent
// has no Qt peer.
std::unique_ptr<IWndPeer> CreateChildPeer(CWnd& wnd, const CREATESTRUCT& cs);
