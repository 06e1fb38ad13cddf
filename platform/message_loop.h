// The program's message loop, written once for every desktop. The loop delivers the
// windows' timer ticks itself and lets the backend handle its native events (input, paints,
// commands) in between; a dialog's modal loop is the same loop, nested.
#pragma once

#include "timer_queue.h"
#include "wintypes.h"

#include <cstdint>
#include <functional>

// The timers of the installed desktop.
CTimerQueue& AfxTimers();
// Milliseconds on the installed desktop's clock: the timers' time, which never wraps.
std::uint64_t AfxClock();
// After the timers changed: the backend's wake-up moves to the earliest due tick.
void AfxTimersChanged();
// Delivers every tick due now, each as WM_TIMER to its window, looked up again (a handler may
// destroy any window), then sets the wake-up for the next. The loop calls it, and so does a
// backend's wake-up from whatever native loop runs then (a menu's, a window move's).
void AfxDeliverDueTimers();

// Hands a tick taken off the queue to its window, if the window still exists (after the
// observer, when one is set: a test's probe of every tick the loop delivers).
void AfxDispatchTick(const CTimerQueue::Tick& tick);
void AfxSetTickObserver(std::function<void(const CWnd&, UINT_PTR)> observer);

// Ends the message loop, and any modal loop in it, once the current message is handled.
void AfxPostQuitMessage(int nExitCode);
bool AfxIsQuitPosted();
int AfxQuitCode();

// Runs the loop until done holds or the program quits. False when the desktop has nothing
// more to wait for (the headless desktop, whose events are a test's calls).
bool AfxPumpMessages(const std::function<bool()>& done);
// The main loop, until PostQuitMessage; returns its code.
int AfxRunMessageLoop();

// A new desktop starts with no timers and no quit.
void AfxResetMessageLoop();
