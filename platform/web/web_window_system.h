// WebWindowSystem: the browser backend of the window layer. It makes a peer for every window,
// reads the page's clock, sets the page's one wake-up and dispatches the page's one message
// queue for the layer's loop, which waits by handing the page back to the browser (a modal
// loop is the same loop, nested inside the message that opened the dialog).
#pragma once

#include "platform/window_system.h"
#include "platform/wnd.h"

#include <map>

class WebWndPeer;
struct WebMessage;

class WebWindowSystem : public IWindowSystem {
public:
    WebWindowSystem();
    WebWindowSystem(const WebWindowSystem&) = delete;
    WebWindowSystem& operator=(const WebWindowSystem&) = delete;
    ~WebWindowSystem() override;

    // Makes this the layer's backend (until another is installed or this one goes) and
    // starts the page's side.
    void Install();

    std::unique_ptr<IWndPeer> CreatePeer(CWnd& wnd, const CREATESTRUCT& cs) override;
    std::unique_ptr<IDialogPeer> CreateDialogPeer(CWnd& wnd, const CREATESTRUCT& cs,
                                                  const DialogTemplate& dlg) override;
    DWORD Now() override;
    void SetWakeTimer(DWORD dwTimeout) override;
    // Dispatches one message, after waiting for it when none is waiting.
    bool WaitForEvents() override;
    RECT WorkArea() override;
    CWnd* GetFocus() override;

    // Dispatches one message that is already waiting, without waiting; false when none is.
    bool DispatchWaiting();

    int Register(WebWndPeer& peer);
    void Unregister(WebWndPeer& peer);
    WebWndPeer* Find(int nHandle) const;
    // Gives the keyboard focus to the peer's window: WM_KILLFOCUS to the old one, then
    // WM_SETFOCUS to the new one.
    void MoveFocus(WebWndPeer& peer);
    // The window that owned a modal dialog gets the focus back when the dialog goes.
    void Activate(CWnd* pWnd);

private:
    void Dispatch(const WebMessage& msg);

    std::map<int, WebWndPeer*> m_peers;
    int m_nNextHandle = 1;
    CFocusKeeper m_focus;
    int m_nFocus = 0; // the window the page gives its keys to
};
