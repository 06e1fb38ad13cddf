#include "headless_system.h"

#include "platform/wnd.h"

#include <algorithm>

HeadlessSystem::HeadlessSystem() = default;

HeadlessSystem::~HeadlessSystem() {
    // Windows that outlive the desktop keep their peers; those must not call back.
    for (HeadlessPeer* pPeer : m_peers)
        pPeer->m_pSystem = nullptr;
}

void HeadlessSystem::Install() {
    AfxSetWindowSystem(this);
}

template <class Peer> std::unique_ptr<Peer> HeadlessSystem::MakePeer(CWnd& wnd, const CREATESTRUCT& cs) {
    if (m_bFailNextCreate) {
        m_bFailNextCreate = false;
        return nullptr;
    }
    auto pPeer = std::make_unique<Peer>(*this, wnd, cs, m_nNextSerial++);
    m_peers.push_back(pPeer.get());
    return pPeer;
}

std::unique_ptr<IWndPeer> HeadlessSystem::CreatePeer(CWnd& wnd, const CREATESTRUCT& cs) {
    return MakePeer<HeadlessPeer>(wnd, cs);
}

std::unique_ptr<IDialogPeer> HeadlessSystem::CreateDialogPeer(CWnd& wnd, const CREATESTRUCT& cs,
                                                              const DialogTemplate& /*dlg*/) {
    return MakePeer<HeadlessDialogPeer>(wnd, cs);
}

DWORD HeadlessSystem::Now() {
    return m_dwClockStart + static_cast<DWORD>(m_qwElapsed);
}

void HeadlessSystem::PostQuitMessage(int nExitCode) {
    m_bQuit = true;
    m_nExitCode = nExitCode;
}

void HeadlessSystem::StartTimer(HeadlessPeer& peer, UINT_PTR nIDEvent, UINT nElapse) {
    StopTimer(peer, nIDEvent);
    // The layer never asks for less than USER_TIMER_MINIMUM, so a period is never zero.
    m_timers.push_back(Timer{peer.Serial(), nIDEvent, nElapse, m_qwElapsed + nElapse, m_nNextOrder++});
}

void HeadlessSystem::StopTimer(HeadlessPeer& peer, UINT_PTR nIDEvent) {
    std::erase_if(m_timers,
                  [&](const Timer& t) { return t.nPeer == peer.Serial() && t.nIDEvent == nIDEvent; });
}

std::vector<HeadlessSystem::Timer>::iterator HeadlessSystem::NextDue() {
    return std::min_element(m_timers.begin(), m_timers.end(), [](const Timer& a, const Timer& b) {
        return a.qwDue != b.qwDue ? a.qwDue < b.qwDue : a.nOrder < b.nOrder;
    });
}

void HeadlessSystem::Deliver(std::vector<Timer>::iterator it) {
    m_qwElapsed = it->qwDue;
    it->qwDue += it->nPeriod; // the next tick, unless the handler kills or restarts it
    const std::uint64_t nSerial = it->nPeer;
    const UINT_PTR nIDEvent = it->nIDEvent;
    HeadlessPeer* pPeer = FindSerial(nSerial);
    if (!pPeer)
        return;
    ++pPeer->m_ticks[nIDEvent];
    // The handler may start, kill or destroy anything, this window included; `it` is stale.
    pPeer->Window().WindowProc(WM_TIMER, nIDEvent, 0);
    AfterMessage();
}

void HeadlessSystem::Advance(std::uint64_t ms) {
    const std::uint64_t qwEnd = m_qwElapsed + ms;
    for (;;) {
        auto it = NextDue();
        if (it == m_timers.end() || it->qwDue > qwEnd)
            break;
        Deliver(it);
    }
    m_qwElapsed = qwEnd;
}

bool HeadlessSystem::DeliverNextTick(UINT_PTR* pIDEvent) {
    auto it = NextDue();
    if (it == m_timers.end())
        return false;
    if (pIDEvent)
        *pIDEvent = it->nIDEvent;
    Deliver(it);
    return true;
}

const HeadlessSystem::Timer* HeadlessSystem::FindTimer(const CWnd& wnd, UINT_PTR nIDEvent) const {
    const HeadlessPeer* pPeer = PeerOf(wnd);
    if (!pPeer)
        return nullptr;
    for (const Timer& t : m_timers)
        if (t.nPeer == pPeer->Serial() && t.nIDEvent == nIDEvent)
            return &t;
    return nullptr;
}

