// WebDialogPeer: a dialog as the page's modal <dialog>, built from its template (dialog
// units turned into pixels of the dialog font). While it is modal the rest of the page takes
// no input; the layer's loop goes on with every window's timers and paints.
#pragma once

#include "web_peer.h"

#include "platform/resources.h"

class WebDialogPeer : public WebWndPeer, public IDialogPeer {
public:
    WebDialogPeer(WebWindowSystem& system, CWnd& wnd, const CREATESTRUCT& cs, const DialogTemplate& dlg);
    ~WebDialogPeer() override;

    void Show(int nCmdShow) override;
    void BeginModal() override;
    void EndModal() override;

private:
    // Takes the page's dialog down and gives its owner the focus back, once.
    void Close();

    CWnd* m_pOwner;
    bool m_bClosed = false;
};
