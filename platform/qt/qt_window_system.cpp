#include "qt_window_system.h"

#include "qt_child_window.h"
#include "qt_dialog_window.h"
#include "qt_frame_window.h"
#include "qt_host.h"

#include "platform/message_loop.h"
#include "platform/sysmetrics.h"
#include "platform/wnd.h"

#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>

namespace {
// The sizes AdjustWindowRectEx adds, as this desktop draws them: the title bar from the
// style, one row of a menu bar from a real one. The window manager's own frame is unknown
// until a window is shown, so centring may be off by its few pixels.
SystemMetrics QtSystemMetrics() {
    SystemMetrics metrics;
    if (QStyle* pStyle = QApplication::style())
        metrics.cyCaption = pStyle->pixelMetric(QStyle::PM_TitleBarHeight);
    QMenuBar bar;
    bar.setNativeMenuBar(false);
    bar.addMenu(QStringLiteral("M"));
    metrics.cyMenu = bar.sizeHint().height();
    return metrics;
}
} // namespace

QtWindowSystem::QtWindowSystem() {
    m_clock.start();
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_wake, &QTimer::timeout, [] { AfxDeliverDueTimers(); });
}

QtWindowSystem::~QtWindowSystem() = default;

void QtWindowSystem::Install() {
    AfxSetSystemMetrics(QtSystemMetrics());
    AfxSetWindowSystem(this);
}

std::unique_ptr<IWndPeer> QtWindowSystem::CreatePeer(CWnd& wnd, const CREATESTRUCT& cs) {
    if (cs.style & WS_CHILD)
        return CreateChildPeer(wnd, cs);
    return CreateFramePeer(wnd, cs);
}

std::unique_ptr<IDialogPeer> QtWindowSystem::CreateDialogPeer(CWnd& wnd, const CREATESTRUCT& cs,
                                                              const DialogTemplate& dlg) {
    return CreateQtDialogPeer(wnd, cs, dlg);
}

DWORD QtWindowSystem::Now() {
    return static_cast<DWORD>(m_clock.elapsed());
}

RECT QtWindowSystem::WorkArea() {
    const QScreen* pScreen = QGuiApplication::primaryScreen();
    if (!pScreen)
        return RECT{};
    const QRect rc = pScreen->availableGeometry();
    return RECT{rc.left(), rc.top(), rc.left() + rc.width(), rc.top() + rc.height()};
}

CWnd* QtWindowSystem::GetFocus() {
    for (QWidget* pWidget = QApplication::focusWidget(); pWidget; pWidget = pWidget->parentWidget())
        if (auto* pHost = dynamic_cast<QtWndHost*>(pWidget); pHost && pHost->Wnd())
            return pHost->Wnd();
    return nullptr;
}

void QtWindowSystem::SetWakeTimer(DWORD dwTimeout) {
    if (dwTimeout == INFINITE)
        m_wake.stop();
    else // the layer keeps a wait within what a timer takes, so it fits an int
        m_wake.start(static_cast<int>(dwTimeout));
}

bool QtWindowSystem::WaitForEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return true;
}
