// The window layer's core, run on the headless desktop: creation, refusal, destruction
// order, closing, window classes and the main window.
#include "platform/afxres.h"
#include "platform/sysmetrics.h"
#include "platform/winthread.h"
#include "platform/wndclass.h"
#include "recording_wnd.h"

#include <array>

namespace {

using WndTest = HeadlessTest;

TEST_F(WndTest, DestroySendsDestroyParentFirstAndNcDestroyChildrenFirst) {
    RecordingWnd parent("P", log, system), first("C1", log, system), grandchild("G", log, system),
        second("C2", log, system);
    ASSERT_TRUE(parent.CreateSimple());
    ASSERT_TRUE(first.CreateSimple(&parent));
    ASSERT_TRUE(grandchild.CreateSimple(&first));
    ASSERT_TRUE(second.CreateSimple(&parent));

    EXPECT_TRUE(parent.DestroyWindow());

    EXPECT_EQ(Logged(WM_DESTROY), (std::vector<std::string>{"P:0", "C1:0", "G:0", "C2:0"}));
    EXPECT_EQ(Logged(WM_NCDESTROY), (std::vector<std::string>{"G:0", "C1:0", "C2:0", "P:0"}));
    for (const CWnd* pWnd : {static_cast<CWnd*>(&parent), static_cast<CWnd*>(&first),
                             static_cast<CWnd*>(&grandchild), static_cast<CWnd*>(&second)}) {
        EXPECT_FALSE(system.IsAlive(*pWnd));
        EXPECT_EQ(pWnd->GetSafeHwnd(), nullptr);
    }
    EXPECT_FALSE(parent.DestroyWindow()) << "a second destroy has nothing to destroy";
}

TEST_F(WndTest, RefusedCreationDestroysTheWindowAgain) {
    RecordingWnd wnd("W", log, system);
    wnd.onCreate = [] { return -1; };
    EXPECT_FALSE(wnd.CreateSimple());
    EXPECT_EQ(Logged(WM_DESTROY).size(), 1u);
    EXPECT_EQ(Logged(WM_NCDESTROY).size(), 1u);
    EXPECT_FALSE(system.IsAlive(wnd));
    EXPECT_TRUE(system.Peers().empty());
}

TEST_F(WndTest, CreationFailsWhenTheDesktopCannotMakeTheWindow) {
    RecordingWnd wnd("W", log, system);
    system.FailNextCreate();
    EXPECT_FALSE(wnd.CreateSimple());
    EXPECT_TRUE(log.empty()) << "no WM_CREATE without a window";
    EXPECT_TRUE(wnd.CreateSimple()) << "the failure was for one creation only";
}

TEST_F(WndTest, CloseByDefaultDestroysTheMainWindowAndEndsTheLoop) {
    CWinThread thread;
    auto* pFrame = new RecordingWnd("F", log, system);
    pFrame->bDeleteOnNcDestroy = true;
    ASSERT_TRUE(pFrame->CreateEx(0, nullptr, "F", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, 0));
    thread.m_pMainWnd = pFrame;

    pFrame->SendMessage(WM_CLOSE); // deletes the frame

    EXPECT_EQ(Logged(WM_NCDESTROY), (std::vector<std::string>{"F:0"}));
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_TRUE(system.IsQuitRequested());
    EXPECT_EQ(system.ExitCode(), 0);
}

TEST_F(WndTest, ClosingAChildDoesNotEndTheLoop) {
    CWinThread thread;
    RecordingWnd frame("F", log, system), child("C", log, system);
    ASSERT_TRUE(frame.CreateSimple());
    ASSERT_TRUE(child.CreateSimple(&frame));
    thread.m_pMainWnd = &frame;
    child.SendMessage(WM_CLOSE);
    EXPECT_FALSE(system.IsAlive(child));
    EXPECT_TRUE(system.IsAlive(frame));
    EXPECT_FALSE(system.IsQuitRequested());
    EXPECT_EQ(AfxGetMainWnd(), &frame);
}

TEST_F(WndTest, ChildVisibleStyleShowsTheWindowAndMoveSendsSize) {
    RecordingWnd wnd("W", log, system);
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "W", WS_CHILD, 0, 0, 50, 40, nullptr, 0));
    EXPECT_FALSE(system.IsShown(wnd)) << "no WS_VISIBLE, not shown";
    wnd.ShowWindow(SW_SHOW);
    EXPECT_TRUE(system.IsShown(wnd));

    wnd.MoveWindow(10, 20, 320, 240);
    EXPECT_EQ(Logged(WM_SIZE), (std::vector<std::string>{"W:3200240"}));
    RECT rc;
    wnd.GetClientRect(&rc);
    EXPECT_EQ(rc.right, 320);
    EXPECT_EQ(rc.bottom, 240);
    wnd.MoveWindow(30, 40, 320, 240);
    EXPECT_EQ(Logged(WM_SIZE).size(), 1u) << "a move without a new size sends no WM_SIZE";
}

