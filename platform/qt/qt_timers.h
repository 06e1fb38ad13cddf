// The timers of one window: one precise Qt timer per id, whose events go to the window's
// widget. Setting a running id restarts it; a stopped id never ticks again.
#pragma once

#include "platform/wintypes.h"

#include <QBasicTimer>

#include <map>
#include <vector>

class QObject;

class QtTimerSet {
public:
    explicit QtTimerSet(QObject* pReceiver) : m_pReceiver(pReceiver) {}
    QtTimerSet(const QtTimerSet&) = delete;
    QtTimerSet& operator=(const QtTimerSet&) = delete;
    ~QtTimerSet() { StopAll(); }

    void Start(UINT_PTR nIDEvent, UINT nElapse);
    void Stop(UINT_PTR nIDEvent);
    void StopAll();

    // The id of the running timer whose Qt timer event this is; false for any other event.
    bool Lookup(int nQtTimerId, UINT_PTR& rIDEvent) const;
    std::vector<UINT_PTR> Running() const;
    // The period of a running timer, 0 when it is not running.
    UINT Period(UINT_PTR nIDEvent) const;

private:
    struct Entry {
        QBasicTimer timer;
        UINT nElapse = 0;
    };

    QObject* m_pReceiver;
    std::map<UINT_PTR, Entry> m_timers;
};
