// The program's entry on the Qt desktop: the Qt application, the Qt backend, then the
// application object's start-up, message loop and end.
#include "qt_signals.h"
#include "qt_window_system.h"

#include "platform/backend_main.h"
#include "platform/message_loop.h"
#include "platform/winapp.h"
#include "platform/window_scale.h"

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QIcon>
#include <QList>

#include <cstdio>
#include <cstdlib>

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

// Qt ends the program with abort() when no platform plugin can reach a display. While the
// application is being made, its messages wait here: a fatal one becomes one plain line and
// status 1; otherwise they go on to Qt's own output once the display is open.
// The context's strings are Qt's static literals and category names, so the pointers keep.
struct StartupMessage {
    QtMsgType type;
    const char* pszFile;
    int nLine;
    const char* pszFunction;
    const char* pszCategory;
    QString text;
};
QtMessageHandler g_pfnQtOutput = nullptr;
QList<StartupMessage>* g_pStartupMessages = nullptr;

QString EnvironmentValue(const char* pszName) {
    return qEnvironmentVariableIsEmpty(pszName) ? QStringLiteral("unset") : qEnvironmentVariable(pszName);
}

void HoldStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr,
                     "morvane: cannot open a display (DISPLAY is %s, WAYLAND_DISPLAY is %s): start it "
                     "in a graphical session, or set one of them to a running X server or Wayland "
                     "compositor\n",
                     qPrintable(EnvironmentValue("DISPLAY")),
                     qPrintable(EnvironmentValue("WAYLAND_DISPLAY")));
        std::fflush(stderr);
        std::_Exit(1);
    }
    g_pStartupMessages->append({type, context.file, context.line, context.function, context.category, text});
}

void ReleaseStartupMessages() {
    qInstallMessageHandler(g_pfnQtOutput);
    for (const StartupMessage& m : *g_pStartupMessages)
        qt_message_output(m.type, QMessageLogContext(m.pszFile, m.nLine, m.pszFunction, m.pszCategory),
                          m.text);
    g_pStartupMessages->clear();
}

// The window's own icon in every size the menu's icon comes in, so task bars and window
// switchers need not scale a small one up. The pictures are built into the program.
QIcon WindowIcon() {
    QIcon icon;
    for (int nSize : {16, 24, 32, 48, 64, 128, 256}) {
        const QString path = QStringLiteral(":/icons/%1x%1/apps/io.github.morvane.Morvane.png").arg(nSize);
        if (QFile::exists(path))
            icon.addFile(path, QSize(nSize, nSize));
    }
    return icon;
}
} // namespace

int AfxBackendMain(int argc, char** argv) {
    // Whole device-pixel ratios keep the 320 x 240 picture's pixels square and sharp.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    ApplyWindowScale(AfxGetWindowScale());
    // The Wayland app id, and the name desktops match the window to its menu entry by.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.morvane.Morvane"));
    QList<StartupMessage> startupMessages;
    g_pStartupMessages = &startupMessages;
    g_pfnQtOutput = qInstallMessageHandler(HoldStartupMessage);
    QApplication app(argc, argv);
    ReleaseStartupMessages();
    QApplication::setWindowIcon(WindowIcon());
    // The program ends when its main window is destroyed (PostQuitMessage), not when Qt
    // sees its last window hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    QtWindowSystem system;
    system.Install();
    AfxQtCloseOnSignals();
    const int nStatus = AfxWinMain(AfxRunMessageLoop);
    // Widgets of destroyed windows still waiting for the event loop go now.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return nStatus;
}
