#include "qt_signals.h"

#include "platform/winapp.h"
#include "platform/wnd.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// A signal handler may do almost nothing; it writes one byte that wakes the event loop.
int g_fdSignal[2] = {-1, -1};

extern "C" void OnQuitSignal(int) {
    const char c = 1;
    const ssize_t n = ::write(g_fdSignal[1], &c, 1);
    (void)n;
}
#endif

// As a close from outside: the layer ends an open dialog's loop with its owner.
void CloseMainWindow() {
    if (CWinApp* pApp = AfxGetApp(); pApp && pApp->m_pMainWnd)
        pApp->m_pMainWnd->SendMessage(WM_CLOSE);
}

} // namespace

void AfxQtCloseOnSignals() {
#ifdef Q_OS_UNIX
    if (g_fdSignal[0] != -1 || ::pipe(g_fdSignal) != 0)
        return;
    for (int fd : g_fdSignal)
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    ::fcntl(g_fdSignal[1], F_SETFL, O_NONBLOCK); // a flood of signals never blocks the handler
    auto* pNotifier = new QSocketNotifier(g_fdSignal[0], QSocketNotifier::Read, qApp);
    QObject::connect(pNotifier, &QSocketNotifier::activated, qApp, [] {
        char buf[64];
        const ssize_t n = ::read(g_fdSignal[0], buf, sizeof buf);
        (void)n;
        CloseMainWindow();
    });
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
#endif
}
