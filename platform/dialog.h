// CDialog: a window built from a dialog template. DoModal shows it over its owner and runs
// the message loop until EndDialog; the rest of the program keeps running meanwhile.
#pragma once

#include "resources.h"
#include "wnd.h"

#include <cstdint>

using INT_PTR = std::intptr_t;

// Data exchange between a dialog object and its controls; the direction is all it carries.
class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Creates the dialog from its template through the backend's dialog peer (the template
    // is also the creation parameter; sizes are in dialog units), runs the modal loop, destroys the window
    // and returns the EndDialog result; -1 when the dialog could not be shown.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);
    // EndDialog was called (or the window went) since DoModal began.
    bool IsModalLoopEnded() const { return m_bEnded; }
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);
    // The close box answers like Cancel.
    void OnClose() override;
    void OnNcDestroy() override;
    std::unique_ptr<IWndPeer> CreatePeer(const CREATESTRUCT& cs) override;
    void ReleasePeer(std::unique_ptr<IWndPeer> pPeer) override;

private:
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    const DialogTemplate* m_pTemplate = nullptr; // while DoModal runs
    IDialogPeer* m_pDialogPeer = nullptr;        // the peer's dialog side, while the window lives
    std::unique_ptr<IWndPeer> m_pParkedPeer;     // a destroyed window's peer, until its loop returns
    int m_nModalResult = -1;
    bool m_bEnded = false;
    bool m_bInModalLoop = false;
};