bool HeadlessSystem::IsTimerRunning(const CWnd& wnd, UINT_PTR nIDEvent) const {
    return FindTimer(wnd, nIDEvent) != nullptr;
}

UINT HeadlessSystem::TimerPeriod(const CWnd& wnd, UINT_PTR nIDEvent) const {
    const Timer* pTimer = FindTimer(wnd, nIDEvent);
    return pTimer ? pTimer->nPeriod : 0;
}

std::vector<UINT_PTR> HeadlessSystem::RunningTimers(const CWnd& wnd) const {
    std::vector<UINT_PTR> ids;
    if (const HeadlessPeer* pPeer = PeerOf(wnd))
        for (const Timer& t : m_timers)
            if (t.nPeer == pPeer->Serial())
                ids.push_back(t.nIDEvent);
    std::sort(ids.begin(), ids.end());
    return ids;
}

void HeadlessSystem::PressKey(UINT nVirtKey, DWORD modifiers, UINT nRepeat) {
    if (CWnd* pFocus = m_focus.Get())
        PressKey(*pFocus, nVirtKey, modifiers, nRepeat);
}

void HeadlessSystem::PressKey(CWnd& target, UINT nVirtKey, DWORD modifiers, UINT nRepeat) {
    const HeadlessPeer* pPeer = PeerOf(target);
    if (!pPeer)
        return;
    const std::uint64_t nSerial = pPeer->Serial();
    const bool bAlt = (modifiers & MOD_ALT_DOWN) != 0;
    const UINT message = bAlt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    for (UINT i = 0; i < nRepeat; ++i) {
        HeadlessPeer* pLive = FindSerial(nSerial);
        if (!pLive)
            return; // the window went with an earlier key (the quit key, say)
        LPARAM lParam = MakeKeyLParam(1, i > 0);
        if (bAlt)
            lParam |= 0x20000000; // the context bit: Alt was down
        AfxDispatchKeyMessage(&pLive->Window(), message, nVirtKey, lParam, modifiers);
        AfterMessage();
    }
}

bool HeadlessSystem::PaintPeer(HeadlessPeer& peer) {
    const std::uint64_t nSerial = peer.Serial();
    peer.BeginPaint();
    peer.Window().WindowProc(WM_PAINT, 0, 0);
    HeadlessPeer* pLive = FindSerial(nSerial);
    if (!pLive)
        return true;
    pLive->EndPaint();
    if (m_paintHook)
        m_paintHook(pLive->Window(), pLive->Picture());
    return true;
}

int HeadlessSystem::Paint() {
    std::vector<std::uint64_t> pending;
    for (const HeadlessPeer* pPeer : m_peers)
        if (pPeer->IsInvalid() && IsShown(pPeer->Window()))
            pending.push_back(pPeer->Serial());
    int nPainted = 0;
    for (std::uint64_t nSerial : pending)
        if (HeadlessPeer* pPeer = FindSerial(nSerial); pPeer && pPeer->IsInvalid())
            nPainted += PaintPeer(*pPeer) ? 1 : 0;
    return nPainted;
}

bool HeadlessSystem::Paint(CWnd& wnd) {
    HeadlessPeer* pPeer = PeerOf(wnd);
    if (!pPeer || !pPeer->IsInvalid() || !IsShown(wnd))
        return false;
    return PaintPeer(*pPeer);
}

void HeadlessSystem::AfterMessage() {
    if (m_bAutoPaint)
        Paint();
}

HeadlessPeer* HeadlessSystem::PeerOf(const CWnd& wnd) const {
    for (HeadlessPeer* pPeer : m_peers)
        if (&pPeer->Window() == &wnd)
            return pPeer;
    return nullptr;
}

HeadlessPeer* HeadlessSystem::FindSerial(std::uint64_t nSerial) const {
    for (HeadlessPeer* pPeer : m_peers)
        if (pPeer->Serial() == nSerial)
            return pPeer;
    return nullptr;
}

bool HeadlessSystem::IsShown(const CWnd& wnd) const {
    for (const CWnd* pWnd = &wnd; pWnd; pWnd = pWnd->GetParent()) {
        const HeadlessPeer* pPeer = PeerOf(*pWnd);
        if (!pPeer || !pPeer->IsVisible())
            return false;
    }
    return true;
}

void HeadlessSystem::MoveFocus(HeadlessPeer& peer) {
    m_focus.MoveTo(peer.Window());
}

void HeadlessSystem::Forget(HeadlessPeer& peer) {
    std::erase_if(m_timers, [&](const Timer& t) { return t.nPeer == peer.Serial(); });
    std::erase(m_peers, &peer);
}
