// CDialog: a window built from a dialog template. DoModal shows it over its owner and runs
// the backend's modal loop until EndDialog; the rest of the program keeps running meanwhile.
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

// What a backend's dialog peer offers besides a plain window: a modal loop.
class IModalPeer {
public:
    virtual ~IModalPeer() = default;
    // Shows the dialog modal over its owner and returns when EndModalLoop is called.
    virtual void RunModalLoop() = 0;
    virtual void EndModalLoop() = 0;
};

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Creates the dialog from its template (the template reaches the backend as the
    // creation parameter, in dialog units), runs the modal loop, destroys the window and
    // returns the EndDialog result; -1 when the dialog could not be shown.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    UINT GetTemplateID() const { return m_nIDTemplate; }
    bool IsModalLoopRunning() const { return m_bInModalLoop; }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);
    // The close box answers like Cancel.
    void OnClose() override;

private:
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    int m_nModalResult = -1;
    bool m_bEnded = false;
    bool m_bInModalLoop = false;
};
