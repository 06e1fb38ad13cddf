#include "qt_window_system.h"

#include "qt_child_window.h"
#include "qt_dialog_window.h"
#include "qt_frame_window.h"
#include "qt_host.h"

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

void QtWindowSystem::PostQuitMessage(int nExitCode) {
    m_bQuitPosted = true;
    m_bQuitPending = true;
    m_nExitCode = nExitCode;
    QMetaObject::invokeMethod(
        &m_context,
        [this, nExitCode] {
            m_bQuitPending = false;
            QCoreApplication::exit(nExitCode);
        },
        Qt::QueuedConnection);
}

int QtWindowSystem::Run() {
    // A quit already handled outside any loop would leave exec() waiting for ever.
    if (m_bQuitPosted && !m_bQuitPending)
        return m_nExitCode;
    return QCoreApplication::exec();
}
