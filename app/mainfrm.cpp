#include "mainfrm.h"

#include "load_report.h"

#include "platform/afxres.h"
#include "platform/program_file.h"
#include "platform/sysmetrics.h"
#include "platform/wndclass.h"

const CRuntimeClass CMainFrame::classCMainFrame{"CMainFrame", &CFrameWnd::classCFrameWnd};

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() = default;

const CRuntimeClass* CMainFrame::GetRuntimeClass() const {
    return &classCMainFrame;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // Fixed size: no sizing border, no maximise box, and the caption stays the plain title.
    cs.dwExStyle = WS_EX_CLIENTEDGE;
    cs.style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

    RECT rc{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    AdjustWindowRectEx(&rc, cs.style, TRUE, cs.dwExStyle);
    cs.cx = rc.right - rc.left;
    cs.cy = rc.bottom - rc.top;

    RECT work;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
        work = RECT{0, 0, cs.cx, cs.cy}; // no work area known: the top-left corner of the desktop
    cs.x = CentreOrigin(work.left, work.right, cs.cx);
    cs.y = CentreOrigin(work.top, work.bottom, cs.cy);

    cs.lpszClass = AfxRegisterWndClass(0, nullptr, 0, nullptr);
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndView.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, RECT{0, 0, 0, 0}, this,
                          AFX_IDW_PANE_FIRST, nullptr)) {
        // The view has said which pictures failed; this is the last moment it exists.
        ReportLoadFailures(m_wndView.GetLoadFailures(), m_pictures);
        return -1;
    }
    return 0;
}

void CMainFrame::UsePictures(const AssetSearch& search) {
    m_pictures = search;
    m_wndView.SetAssetDirectory(AfxOpenableName(search.folder));
}

void CMainFrame::OnSetFocus(CWnd* /*pOldWnd*/) {
    m_wndView.SetFocus();
}

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) {
    if (m_wndView.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
