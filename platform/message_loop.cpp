#include "message_loop.h"

#include "timer_queue.h"
#include "window_system.h"

#include <algorithm>
#include <optional>

namespace {
struct LoopState {
    CTimerQueue timers;
    bool bQuit = false;
    int nQuitCode = 0;
    int nDelivering = 0;                // deliveries running, nested in each other's handlers
    std::optional<std::uint64_t> armed; // the due time the backend's wake-up is set for
    std::function<void(const CWnd&, UINT_PTR)> observer;
};
LoopState g_loop;

// The wait until the next due tick, in whole milliseconds (a tick is never taken early).
void Arm() {
    const std::optional<std::uint64_t> due = g_loop.timers.NextDue();
    if (due == g_loop.armed)
        return;
    IWindowSystem* pSystem = AfxFindWindowSystem();
    if (!pSystem)
        return; // a window that outlived its desktop has nothing to wake
    g_loop.armed = due;
    if (!due) {
        pSystem->SetWakeTimer(INFINITE);
        return;
    }
    const std::uint64_t qwNow = pSystem->Clock();
    const std::uint64_t qwWait = *due > qwNow ? *due - qwNow : 0;
    pSystem->SetWakeTimer(static_cast<DWORD>(std::min<std::uint64_t>(qwWait, USER_TIMER_MAXIMUM)));
}
} // namespace

CTimerQueue& AfxTimers() {
    return g_loop.timers;
}

std::uint64_t AfxClock() {
    return AfxWindowSystem().Clock();
}

void AfxTimersChanged() {
    if (g_loop.nDelivering == 0)
        Arm(); // a delivery sets the wake-up once, when it is done
}

void AfxDeliverDueTimers() {
    ++g_loop.nDelivering;
    g_loop.armed.reset(); // the wake-up that called this has fired
    const std::uint64_t qwNow = AfxClock();
    while (!g_loop.bQuit) {
        const std::optional<CTimerQueue::Tick> tick = g_loop.timers.TakeDue(qwNow);
        if (!tick)
            break;
        AfxDispatchTick(*tick);
    }
    if (--g_loop.nDelivering == 0)
        Arm();
}

void AfxDispatchTick(const CTimerQueue::Tick& tick) {
    if (CWnd* pWnd = tick.wnd.Get()) {
        if (g_loop.observer)
            g_loop.observer(*pWnd, tick.nIDEvent);
        pWnd->WindowProc(WM_TIMER, tick.nIDEvent, 0);
    }
}

void AfxSetTickObserver(std::function<void(const CWnd&, UINT_PTR)> observer) {
    g_loop.observer = std::move(observer);
}

void AfxPostQuitMessage(int nExitCode) {
    g_loop.bQuit = true;
    g_loop.nQuitCode = nExitCode;
}

bool AfxIsQuitPosted() {
    return g_loop.bQuit;
}

int AfxQuitCode() {
    return g_loop.nQuitCode;
}

bool AfxPumpMessages(const std::function<bool()>& done) {
    IWindowSystem& system = AfxWindowSystem();
    for (;;) {
        if (g_loop.bQuit || done())
            return true;
        if (const std::optional<std::uint64_t> due = g_loop.timers.NextDue(); due && *due <= system.Clock()) {
            AfxDeliverDueTimers();
            continue;
        }
        Arm();
        if (!system.WaitForEvents())
            return false;
    }
}

int AfxRunMessageLoop() {
    AfxPumpMessages([] { return false; });
    return g_loop.nQuitCode;
}

void AfxResetMessageLoop() {
    g_loop.timers.Clear();
    g_loop.bQuit = false;
    g_loop.nQuitCode = 0;
    g_loop.nDelivering = 0;
    g_loop.armed.reset();
    g_loop.observer = nullptr;
}
