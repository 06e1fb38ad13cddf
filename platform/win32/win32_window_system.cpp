#include "win32_window_system.h"

#include "win32_native.h"
#include "win32_peer.h"

#include "platform/message_loop.h"
#include "platform/sysmetrics.h"
#include "platform/window_scale.h"
#include "platform/wnd.h"

Win32WindowSystem::Win32WindowSystem() = default;

Win32WindowSystem::~Win32WindowSystem() = default;

void Win32WindowSystem::Install() {
    const w32::Metrics m = w32::CurrentMetrics();
    AfxSetSystemMetrics(SystemMetrics{m.cxFixedFrame, m.cyFixedFrame, m.cxSizeFrame, m.cySizeFrame,
                                      m.cxBorder, m.cyBorder, m.cxEdge, m.cyEdge, m.cyCaption, m.cyMenu});
    w32::SetFactorRule([](std::uint32_t nDpi) { return AfxWindowFactor(nDpi / 96.0); });
    AfxSetWindowSystem(this);
}

std::unique_ptr<IWndPeer> Win32WindowSystem::CreatePeer(CWnd& wnd, const CREATESTRUCT& cs) {
    auto pPeer = std::make_unique<Win32Peer>(*this, wnd, cs);
    if (!pPeer->IsValid())
        return nullptr;
    return pPeer;
}

std::unique_ptr<IDialogPeer> Win32WindowSystem::CreateDialogPeer(CWnd& wnd, const CREATESTRUCT& cs,
                                                                 const DialogTemplate& dlg) {
    auto pPeer = std::make_unique<Win32DialogPeer>(*this, wnd, cs, dlg);
    if (!pPeer->IsValid())
        return nullptr;
    return pPeer;
}

DWORD Win32WindowSystem::Now() {
    return w32::Now();
}

RECT Win32WindowSystem::WorkArea() {
    const w32::Rect rc = w32::WorkArea();
    return RECT{rc.left, rc.top, rc.right, rc.bottom};
}

CWnd* Win32WindowSystem::GetFocus() {
    const w32::IWindowEvents* pEvents = w32::FocusEvents();
    for (Win32Peer* pPeer : m_peers)
        if (pEvents && pPeer->HasEvents(pEvents))
            return &pPeer->Window();
    return nullptr;
}

void Win32WindowSystem::SetWakeTimer(DWORD dwTimeout) {
    w32::SetWake(dwTimeout, AfxDeliverDueTimers);
}

bool Win32WindowSystem::WaitForEvents() {
    // Returns at once when messages wait, including ones seen but left in the queue.
    w32::WaitForMessages(INFINITE);
    if (int nExitCode = 0; !w32::PumpMessages(&nExitCode))
        AfxPostQuitMessage(nExitCode); // a quit posted from outside the layer
    return true;
}

void* Win32WindowSystem::NativeHandle(const CWnd& wnd) const {
    const Win32Peer* pPeer = PeerOf(wnd);
    return pPeer ? pPeer->NativeHandle() : nullptr;
}

Win32Peer* Win32WindowSystem::PeerOf(const CWnd& wnd) const {
    for (Win32Peer* pPeer : m_peers)
        if (&pPeer->Window() == &wnd)
            return pPeer;
    return nullptr;
}
