// HeadlessSystem: a deterministic desktop for the tests. Time is a virtual millisecond
// clock that moves only when told; timers tick exactly on their periods; keys, paints and
// focus happen when a test asks. It is the harness every game test drives.
#pragma once

#include "captured_picture.h"
#include "headless_peer.h"
#include "platform/message_loop.h"
#include "platform/window_system.h"
#include "platform/wnd.h"

#include <cstdint>
#include <functional>
#include <vector>

class HeadlessSystem : public IWindowSystem {
public:
    HeadlessSystem();
    HeadlessSystem(const HeadlessSystem&) = delete;
    HeadlessSystem& operator=(const HeadlessSystem&) = delete;
    ~HeadlessSystem() override;

    // Makes this the window layer's backend (until another is installed or this one goes).
    void Install();

    // IWindowSystem
    std::unique_ptr<IWndPeer> CreatePeer(CWnd& wnd, const CREATESTRUCT& cs) override;
    std::unique_ptr<IDialogPeer> CreateDialogPeer(CWnd& wnd, const CREATESTRUCT& cs,
                                                  const DialogTemplate& dlg) override;
    DWORD Now() override;
    std::uint64_t Clock() override { return m_qwElapsed; }
    // Ticks fall due as a test moves the clock (Advance), so there is nothing to wake.
    void SetWakeTimer(DWORD) override {}
    // Runs the modal-loop hook once for the dialog that went modal last; false otherwise:
    // events are a test's calls, so there is none to wait for.
    bool WaitForEvents() override;
    RECT WorkArea() override { return m_rcWorkArea; }
    CWnd* GetFocus() override { return m_focus.Get(); }

    // The clock. Now() is the start reading plus the milliseconds advanced, wrapping at 2^32.
    void SetClockStart(DWORD dwStart) { m_dwClockStart = dwStart; }
    std::uint64_t Elapsed() const { return m_qwElapsed; }
    // Moves the clock on by ms, delivering every timer tick that falls due on the way, in
    // time order; ticks due at the same moment go in the order their timers were started.
    // A tick's handler may start and kill timers: a killed timer never ticks again, and a
    // timer started with a due time inside the span ticks within this call.
    void Advance(std::uint64_t ms);
    // Moves the clock on by ms and delivers nothing, as when the program is busy for that
    // long; the ticks that fell due meanwhile come with the next turn of the loop.
    void Stall(std::uint64_t ms) { m_qwElapsed += ms; }
    // Moves the clock to the next due tick and delivers it alone. False when no timer runs.
    bool DeliverNextTick(UINT_PTR* pIDEvent = nullptr);

    // Timers of a window (none for a window that has no peer).
    bool IsTimerRunning(const CWnd& wnd, UINT_PTR nIDEvent) const;
    UINT TimerPeriod(const CWnd& wnd, UINT_PTR nIDEvent) const;
    std::vector<UINT_PTR> RunningTimers(const CWnd& wnd) const;

    // Key-downs through the layer's dispatch (accelerators first) to the focus window, or
    // to the given one. repeat > 1 sends the further key-downs of a held key (auto-repeat).
    // With Alt held the message is WM_SYSKEYDOWN. Stops when the target window goes.
    void PressKey(UINT nVirtKey, DWORD modifiers = 0, UINT nRepeat = 1);
    void PressKey(CWnd& target, UINT nVirtKey, DWORD modifiers = 0, UINT nRepeat = 1);

    // Paints every shown window that has a repaint pending, in creation order; the number
    // painted. A window's paint clears its pending state, erases with its class brush when
    // erasing was asked, runs its OnPaint and keeps what it presented.
    int Paint();
    bool Paint(CWnd& wnd);
    // Paint after every delivered tick and key, as a message loop does when it goes idle.
    void SetAutoPaint(bool bAutoPaint) { m_bAutoPaint = bAutoPaint; }
    // Called after each paint with the window and its picture (the replay's recorder).
    void SetPaintHook(std::function<void(CWnd&, const CapturedPicture&)> hook) {
        m_paintHook = std::move(hook);
    }

    // Called inside a dialog's modal loop with the dialog's window, standing for what the
    // desktop delivers while the dialog is up (the clock moving on, a close from outside).
    void SetModalLoopHook(std::function<void(CWnd&)> hook) { m_modalHook = std::move(hook); }

    // The peer of a live window, or null.
    HeadlessPeer* PeerOf(const CWnd& wnd) const;
    bool IsAlive(const CWnd& wnd) const { return PeerOf(wnd) != nullptr; }
    // Shown: visible itself and every ancestor visible.
    bool IsShown(const CWnd& wnd) const;
    const std::vector<HeadlessPeer*>& Peers() const { return m_peers; }

    bool IsQuitRequested() const;
    int ExitCode() const;
    void SetWorkArea(const RECT& rc) { m_rcWorkArea = rc; }
    // The next CreatePeer fails (a window the desktop cannot make).
    void FailNextCreate() { m_bFailNextCreate = true; }

private:
    friend class HeadlessPeer;
    friend class HeadlessDialogPeer;

    void MoveFocus(HeadlessPeer& peer);
    void Forget(HeadlessPeer& peer);
    HeadlessPeer* FindSerial(std::uint64_t nSerial) const;
    // Moves the clock to qwDue and delivers the tick due first then.
    UINT_PTR Deliver(std::uint64_t qwDue);
    bool PaintPeer(HeadlessPeer& peer);
    void AfterMessage();
    template <class Peer> std::unique_ptr<Peer> MakePeer(CWnd& wnd, const CREATESTRUCT& cs);

    std::vector<HeadlessPeer*> m_peers;       // live peers in creation order
    std::vector<HeadlessDialogPeer*> m_modal; // dialogs between BeginModal and EndModal
    std::uint64_t m_nHookedSerial = 0;        // the last one the hook ran for
    std::uint64_t m_qwElapsed = 0;
    DWORD m_dwClockStart = 0;
    std::uint64_t m_nNextSerial = 1;
    CFocusKeeper m_focus;
    RECT m_rcWorkArea{0, 0, 1920, 1040};
    bool m_bAutoPaint = false;
    bool m_bFailNextCreate = false;
    std::function<void(CWnd&, const CapturedPicture&)> m_paintHook;
    std::function<void(CWnd&)> m_modalHook;
};
