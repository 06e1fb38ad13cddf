// QtWindowSystem: the Qt 6 Widgets backend of the window layer. It makes a widget for every
// window (a main window for a top-level window, a child widget for a child, a dialog for a
// CDialog), reads the clock and the work area, and waits in Qt's event dispatcher for the
// layer's loop.
// A QApplication must exist for as long as this object does.
#pragma once

#include "platform/window_system.h"

#include <QElapsedTimer>
#include <QTimer>

class QtWindowSystem : public IWindowSystem {
public:
    QtWindowSystem();
    QtWindowSystem(const QtWindowSystem&) = delete;
    QtWindowSystem& operator=(const QtWindowSystem&) = delete;
    ~QtWindowSystem() override;

    // Makes this the window layer's backend (until another is installed or this one goes)
    // and gives the layer the menu bar's and the decorations' sizes.
    void Install();

    std::unique_ptr<IWndPeer> CreatePeer(CWnd& wnd, const CREATESTRUCT& cs) override;
    std::unique_ptr<IDialogPeer> CreateDialogPeer(CWnd& wnd, const CREATESTRUCT& cs,
                                                  const DialogTemplate& dlg) override;
    DWORD Now() override;
    std::uint64_t Clock() override { return static_cast<std::uint64_t>(m_clock.elapsed()); }
    void SetWakeTimer(DWORD dwTimeout) override;
    bool WaitForEvents() override;
    RECT WorkArea() override;
    CWnd* GetFocus() override;

private:
    QElapsedTimer m_clock;
    QTimer m_wake; // precise and single-shot: it fires in Qt's own loops too (a menu's)
};
