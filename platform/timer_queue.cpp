#include "timer_queue.h"

#include <algorithm>

void CTimerQueue::Start(const CWnd& wnd, UINT_PTR nIDEvent, UINT nElapse, std::uint64_t qwNow) {
    Stop(wnd, nIDEvent);
    // The layer never asks for less than USER_TIMER_MINIMUM, so a period is never zero.
    m_timers.push_back(Entry{&wnd, CWndRef(&wnd), nIDEvent, nElapse, qwNow + nElapse, m_nNextOrder++});
}

bool CTimerQueue::Stop(const CWnd& wnd, UINT_PTR nIDEvent) {
    return std::erase_if(m_timers,
                         [&](const Entry& e) { return e.pWnd == &wnd && e.nIDEvent == nIDEvent; }) != 0;
}

void CTimerQueue::Forget(const CWnd& wnd) {
    std::erase_if(m_timers, [&](const Entry& e) { return e.pWnd == &wnd; });
}

std::vector<CTimerQueue::Entry>::iterator CTimerQueue::First() {
    return std::min_element(m_timers.begin(), m_timers.end(), [](const Entry& a, const Entry& b) {
        return a.qwDue != b.qwDue ? a.qwDue < b.qwDue : a.nOrder < b.nOrder;
    });
}

std::optional<std::uint64_t> CTimerQueue::NextDue() const {
    const auto it = const_cast<CTimerQueue*>(this)->First();
    if (it == m_timers.end())
        return std::nullopt;
    return it->qwDue;
}

std::optional<CTimerQueue::Tick> CTimerQueue::TakeDue(std::uint64_t qwNow) {
    const auto it = First();
    if (it == m_timers.end() || it->qwDue > qwNow)
        return std::nullopt;
    // The next beat after now: the missed ones merge into this tick.
    it->qwDue += it->nPeriod * ((qwNow - it->qwDue) / it->nPeriod + 1);
    return Tick{it->wnd, it->nIDEvent};
}

const CTimerQueue::Entry* CTimerQueue::Find(const CWnd& wnd, UINT_PTR nIDEvent) const {
    for (const Entry& e : m_timers)
        if (e.pWnd == &wnd && e.nIDEvent == nIDEvent)
            return &e;
    return nullptr;
}

UINT CTimerQueue::Period(const CWnd& wnd, UINT_PTR nIDEvent) const {
    const Entry* pEntry = Find(wnd, nIDEvent);
    return pEntry ? pEntry->nPeriod : 0;
}

std::vector<UINT_PTR> CTimerQueue::Running(const CWnd& wnd) const {
    std::vector<UINT_PTR> ids;
    for (const Entry& e : m_timers)
        if (e.pWnd == &wnd)
            ids.push_back(e.nIDEvent);
    std::sort(ids.begin(), ids.end());
    return ids;
}
