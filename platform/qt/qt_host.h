// The widget side of a window: every widget that stands for a CWnd carries this. It turns
// the widget's key and focus events into the window's messages, and is cut loose
// from the window when the window goes, so late events do nothing.
#pragma once

#include "platform/wintypes.h"

#include <QKeyEvent>
#include <QWidget>

class CWnd;
class QtWndPeer;

class QtWndHost {
public:
    QtWndHost() = default;
    QtWndHost(const QtWndHost&) = delete;
    QtWndHost& operator=(const QtWndHost&) = delete;
    virtual ~QtWndHost() = default;

    CWnd* Wnd() const { return m_pWnd; }
    QtWndPeer* Peer() const { return m_pPeer; }

    void Attach(CWnd* pWnd, QtWndPeer* pPeer) {
        m_pWnd = pWnd;
        m_pPeer = pPeer;
    }
    // The window is gone: forget it.
    void Detach() {
        m_pWnd = nullptr;
        m_pPeer = nullptr;
    }

protected:
    // A key-down through the layer's dispatch (accelerators first). F10 then puts the menu
    // bar under the keyboard.
    void DeliverKeyPress(QWidget* pWidget, QKeyEvent* pEvent);
    void DeliverFocusIn();

private:
    CWnd* m_pWnd = nullptr;
    QtWndPeer* m_pPeer = nullptr;
};

// A Qt widget class made into a window's widget.
template <class Base> class QtHostWidget : public Base, public QtWndHost {
public:
    template <typename... Args> explicit QtHostWidget(Args&&... args) : Base(std::forward<Args>(args)...) {}

protected:
    void keyPressEvent(QKeyEvent* pEvent) override { DeliverKeyPress(this, pEvent); }
    void focusInEvent(QFocusEvent* pEvent) override {
        Base::focusInEvent(pEvent);
        DeliverFocusIn();
    }
};
