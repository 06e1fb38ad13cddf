#include "drillapp.h"

#include "aboutdlg.h"
#include "drill_resources.h"
#include "load_report.h"
#include "mainfrm.h"
#include "resource.h"

#include <new>

CDrillApp::CDrillApp() : CWinApp(nullptr) {
    // The resources travel with the application object, as they do in a program file.
    AfxSetResourceHandle(&g_drillResources);
}

CDrillApp::~CDrillApp() = default;

BOOL CDrillApp::InitApplication() {
    try {
        return CWinApp::InitApplication();
    } catch (const std::bad_alloc&) {
        WriteOutOfMemory();
        return FALSE;
    }
}

BOOL CDrillApp::InitInstance() {
    CMainFrame* pFrame = nullptr;
    try {
        pFrame = new CMainFrame;
        m_pMainWnd = pFrame;
        pFrame->UsePictures(m_pictures);
        // A refused frame destroys and deletes itself and the layer forgets it as main window.
        if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr))
            return FALSE;
        pFrame->ShowWindow(SW_SHOW);
        pFrame->UpdateWindow();
        return TRUE;
    } catch (const std::bad_alloc&) {
        WriteOutOfMemory();
        // The frame is still the main window only while it exists. With its window it goes
        // as any closed frame does; without one it was never more than an object.
        if (pFrame && m_pMainWnd == pFrame) {
            if (pFrame->GetSafeHwnd())
                pFrame->DestroyWindow();
            else
                delete pFrame;
        }
        m_pMainWnd = nullptr;
        return FALSE;
    }
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
