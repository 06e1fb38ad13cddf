// Windows for the Qt backend's tests: an application, a fixed frame with a menu and
// accelerators, and its pane, which records its keys, ticks and commands, paints a given
// picture and can be told what to do on a key or a tick.
#pragma once

#include "platform/afxres.h"
#include "platform/framewnd.h"
#include "platform/paintdc.h"
#include "platform/qt/qt_peer.h"
#include "platform/qt/qt_window_system.h"
#include "platform/resources.h"
#include "platform/sysmetrics.h"
#include "platform/winapp.h"
#include "platform/wndclass.h"
#include "surface/surface.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace qttest {

constexpr UINT ID_FRAME = 128;
constexpr UINT ID_HELLO = 500;

inline constexpr MenuItem FILE_ITEMS[] = {{"&Hello", ID_HELLO}, {"E&xit", ID_APP_EXIT}};
inline constexpr MenuPopup POPUPS[] = {{"&File", FILE_ITEMS}};
inline constexpr MenuResource MENUS[] = {{ID_FRAME, POPUPS}};
inline constexpr ACCEL ACCELS[] = {{FVIRTKEY | FCONTROL, 'C', ID_EDIT_COPY},
                                   {FVIRTKEY | FALT, VK_BACK, ID_EDIT_UNDO}};
inline constexpr AccelTable ACCEL_TABLES[] = {{ID_FRAME, ACCELS}};
inline constexpr StringEntry STRINGS[] = {{ID_FRAME, "Qt Test"}};
inline constexpr ResourceModule MODULE{0x0409, MENUS, ACCEL_TABLES, STRINGS, {}, {}, nullptr};

constexpr int CLIENT_W = 320;
constexpr int CLIENT_H = 240;
constexpr DWORD FIXED_STYLE = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

using Log = std::vector<std::string>;

class TestApp : public CWinApp {
public:
    explicit TestApp(Log& log) : m_log(log) {}
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override {
        m_log.push_back("command:" + std::to_string(nID));
        return CWinApp::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

private:
    Log& m_log;
};

class TestPane : public CWnd {
public:
    explicit TestPane(Log& log) : m_log(log) {}

    std::function<void(UINT)> onKey;
    std::function<void(UINT_PTR)> onTimer;
    const Surface* pPicture = nullptr; // what OnPaint presents at 0, 0
    std::vector<UINT> keyFlags;
    int nPaints = 0;
    int nTicks[16] = {};

protected:
    void OnKeyDown(UINT nChar, UINT, UINT nFlags) override {
        m_log.push_back("key:" + std::to_string(nChar));
        keyFlags.push_back(nFlags);
        if (onKey)
            onKey(nChar);
    }
    void OnTimer(UINT_PTR nIDEvent) override {
        if (nIDEvent < 16)
            ++nTicks[nIDEvent];
        if (onTimer)
            onTimer(nIDEvent);
    }
    void OnPaint() override {
        ++nPaints;
        CPaintDC dc(this);
        if (pPicture)
            pPicture->Present(dc, 0, 0);
    }

private:
    Log& m_log;
};

// A frame made as the program's main frame is: fixed 320 x 240 client, centred, pane first.
class TestFrame : public CFrameWnd {
public:
    TestFrame(Log& log, bool& bDeleted) : m_wndPane(log), m_bDeleted(bDeleted) { m_bDeleted = false; }
    ~TestFrame() override { m_bDeleted = true; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        CFrameWnd::PreCreateWindow(cs);
        cs.dwExStyle = WS_EX_CLIENTEDGE;
        cs.style = FIXED_STYLE;
        RECT rc{0, 0, CLIENT_W, CLIENT_H};
        AdjustWindowRectEx(&rc, cs.style, TRUE, cs.dwExStyle);
        cs.cx = rc.right - rc.left;
        cs.cy = rc.bottom - rc.top;
        RECT work{0, 0, cs.cx, cs.cy};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        cs.x = CentreOrigin(work.left, work.right, cs.cx);
        cs.y = CentreOrigin(work.top, work.bottom, cs.cy);
        return TRUE;
    }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override {
        return m_wndPane.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
               CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

    TestPane m_wndPane;

protected:
    int OnCreate(LPCREATESTRUCT lpcs) override {
        if (CFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        const LPCSTR lpszClass = AfxRegisterWndClass(0, nullptr, COLOR_WINDOW + 1);
        return m_wndPane.CreateEx(0, lpszClass, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, this,
                                  AFX_IDW_PANE_FIRST)
                   ? 0
                   : -1;
    }
    void OnSetFocus(CWnd*) override { m_wndPane.SetFocus(); }

private:
    bool& m_bDeleted;
};

inline QWidget* WidgetOf(const CWnd& wnd) {
    QtWndPeer* pPeer = QtPeerOf(wnd);
    return pPeer ? pPeer->Widget() : nullptr;
}

} // namespace qttest
