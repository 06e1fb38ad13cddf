// QtWindowSystem: the Qt 6 Widgets backend of the window layer. It makes a widget for every
// window (a main window for a top-level window, a child widget for a child, a dialog for a
// CDialog), reads the clock and the work area, and ends the Qt event loop on PostQuitMessage.
// A QApplication must exist for as long as this object does.
#pragma once

#include "platform/window_system.h"

#include <QElapsedTimer>
#include <QObject>

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
    RECT WorkArea() override;
    CWnd* GetFocus() override;
    // Ends the running (or the next) event loop with the code once the current event is handled.
    void PostQuitMessage(int nExitCode) override;

    // The message loop: runs until PostQuitMessage and returns its code.
    int Run();
    bool IsQuitPosted() const { return m_bQuitPosted; }
    int ExitCode() const { return m_nExitCode; }

private:
    QElapsedTimer m_clock;
    QObject m_context; // pending quit requests die with the backend
    bool m_bQuitPosted = false;
    bool m_bQuitPending = false; // posted and not yet seen by an event loop
    int m_nExitCode = 0;
};
