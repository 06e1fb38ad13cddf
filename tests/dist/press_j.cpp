// Loaded into the installed program with LD_PRELOAD, it stands in for a player on the
// offscreen platform, where nothing else can press a key: once the window "Morvane" is up
// it says so on standard error, with its device pixels per pixel, and presses J on the focused widget every
// 100 ms. J does nothing until the title screen, where it ends the program.
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {
QWidget* MainWindow() {
    for (QWidget* pWidget : QApplication::topLevelWidgets())
        if (pWidget->isVisible() && pWidget->windowTitle() == QLatin1String("Morvane"))
            return pWidget;
    return nullptr;
}

void PressJ() {
    static bool s_bSeen = false;
    const QWidget* pMain = MainWindow();
    if (!pMain)
        return;
    if (!s_bSeen) {
        s_bSeen = true;
        std::fprintf(stderr, "press-j: the window is shown at %gx\n", pMain->devicePixelRatioF());
    }
    if (QWidget* pFocus = QApplication::focusWidget()) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_J, Qt::NoModifier, QStringLiteral("j"));
        QApplication::sendEvent(pFocus, &press);
    }
}

void StartPressing() {
    auto* pTimer = new QTimer(QCoreApplication::instance());
    QObject::connect(pTimer, &QTimer::timeout, pTimer, PressJ);
    pTimer->start(100);
}
} // namespace

Q_COREAPP_STARTUP_FUNCTION(StartPressing)
