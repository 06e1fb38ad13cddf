// The timers of every window, kept once for every desktop on the backend's clock. A backend
// only wakes the loop when the next one falls due (IWindowSystem::SetWakeTimer).
#pragma once

#include "wintypes.h"
#include "wnd.h"

#include <cstdint>
#include <optional>
#include <vector>

class CTimerQueue {
public:
    // A tick taken off the queue, to be dispatched: the window is looked up again then.
    struct Tick {
        CWndRef wnd;
        UINT_PTR nIDEvent = 0;
    };

    // Starts timer id of wnd with its first tick nElapse ms after qwNow; a running timer of
    // the same id starts again (and goes after the others due at the same moment).
    void Start(const CWnd& wnd, UINT_PTR nIDEvent, UINT nElapse, std::uint64_t qwNow);
    // False when the timer was not running.
    bool Stop(const CWnd& wnd, UINT_PTR nIDEvent);
    // Every timer of a window that is being destroyed.
    void Forget(const CWnd& wnd);

    // The earliest due time, or none when no timer runs.
    std::optional<std::uint64_t> NextDue() const;
    // The timer due first at qwNow (ties in the order the timers were started), moved on to
    // its next tick after qwNow: a timer that fell behind by several periods gives one tick,
    // never a burst, and keeps its beat. None when no timer is due.
    std::optional<Tick> TakeDue(std::uint64_t qwNow);

    bool IsRunning(const CWnd& wnd, UINT_PTR nIDEvent) const { return Find(wnd, nIDEvent) != nullptr; }
    // The period of a running timer, 0 when it is not running.
    UINT Period(const CWnd& wnd, UINT_PTR nIDEvent) const;
    // The ids of a window's running timers, in ascending order.
    std::vector<UINT_PTR> Running(const CWnd& wnd) const;
    void Clear() { m_timers.clear(); }

private:
    struct Entry {
        const CWnd* pWnd; // a key only: the window is reached through wnd
        CWndRef wnd;
        UINT_PTR nIDEvent;
        UINT nPeriod;
        std::uint64_t qwDue;
        std::uint64_t nOrder;
    };

    const Entry* Find(const CWnd& wnd, UINT_PTR nIDEvent) const;
    std::vector<Entry>::iterator First();

    std::vector<Entry> m_timers;
    std::uint64_t m_nNextOrder = 1;
};
