#include "framewnd.h"

#include "accel.h"
#include "afxres.h"
#include "winapp.h"
#include "wndclass.h"

const CRuntimeClass CFrameWnd::classCFrameWnd{"CFrameWnd", nullptr};

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() = default;

const CRuntimeClass* CFrameWnd::GetRuntimeClass() const {
    return &classCFrameWnd;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, void* pContext) {
    AfxLoadString(nIDResource, m_strTitle);
    m_strTitle = m_strTitle.substr(0, m_strTitle.find('\n'));
    const UINT nMenu = AfxFindMenu(nIDResource) ? nIDResource : 0;
    if (!CreateEx(0, nullptr, m_strTitle.c_str(), dwDefaultStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, pParentWnd, nMenu, pContext))
        return FALSE; // the window was refused and this object deleted itself
    m_pAccelTable = AfxFindAccelTable(nIDResource);
    // The first sizing of a new window: the pane made in OnCreate takes the client area.
    RecalcLayout();
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW), COLOR_WINDOW + 1);
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (m_pAccelTable && (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN)) {
        if (const UINT nCmd = AfxTranslateAccelerator(m_pAccelTable->entries, *pMsg)) {
            // Translated keys are used up even when no one handles their command. The
            // command may close this frame; nothing here is touched after it.
            SendMessage(WM_COMMAND, MAKEWPARAM(nCmd, 1), 0);
            return TRUE;
        }
    }
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT nID = LOWORD(static_cast<LPARAM>(wParam));
    if (lParam == 0) // from a menu or an accelerator, not from a control
        return nID != 0 && OnCmdMsg(nID, CN_COMMAND, nullptr, nullptr);
    return CWnd::OnCommand(wParam, lParam);
}

void CFrameWnd::RecalcLayout() {
    if (!GetSafeHwnd())
        return;
    RECT rc;
    GetClientRect(&rc);
    for (CWnd* pChild : GetChildren())
        if ((pChild->GetStyle() & WS_CHILD) && pChild->GetDlgCtrlID() == AFX_IDW_PANE_FIRST)
            pChild->MoveWindow(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

void CFrameWnd::OnSize(UINT nType, int /*cx*/, int /*cy*/) {
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::PostNcDestroy() {
    delete this;
}
