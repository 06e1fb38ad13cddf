// WebDialogPeer: a dialog as the page's modal <dialog>, built from its template (dialog
// units turned into pixels of the dialog font), with a modal loop that goes on dispatching
// every window's timers and paints while the rest of the page takes no input.
#pragma once

#include "web_peer.h"

#include "platform/resources.h"

class WebDialogPeer : public WebWndPeer, public IDialogPeer {
public:
    WebDialogPeer(WebWindowSystem& system, CWnd& wnd, const CREATESTRUCT& cs, const DialogTemplate& dlg);
    ~WebDialogPeer() override;

    void Show(int nCmdShow) override;
    void RunModalLoop() override;
    void EndModalLoop() override;
    bool IsModalLoopDone() const override { return m_bEnded; }

private:
    CWnd* m_pOwner;
    bool m_bEnded = false;
};
