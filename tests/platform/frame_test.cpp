// The frame window on the headless desktop: loading from resources, the pane layout,
// accelerators, command routing (pane, frame, application) and the frame's own end.
#include "shell_layer_fixture.h"

#include "platform/wndclass.h"

#include <cstring>

namespace shelltest {
namespace {

TEST_F(ShellLayerTest, LoadFrameTakesCaptionMenuAndAcceleratorsFromItsResourceId) {
    TestFrame* pFrame = LoadMainFrame();
    ASSERT_NE(pFrame, nullptr);
    EXPECT_EQ(pFrame->GetTitle(), "Test Frame"); // the caption stops at the first line break
    EXPECT_STREQ(pFrame->GetCreateStruct().lpszName, "Test Frame");
    EXPECT_EQ(pFrame->GetCreateStruct().hMenu, ID_TEST_FRAME);
    ASSERT_NE(pFrame->GetAccelTable(), nullptr);
    EXPECT_EQ(pFrame->GetAccelTable()->nID, ID_TEST_FRAME);
    EXPECT_NE(pFrame->GetExStyle() & WS_EX_CLIENTEDGE, 0u);
    const WndClassInfo* pClass = AfxLookupWndClass(pFrame->GetCreateStruct().lpszClass);
    ASSERT_NE(pClass, nullptr);
    EXPECT_EQ(pClass->hbrBackground, COLOR_WINDOW + 1);
    pFrame->DestroyWindow();
    EXPECT_TRUE(bFrameDeleted);
}

TEST_F(ShellLayerTest, AFrameThatChoosesNoPlaceGetsARealDefaultOne) {
    auto* pFrame = new TestFrame(log, bFrameDeleted);
    ASSERT_TRUE(pFrame->LoadFrame(ID_TEST_FRAME, WS_OVERLAPPEDWINDOW));
    const CREATESTRUCT& cs = pFrame->GetCreateStruct();
    EXPECT_EQ(cs.x, 0);
    EXPECT_EQ(cs.y, 0);
    EXPECT_GT(cs.cx, 0);
    EXPECT_GT(cs.cy, 0);
    pFrame->DestroyWindow();
}

TEST_F(ShellLayerTest, ThePaneAloneFillsTheClientAreaWheneverTheFrameIsSized) {
    TestFrame* pFrame = LoadMainFrame();
    ASSERT_NE(pFrame, nullptr);
    auto windowRect = [this](CWnd& wnd) { return system.PeerOf(wnd)->WindowRect(); };
    RECT client;
    pFrame->GetClientRect(&client);
    ASSERT_GT(client.right, 0);
    RECT rc = windowRect(pFrame->m_wndPane);
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.right, client.right);
    EXPECT_EQ(rc.bottom, client.bottom);
    EXPECT_EQ(windowRect(pFrame->m_wndOther).left, 5); // not the pane: left where it was put
    EXPECT_EQ(windowRect(pFrame->m_wndOther).right, 15);

    pFrame->MoveWindow(0, 0, 300, 200);
    pFrame->GetClientRect(&client);
    rc = windowRect(pFrame->m_wndPane);
    EXPECT_EQ(rc.right, client.right);
    EXPECT_EQ(rc.bottom, client.bottom);

    // Minimising says nothing about the client area: the pane keeps its place.
    pFrame->m_wndPane.MoveWindow(1, 1, 10, 10);
    pFrame->SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(windowRect(pFrame->m_wndPane).right, 11);
    pFrame->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    EXPECT_EQ(windowRect(pFrame->m_wndPane).right, client.right);
    pFrame->DestroyWindow();
}

TEST_F(ShellLayerTest, AnAcceleratorIsOfferedToPaneFrameAndApplicationAndNeverReachesThePaneAsAKey) {
    TestFrame* pFrame = LoadMainFrame();
    ASSERT_NE(pFrame, nullptr);
    system.PressKey(pFrame->m_wndPane, 'C', MOD_CONTROL_DOWN);
    const std::string id = std::to_string(ID_EDIT_COPY) + ":0";
    EXPECT_EQ(log, (Log{"pane:" + id, "frame:" + id, "app:" + id}));

    log.clear();
    system.PressKey(pFrame->m_wndPane, VK_BACK, MOD_ALT_DOWN);
    EXPECT_EQ(log.size(), 3u);
    EXPECT_EQ(log.front(), "pane:" + std::to_string(ID_EDIT_UNDO) + ":0");
    pFrame->DestroyWindow();
}

TEST_F(ShellLayerTest, RoutingStopsAtTheFirstWindowThatHandlesTheCommand) {
    TestFrame* pFrame = LoadMainFrame();
    ASSERT_NE(pFrame, nullptr);
    const std::string id = std::to_string(ID_TEST_COMMAND) + ":0";
    struct Case {
        const char* name;
        bool bPane, bFrame, bApp;
        Log expected;
    };
    const Case cases[] = {
        {"the pane takes it", true, true, true, {"pane:" + id}},
        {"the frame takes it", false, true, true, {"pane:" + id, "frame:" + id}},
        {"the application takes it", false, false, true, {"pane:" + id, "frame:" + id, "app:" + id}},
        {"no one takes it", false, false, false, {"pane:" + id, "frame:" + id, "app:" + id}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pFrame->m_wndPane.handles.ids = c.bPane ? std::vector<UINT>{ID_TEST_COMMAND} : std::vector<UINT>{};
        pFrame->handles.ids = c.bFrame ? std::vector<UINT>{ID_TEST_COMMAND} : std::vector<UINT>{};
        app.handles.ids = c.bApp ? std::vector<UINT>{ID_TEST_COMMAND} : std::vector<UINT>{};
        log.clear();
        const LRESULT handled = pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, 0), 0);
        EXPECT_EQ(log, c.expected);
        EXPECT_EQ(handled != 0, c.bPane || c.bFrame || c.bApp);
    }
    pFrame->DestroyWindow();
}

TEST_F(ShellLayerTest, KeysOutsideTheTableReachThePaneAndAltKeysArriveAsSystemKeys) {
    TestFrame* pFrame = LoadMainFrame();
    ASSERT_NE(pFrame, nullptr);
    system.PressKey(pFrame->m_wndPane, 'C');
    system.PressKey(pFrame->m_wndPane, 'C', MOD_SHIFT_DOWN);
    system.PressKey(pFrame->m_wndPane, 'C', MOD_CONTROL_DOWN | MOD_SHIFT_DOWN);
    system.PressKey(pFrame->m_wndPane, 'V', MOD_CONTROL_DOWN);
    system.PressKey(pFrame->m_wndPane, 'X', MOD_ALT_DOWN); // WM_SYSKEYDOWN: the menu bar's
    EXPECT_EQ(log, (Log{"key:67", "key:67", "key:67", "key:86"}));
    pFrame->DestroyWindow();
}

TEST_F(ShellLayerTest, AnAcceleratorMayCloseTheFrameFromInsideItsOwnTranslation) {
    TestFrame* pFrame = LoadMainFrame();
    ASSERT_NE(pFrame, nullptr);
    system.PressKey(pFrame->m_wndPane, 'Q', MOD_CONTROL_DOWN, 3); // the repeats find no window
    EXPECT_TRUE(bFrameDeleted);
    EXPECT_TRUE(system.IsQuitRequested());
    EXPECT_TRUE(system.Peers().empty());
}

} // namespace
} // namespace shelltest
