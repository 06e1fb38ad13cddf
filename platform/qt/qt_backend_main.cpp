// The program's entry on the Qt desktop: the Qt application, the Qt backend, then the
// application object's start-up, message loop and end.
#include "qt_signals.h"
#include "qt_window_system.h"

#include "platform/backend_main.h"
#include "platform/winapp.h"

#include <QApplication>

int AfxBackendMain(int argc, char** argv) {
    // Whole device-pixel ratios keep the 320 x 240 picture's pixels square and sharp.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);
    // The program ends when its main window is destroyed (PostQuitMessage), not when Qt
    // sees its last window hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    QtWindowSystem system;
    system.Install();
    AfxQtCloseOnSignals();
    const int nStatus = AfxWinMain([&system] { return system.Run(); });
    // Widgets of destroyed windows still waiting for the event loop go now.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return nStatus;
}
