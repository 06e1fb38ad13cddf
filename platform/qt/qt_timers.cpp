#include "qt_timers.h"

#include <QObject>

void QtTimerSet::Start(UINT_PTR nIDEvent, UINT nElapse) {
    // The layer keeps nElapse within what a window timer takes, so it fits an int.
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