TEST_F(WndTest, ClientAreaIsTheWindowLessItsFrameCaptionEdgeAndMenu) {
    const DWORD dwStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT rc{0, 0, 320, 240};
    AdjustWindowRectEx(&rc, dwStyle, TRUE, WS_EX_CLIENTEDGE);
    RecordingWnd frame("F", log, system), child("C", log, system);
    ASSERT_TRUE(frame.CreateEx(WS_EX_CLIENTEDGE, nullptr, "F", dwStyle, 10, 10, rc.right - rc.left,
                               rc.bottom - rc.top, nullptr, 128));
    ASSERT_TRUE(child.CreateEx(0, nullptr, "C", WS_CHILD | WS_BORDER, 0, 0, 100, 50, &frame, 1));
    RECT client;
    frame.GetClientRect(&client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);
    child.GetClientRect(&client);
    EXPECT_EQ(client.right, 100 - 2) << "a child's border is not client area either";
    EXPECT_EQ(client.bottom, 50 - 2);
}

TEST(WndClassTest, SameDescriptionSameNameAndLookupGivesItBack) {
    const LPCSTR a = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                                         LoadCursorA(nullptr, IDC_ARROW), COLOR_WINDOW + 1);
    const LPCSTR b = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                                         LoadCursorA(nullptr, IDC_ARROW), COLOR_WINDOW + 1);
    const LPCSTR c =
        AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, LoadCursorA(nullptr, IDC_ARROW), COLOR_WINDOW + 1);
    EXPECT_EQ(a, b);
    EXPECT_STRNE(a, c);
    const WndClassInfo* pInfo = AfxLookupWndClass(a);
    ASSERT_NE(pInfo, nullptr);
    EXPECT_EQ(pInfo->nClassStyle, 0x000Bu);
    EXPECT_EQ(pInfo->hbrBackground, 6);
    EXPECT_EQ(AfxLookupWndClass("Button"), nullptr);
}

TEST(WndClassTest, ABrushIsItsSystemColourOnEveryDesktopAndNoBrushErasesNothing) {
    EXPECT_EQ(AfxClassBackgroundRgb(AfxRegisterWndClass(0, nullptr, COLOR_WINDOW + 1)), 0xFFFFFFu);
    EXPECT_EQ(AfxClassBackgroundRgb(AfxRegisterWndClass(0, nullptr, COLOR_BTNFACE + 1)), 0xC0C0C0u);
    EXPECT_EQ(AfxClassBackgroundRgb(AfxRegisterWndClass(0, nullptr, 0)), std::nullopt);
    EXPECT_EQ(AfxClassBackgroundRgb(AfxRegisterWndClass(0, nullptr, 99)), std::nullopt);
    EXPECT_EQ(AfxClassBackgroundRgb("Button"), std::nullopt);
}

TEST_F(WndTest, DefaultPlacesFollowXAndCxAloneAsOnWindows) {
    system.SetWorkArea(RECT{40, 30, 1000, 700});
    struct Case {
        const char* name;
        DWORD style;
        int x, y, cx, cy;
        std::array<int, 4> expected; // x, y, cx, cy as made
    };
    constexpr int D = CW_USEDEFAULT;
    const Case cases[] = {
        {"top-level, all default", WS_OVERLAPPEDWINDOW, D, D, D, D, {40, 30, 640, 480}},
        {"top-level, y given but ignored", WS_OVERLAPPEDWINDOW, D, 99, 200, 100, {40, 30, 200, 100}},
        {"top-level, cy given but ignored", WS_OVERLAPPEDWINDOW, 5, 6, D, 77, {5, 6, 640, 480}},
        {"top-level, only y default: taken as given", WS_OVERLAPPEDWINDOW, 5, D, 10, 10, {5, D, 10, 10}},
        {"child", WS_CHILD, D, D, D, D, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingWnd wnd("W", log, system);
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "W", c.style, c.x, c.y, c.cx, c.cy, nullptr, 0));
        const CREATESTRUCT& cs = wnd.GetCreateStruct();
        EXPECT_EQ((std::array{cs.x, cs.y, cs.cx, cs.cy}), c.expected);
        wnd.DestroyWindow();
    }
}

TEST(WindowSystemTest, ABackendThatGoesUninstallsOnlyItself) {
    HeadlessSystem current;
    {
        HeadlessSystem stale;
        stale.Install();
        current.Install();
    } // stale goes while another is installed
    EXPECT_EQ(&AfxWindowSystem(), &current);
}

} // namespace
