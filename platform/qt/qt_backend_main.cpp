// The program's entry on the Qt desktop: the Qt application, the Qt backend, then the
// application object's start-up, message loop and end.
#include "qt_signals.h"
#include "qt_window_system.h"

#include "platform/backend_main.h"
#include "platform/winapp.h"
#include "platform/window_scale.h"

#include <QApplication>
#include <QByteArray>

namespace {
// A window scale multiplies whatever scale factor Qt is already given, so that the
// window, its menu and its dialogs grow together and every picture pixel stays whole.
void ApplyWindowScale(int nScale) {
    if (nScale <= 1)
        return;
    bool bOk = false;
    double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&bOk);
    if (!bOk || factor <= 0)
        factor = 1;
    qputenv("QT_SCALE_FACTOR", QByteArray::number(factor * nScale));
}
} // namespace

int AfxBackendMain(int argc, char** argv) {
    // Whole device-pixel ratios keep the 320 x 240 picture's pixels square and sharp.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    ApplyWindowScale(AfxGetWindowScale());
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
