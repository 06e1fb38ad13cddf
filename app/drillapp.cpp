#include "drillapp.h"

#include "aboutdlg.h"
#include "drill_resources.h"
#include "mainfrm.h"
#include "resource.h"

CDrillApp::CDrillApp() : CWinApp(nullptr) {
    // The resources travel with the application object, as they do in a program file.
    AfxSetResourceHandle(&g_drillResources);
}

CDrillApp::~CDrillApp() = default;

BOOL CDrillApp::InitInstance() {
    auto* pFrame = new CMainFrame;
    m_pMainWnd = pFrame;
    // A refused frame destroys and deletes itself and the layer forgets it as main window.
    if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr))
        return FALSE;
    pFrame->ShowWindow(SW_SHOW);
    pFrame->UpdateWindow();
    return TRUE;
}

BOOL CDrillApp::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) {
    if (nCode == CN_COMMAND && nID == ID_APP_ABOUT) {
        OnAppAbout();
        return TRUE;
    }
    return CWinApp::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDrillApp::OnAppAbout() {
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
