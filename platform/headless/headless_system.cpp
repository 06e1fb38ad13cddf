#include "headless_system.h"

#include "platform/paintdc.h"
#include "platform/timer_queue.h"
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

bool HeadlessSystem::WaitForEvents() {
    if (m_modal.empty() || !m_modalHook || m_modal.back()->Serial() == m_nHookedSerial)
        return false;
    HeadlessDialogPeer& dialog = *m_modal.back();
    m_nHookedSerial = dialog.Serial();
    const std::function<void(CWnd&)> hook = m_modalHook; // the hook may replace itself
    hook(dialog.Window());
    return true;
}

bool HeadlessSystem::IsQuitRequested() const {
    return AfxIsQuitPosted();
}

int HeadlessSystem::ExitCode() const {
    return AfxQuitCode();
}

UINT_PTR HeadlessSystem::Deliver(std::uint64_t qwDue) {
    m_qwElapsed = std::max(m_qwElapsed, qwDue);
    const std::optional<CTimerQueue::Tick> tick = AfxTimers().TakeDue(m_qwElapsed);
    CWnd* pWnd = tick ? tick->wnd.Get() : nullptr;
    HeadlessPeer* pPeer = pWnd ? PeerOf(*pWnd) : nullptr;
    if (!pPeer)
        return tick ? tick->nIDEvent : 0;
    ++pPeer->m_ticks[tick->nIDEvent];
    // The handler may start, kill or destroy anything, this window included.
    AfxDispatchTick(*tick);
    AfterMessage();
    return tick->nIDEvent;
}

void HeadlessSystem::Advance(std::uint64_t ms) {
    const std::uint64_t qwEnd = m_qwElapsed + ms;
    for (;;) {
        const std::optional<std::uint64_t> due = AfxTimers().NextDue();
        if (!due || *due > qwEnd)
            break;
        Deliver(*due);
    }
    m_qwElapsed = qwEnd;
}

bool HeadlessSystem::DeliverNextTick(UINT_PTR* pIDEvent) {
    const std::optional<std::uint64_t> due = AfxTimers().NextDue();
    if (!due)
        return false;
    const UINT_PTR nIDEvent = Deliver(*due);
    if (pIDEvent)
        *pIDEvent = nIDEvent;
    return true;
}

bool HeadlessSystem::IsTimerRunning(const CWnd& wnd, UINT_PTR nIDEvent) const {
    return PeerOf(wnd) && AfxTimers().IsRunning(wnd, nIDEvent);
}

UINT HeadlessSystem::TimerPeriod(const CWnd& wnd, UINT_PTR nIDEvent) const {
    return PeerOf(wnd) ? AfxTimers().Period(wnd, nIDEvent) : 0;
}

std::vector<UINT_PTR> HeadlessSystem::RunningTimers(const CWnd& wnd) const {
    return PeerOf(wnd) ? AfxTimers().Running(wnd) : std::vector<UINT_PTR>{};
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
    for (UINT i = 0; i < nRepeat; ++i) {
        HeadlessPeer* pLive = FindSerial(nSerial);
        if (!pLive)
            return; // the window went with an earlier key (the quit key, say)
        AfxDispatchKeyDown(&pLive->Window(), nVirtKey, modifiers, i > 0);
        AfterMessage();
    }
}

bool HeadlessSystem::PaintPeer(HeadlessPeer& peer) {
    const std::uint64_t nSerial = peer.Serial();
    peer.BeginPaint();
    AfxSendPaint(peer.Window(), peer);
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
    std::erase(m_peers, &peer);
    std::erase(m_modal, &peer);
}
