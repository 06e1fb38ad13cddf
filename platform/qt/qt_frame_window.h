// A top-level window's widget: a main window with the menu bar from the window's menu
// resource above a client area of exactly the size the window was made for, framed by a
// sunken edge when it has a client edge. Closing it asks the window (WM_CLOSE); activating
// it gives the window the focus (WM_SETFOCUS), which a frame passes on to its view.
#pragma once

#include "qt_host.h"

#include "platform/window_system.h"

#include <QMainWindow>

#include <memory>
#include <optional>

class QtFrameWidget : public QtHostWidget<QMainWindow> {
public:
    QtFrameWidget();
    void SetClientArea(QWidget* pClient) { m_pClient = pClient; }
    // Once the window manager's decorations are known, moves the window so that its outer
    // top-left corner is at framePos.
    void PlaceFrameAt(QPoint framePos);

protected:
    void closeEvent(QCloseEvent* pEvent) override;
    bool event(QEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;

private:
    QWidget* m_pClient = nullptr; // a child of this widget, gone with it
    std::optional<QPoint> m_framePos;
};

// The client area's size for a window of cs's outer size: what AdjustWindowRectEx added
// for the style, the client edge and the menu bar, taken away again.
QSize ClientSizeFor(const CREATESTRUCT& cs, bool bMenu);

std::unique_ptr<IWndPeer> CreateFramePeer(CWnd& wnd, const CREATESTRUCT& cs);
