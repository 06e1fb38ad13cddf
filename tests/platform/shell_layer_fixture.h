// Doubles for the layer's shell classes on the headless desktop: an application, a frame
// and its pane that write every command offer and key into one log, and the resources
// they are made from.
#pragma once

#include "platform/afxres.h"
#include "platform/framewnd.h"
#include "platform/headless/headless_system.h"
#include "platform/resources.h"
#include "platform/winapp.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace shelltest {

constexpr UINT ID_TEST_FRAME = 200;
constexpr UINT ID_TEST_COMMAND = 300;
constexpr UINT ID_TEST_DIALOG = 400;
constexpr WORD ID_QUIT_KEY_COMMAND = ID_APP_EXIT;

inline constexpr MenuItem ITEMS[] = {{"&Quit", ID_APP_EXIT}};
inline constexpr MenuPopup POPUPS[] = {{"&File", ITEMS}};
inline constexpr MenuResource MENUS[] = {{ID_TEST_FRAME, POPUPS}};
inline constexpr ACCEL ACCELS[] = {
    {FVIRTKEY | FCONTROL, 'C', ID_EDIT_COPY},
    {FVIRTKEY | FALT, VK_BACK, ID_EDIT_UNDO},
    {FVIRTKEY | FCONTROL, 'Q', ID_QUIT_KEY_COMMAND},
};
inline constexpr AccelTable ACCEL_TABLES[] = {{ID_TEST_FRAME, ACCELS}};
inline constexpr StringEntry STRINGS[] = {
    {ID_TEST_FRAME, "Test Frame\nDocument\nTest"},
    {AFX_IDS_APP_TITLE, "Test App"},
};
inline constexpr DialogControl CONTROLS[] = {
    {ControlClass::Button, WS_CHILD | WS_VISIBLE, 10, 10, 50, 14, 1, "OK", 0}};
inline constexpr DialogTemplate DIALOGS[] = {
    {ID_TEST_DIALOG, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 120, 60, "Test", 9, "Face", CONTROLS}};
inline constexpr ResourceModule MODULE{0x0409, MENUS, ACCEL_TABLES, STRINGS, DIALOGS, {}, nullptr};

using Log = std::vector<std::string>;

// A command handler answer for one window: which command ids it takes.
struct Handles {
    std::vector<UINT> ids;
    bool Has(UINT nID) const {
        for (UINT id : ids)
            if (id == nID)
                return true;
        return false;
    }
};

class TestApp : public CWinApp {
public:
    explicit TestApp(Log& log, LPCSTR lpszName = nullptr) : CWinApp(lpszName), m_log(log) {}
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override {
        m_log.push_back("app:" + std::to_string(nID) + ":" + std::to_string(nCode));
        return handles.Has(nID) || CWinApp::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    BOOL InitInstance() override { return initInstance ? initInstance() : TRUE; }
    int ExitInstance() override {
        ++nExitInstanceCalls;
        return CWinApp::ExitInstance();
    }

    Handles handles;
    std::function<BOOL()> initInstance;
    int nExitInstanceCalls = 0;

private:
    Log& m_log;
};

class TestPane : public CWnd {
public:
    explicit TestPane(Log& log) : m_log(log) {}
    BOOL OnCmdMsg(UINT nID, int nCode, void*, void*) override {
        m_log.push_back("pane:" + std::to_string(nID) + ":" + std::to_string(nCode));
        return handles.Has(nID);
    }
    Handles handles;

protected:
    void OnKeyDown(UINT nChar, UINT, UINT) override { m_log.push_back("key:" + std::to_string(nChar)); }

private:
    Log& m_log;
};

// A frame in the image of the program's main frame: its pane by value, offered every
// command first. It reports its own deletion.
class TestFrame : public CFrameWnd {
public:
    TestFrame(Log& log, bool& bDeleted) : m_wndPane(log), m_wndOther(log), m_log(log), m_bDeleted(bDeleted) {
        m_bDeleted = false;
    }
    ~TestFrame() override { m_bDeleted = true; }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override {
        if (m_wndPane.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        m_log.push_back("frame:" + std::to_string(nID) + ":" + std::to_string(nCode));
        if (handles.Has(nID))
            return TRUE;
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

    TestPane m_wndPane;
    TestPane m_wndOther; // a second child that is not the pane
    Handles handles;

protected:
    int OnCreate(LPCREATESTRUCT lpcs) override {
        if (CFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        if (!m_wndPane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 0, 0}, this,
                              AFX_IDW_PANE_FIRST))
            return -1;
        m_wndOther.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{5, 6, 15, 16}, this, 7);
        return 0;
    }

private:
    Log& m_log;
    bool& m_bDeleted;
};

class ShellLayerTest : public ::testing::Test {
protected:
    ShellLayerTest() {
        system.Install();
        AfxSetResourceHandle(&MODULE);
    }
    ~ShellLayerTest() override { AfxSetResourceHandle(nullptr); }

    // A frame loaded from ID_TEST_FRAME as the main window, at 0,0 and 400 x 300.
    TestFrame* LoadMainFrame() {
        auto* pFrame = new TestFrame(log, bFrameDeleted);
        app.m_pMainWnd = pFrame;
        if (!pFrame->LoadFrame(ID_TEST_FRAME, WS_OVERLAPPEDWINDOW))
            return nullptr;
        pFrame->MoveWindow(0, 0, 400, 300);
        return pFrame;
    }

    HeadlessSystem system;
    Log log;
    TestApp app{log};
    bool bFrameDeleted = false;
};

} // namespace shelltest
