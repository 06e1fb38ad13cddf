#include "web_window_system.h"

#include "web_bridge.h"
#include "web_dialog_peer.h"
#include "web_peer.h"

#include "platform/keymap.h"
#include "platform/message_loop.h"
#include "platform/wnd.h"

namespace {
constexpr LPARAM NO_CONTROL = 0; // a command from a menu, not from a control

// The virtual key of a key message from the page, whose wParam is the key's place on a US
// keyboard: a key of the typing area or the keypad goes by the layer's key rule from what it
// typed; every other key (Esc, Enter, the arrows, ...) is its place. 0: a key to drop.
UINT VirtualKeyOf(const WebMessage& msg) {
    const UINT vk = msg.wParam;
    const bool bKeypad = vk >= VK_NUMPAD0 && vk <= VK_DIVIDE;
    const bool bTypingArea = (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z') ||
                             (vk >= VK_OEM_1 && vk <= VK_OEM_3) || (vk >= VK_OEM_4 && vk <= VK_OEM_7);
    if (msg.chTyped == 0 || (!bKeypad && !bTypingArea))
        return vk;
    KeyPress key;
    key.chTyped = static_cast<char32_t>(msg.chTyped);
    key.bTypedIsLetter = msg.bTypedIsLetter != 0;
    key.nPositionVk = bKeypad ? 0 : vk;
    key.bKeypad = bKeypad;
    return AfxVirtualKeyOf(key);
}
} // namespace

WebWindowSystem::WebWindowSystem() = default;

WebWindowSystem::~WebWindowSystem() = default;

void WebWindowSystem::Install() {
    web::Start();
    AfxSetWindowSystem(this);
}

std::unique_ptr<IWndPeer> WebWindowSystem::CreatePeer(CWnd& wnd, const CREATESTRUCT& cs) {
    return std::make_unique<WebWndPeer>(*this, wnd, cs);
}

std::unique_ptr<IDialogPeer> WebWindowSystem::CreateDialogPeer(CWnd& wnd, const CREATESTRUCT& cs,
                                                               const DialogTemplate& dlg) {
    return std::make_unique<WebDialogPeer>(*this, wnd, cs, dlg);
}

DWORD WebWindowSystem::Now() {
    return web::Now();
}

RECT WebWindowSystem::WorkArea() {
    // The page is the whole desktop; the frame's place on it does not matter.
    return RECT{0, 0, 1024, 768};
}

CWnd* WebWindowSystem::GetFocus() {
    return m_focus.Get();
}

void WebWindowSystem::SetWakeTimer(DWORD dwTimeout) {
    web::SetWakeTimer(dwTimeout);
}

bool WebWindowSystem::WaitForEvents() {
    // One message a turn: the loop sees a dialog's end or a quit right after the message
    // that made it. The page hands the program back when a message comes, or when a script
    // of the page wants the loop to look at its clock again (nothing is waiting then).
    if (!DispatchWaiting()) {
        web::WaitMessage();
        DispatchWaiting();
    }
    return true;
}

bool WebWindowSystem::DispatchWaiting() {
    WebMessage msg;
    if (!web::TakeMessage(msg))
        return false;
    Dispatch(msg);
    return true;
}

void WebWindowSystem::Dispatch(const WebMessage& msg) {
    if (msg.message == WM_TIMER) {
        AfxDeliverDueTimers(); // the wake-up: the layer's next timer is due
        return;
    }
    WebWndPeer* pPeer = Find(msg.nWindow);
    if (!pPeer)
        return; // the window went while its message waited
    CWnd& wnd = pPeer->Window();
    switch (msg.message) {
    case WM_PAINT:
        pPeer->Paint();
        break;
    case WM_KEYDOWN: { // lParam: whether the key is an auto-repeat
        const UINT vk = VirtualKeyOf(msg);
        if (vk == 0)
            break;
        // A system key that no accelerator used up goes on to the menu bar, as on a desktop.
        if (!AfxDispatchKeyDown(&wnd, vk, msg.modifiers, msg.lParam != 0) &&
            AfxKeyDownMessage(vk, msg.modifiers) == WM_SYSKEYDOWN)
            web::SystemKey(vk, msg.modifiers);
        break;
    }
    case WM_COMMAND:
        wnd.SendMessage(WM_COMMAND, msg.wParam, NO_CONTROL);
        break;
    default:
        wnd.SendMessage(msg.message, msg.wParam, msg.lParam);
        break;
    }
}

int WebWindowSystem::Register(WebWndPeer& peer) {
    const int nHandle = m_nNextHandle++;
    m_peers[nHandle] = &peer;
    return nHandle;
}

void WebWindowSystem::Unregister(WebWndPeer& peer) {
    m_peers.erase(peer.Handle());
    if (m_nFocus == peer.Handle()) {
        m_nFocus = 0;
        web::SetFocusWindow(0);
    }
}

WebWndPeer* WebWindowSystem::Find(int nHandle) const {
    const auto it = m_peers.find(nHandle);
    return it == m_peers.end() ? nullptr : it->second;
}

void WebWindowSystem::MoveFocus(WebWndPeer& peer) {
    if (m_focus.Get() == &peer.Window())
        return;
    // The page's keys go to the new window from now on, whatever its handlers do first.
    m_nFocus = peer.Handle();
    web::SetFocusWindow(m_nFocus);
    m_focus.MoveTo(peer.Window());
}

void WebWindowSystem::Activate(CWnd* pWnd) {
    for (const auto& [nHandle, pPeer] : m_peers)
        if (&pPeer->Window() == pWnd && pPeer->IsVisible()) {
            MoveFocus(*pPeer);
            return;
        }
}
