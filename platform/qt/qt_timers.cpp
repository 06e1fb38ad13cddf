#include "qt_timers.h"

#include <QObject>

namespace {
// The shortest and longest periods a window timer takes, as on Windows.
constexpr UINT TIMER_MINIMUM = 10;
constexpr UINT TIMER_MAXIMUM = 0x7FFFFFFF;
} // namespace

void QtTimerSet::Start(UINT_PTR nIDEvent, UINT nElapse) {
    if (nElapse < TIMER_MINIMUM)
        nElapse = TIMER_MINIMUM;
    if (nElapse > TIMER_MAXIMUM)
        nElapse = TIMER_MAXIMUM;
    Entry& entry = m_timers[nIDEvent];
    entry.nElapse = nElapse;
    // Starting a running QBasicTimer stops it first, so the period begins again now.
    entry.timer.start(static_cast<int>(nElapse), Qt::PreciseTimer, m_pReceiver);
}

void QtTimerSet::Stop(UINT_PTR nIDEvent) {
    const auto it = m_timers.find(nIDEvent);
    if (it == m_timers.end())
        return;
    it->second.timer.stop();
    m_timers.erase(it);
}

void QtTimerSet::StopAll() {
    for (auto& [nID, entry] : m_timers)
        entry.timer.stop();
    m_timers.clear();
}

bool QtTimerSet::Lookup(int nQtTimerId, UINT_PTR& rIDEvent) const {
    for (const auto& [nID, entry] : m_timers)
        if (entry.timer.isActive() && entry.timer.timerId() == nQtTimerId) {
            rIDEvent = nID;
            return true;
        }
    return false;
}

std::vector<UINT_PTR> QtTimerSet::Running() const {
    std::vector<UINT_PTR> ids;
    for (const auto& [nID, entry] : m_timers)
        ids.push_back(nID);
    return ids;
}

UINT QtTimerSet::Period(UINT_PTR nIDEvent) const {
    const auto it = m_timers.find(nIDEvent);
    return it == m_timers.end() ? 0 : it->second.nElapse;
}
