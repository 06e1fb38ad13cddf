#include "winapp.h"

#include "afxres.h"
#include "resources.h"
#include "wnd.h"

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp::CWinApp(LPCSTR lpszAppName) : m_pszAppName(lpszAppName) {
    g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitApplication() {
    if (!m_pszAppName && AfxLoadString(AFX_IDS_APP_TITLE, m_strAppName))
        m_pszAppName = m_strAppName.c_str();
    return TRUE;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return 0;
}

BOOL CWinApp::OnCmdMsg(UINT nID, int nCode, void* /*pExtra*/, void* /*pHandlerInfo*/) {
    if (nCode == CN_COMMAND && nID == ID_APP_EXIT) {
        OnAppExit();
        return TRUE;
    }
    return FALSE;
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

CWinApp* AfxGetApp() {
    return g_pApp;
}

int AfxWinMain(const std::function<int()>& runMessageLoop) {
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return 1;
    if (!pApp->InitApplication() || !pApp->InitInstance()) {
        // A start-up that gave up must not leave a window behind.
        if (pApp->m_pMainWnd)
            pApp->m_pMainWnd->DestroyWindow();
        pApp->ExitInstance();
        return 1;
    }
    const int nExitCode = runMessageLoop();
    const int nExitInstance = pApp->ExitInstance();
    return nExitCode != 0 ? nExitCode : nExitInstance;
}
