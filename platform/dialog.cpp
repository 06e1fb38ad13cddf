#include "dialog.h"

#include "afxres.h"
#include "message_loop.h"
#include "winthread.h"

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    const DialogTemplate* pTemplate = AfxFindDialog(m_nIDTemplate);
    if (!pTemplate || GetSafeHwnd())
        return -1;
    CWnd* pOwner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    m_nModalResult = -1;
    m_bEnded = false;
    m_pTemplate = pTemplate;
    const BOOL bCreated = CreateEx(pTemplate->dwExStyle, nullptr, pTemplate->pszCaption,
                                   pTemplate->style & ~WS_VISIBLE, pTemplate->x, pTemplate->y, pTemplate->cx,
                                   pTemplate->cy, pOwner, 0, const_cast<DialogTemplate*>(pTemplate));
    m_pTemplate = nullptr;
    if (!bCreated)
        return -1;
    // A template that names no place of its own opens centred over its owner.
    if (pTemplate->x == 0 && pTemplate->y == 0)
        CenterWindow(pOwner);
    OnInitDialog();
    if (IDialogPeer* pPeer = m_pDialogPeer; !m_bEnded && pPeer) {
        m_bInModalLoop = true;
        pPeer->BeginModal();
        AfxPumpMessages([this] { return m_bEnded; });
        // The window may have gone inside the loop (its owner was closed from outside); its
        // native side was kept until now, so that the owner gets its input back.
        pPeer->EndModal();
        m_bInModalLoop = false;
    }
    m_pParkedPeer.reset();
    DestroyWindow();
    return m_nModalResult;
}

void CDialog::ReleasePeer(std::unique_ptr<IWndPeer> pPeer) {
    if (!m_bInModalLoop) {
        pPeer.reset();
        return;
    }
    // Destroyed while its modal loop runs: the loop is ended, and the peer lives on until
    // the loop has returned and ended its modal state.
    m_bEnded = true;
    m_pParkedPeer = std::move(pPeer);
}

std::unique_ptr<IWndPeer> CDialog::CreatePeer(const CREATESTRUCT& cs) {
    if (!m_pTemplate)
        return CWnd::CreatePeer(cs);
    std::unique_ptr<IDialogPeer> pPeer = AfxWindowSystem().CreateDialogPeer(*this, cs, *m_pTemplate);
    m_pDialogPeer = pPeer.get();
    return pPeer;
}

void CDialog::OnNcDestroy() {
    m_pDialogPeer = nullptr; // the peer is gone (or parked) by now
    CWnd::OnNcDestroy();
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    m_bEnded = true;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) {
    if (nCode == CN_COMMAND && nID == static_cast<UINT>(IDOK)) {
        OnOK();
        return TRUE;
    }
    if (nCode == CN_COMMAND && nID == static_cast<UINT>(IDCANCEL)) {
        OnCancel();
        return TRUE;
    }
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange* /*pDX*/) {}

void CDialog::OnClose() {
    OnCancel();
}
