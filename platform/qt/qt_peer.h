// QtWndPeer: the Qt side of one window. It owns the window's widget and carries out the
// layer's services on it. When the window is destroyed the widget is detached, hidden and
// handed to the event loop for deletion, because the window may be destroyed from inside
// one of the widget's own event handlers.
#pragma once

#include "qt_host.h"

#include "platform/window_system.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class QtWndPeer : public virtual IWndPeer {
public:
    // pWidget is the window's widget (also pHost); pClient is the part its children live in
    // and GetClientRect measures: the widget itself for most windows.
    QtWndPeer(CWnd& wnd, QWidget* pWidget, QtWndHost* pHost, QWidget* pClient);
    QtWndPeer(const QtWndPeer&) = delete;
    QtWndPeer& operator=(const QtWndPeer&) = delete;
    ~QtWndPeer() override;

    // IWndPeer
    void Invalidate(bool bErase) override;
    void SetFocus() override;
    void Show(int nCmdShow) override;
    void Update() override;
    void Move(const RECT& rcWindow) override;
    RECT GetClientRect() const override;
    RECT GetWindowRect() const override;

    QWidget* Widget() const { return m_pWidget; }
    QWidget* ClientWidget() const { return m_pClient; }

    // The widget is being painted: no repaint is pending any more.
    void Validate() { m_bRepaintPending = false; }

private:
    QPointer<QWidget> m_pWidget;
    QtWndHost* m_pHost;
    QPointer<QWidget> m_pClient;
    bool m_bRepaintPending = false;
};

// The peer of a live window made by the Qt backend, or null.
QtWndPeer* QtPeerOf(const CWnd& wnd);
