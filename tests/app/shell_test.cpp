// The application shell on the headless desktop with the real game: start-up, the window's
// geometry and focus, the end of the program from every phase, and failed pictures. What
// every backend shares is the conformance suite's.
#include "shell_fixture.h"

#include "app/load_report.h"
#include "app/resource.h"
#include "platform/sysmetrics.h"
#include "platform/wndclass.h"
#include "testkit/text_lines.h"

#include <iostream>
#include <sstream>

namespace {

TEST_F(ShellTest, StartUpMakesAFixedWindowWhoseClientAreaIsTheWholeView) {
    ASSERT_TRUE(app.InitApplication());
    EXPECT_STREQ(app.m_pszAppName, "Morvane");
    ASSERT_TRUE(app.InitInstance());
    CMainFrame* pFrame = Frame();
    ASSERT_NE(pFrame, nullptr);
    EXPECT_STREQ(pFrame->GetRuntimeClass()->m_lpszClassName, "CMainFrame");
    EXPECT_TRUE(pFrame->IsKindOf(&CFrameWnd::classCFrameWnd));

    const CREATESTRUCT& cs = pFrame->GetCreateStruct();
    EXPECT_EQ(cs.style, 0x00CA0000u); // caption, system menu, minimise box: nothing else
    EXPECT_EQ(cs.dwExStyle, 0x00000200u);
    EXPECT_STREQ(cs.lpszName, "Morvane");
    EXPECT_EQ(cs.hMenu, IDR_MAINFRAME);
    RECT outer{0, 0, 320, 240};
    AdjustWindowRectEx(&outer, cs.style, TRUE, cs.dwExStyle);
    EXPECT_EQ(cs.cx, outer.right - outer.left);
    EXPECT_EQ(cs.cy, outer.bottom - outer.top);
    const WndClassInfo* pClass = AfxLookupWndClass(cs.lpszClass);
    ASSERT_NE(pClass, nullptr); // no class style, cursor, background or icon
    EXPECT_EQ(pClass->nClassStyle, 0u);
    EXPECT_EQ(pClass->hCursor, nullptr);
    EXPECT_EQ(pClass->hbrBackground, 0);
    EXPECT_EQ(pClass->hIcon, nullptr);
    ASSERT_NE(pFrame->GetAccelTable(), nullptr);
    EXPECT_EQ(pFrame->GetAccelTable()->nID, IDR_MAINFRAME);

    RECT client;
    pFrame->GetClientRect(&client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);
    const RECT view = system->PeerOf(View())->WindowRect();
    EXPECT_EQ(view.left, 0);
    EXPECT_EQ(view.top, 0);
    EXPECT_EQ(view.right, 320);
    EXPECT_EQ(view.bottom, 240);
    EXPECT_EQ(View().GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(View().GetStyle(), WS_CHILD | WS_VISIBLE); // the view took the border away

    EXPECT_TRUE(system->IsShown(*pFrame));
    EXPECT_EQ(system->PeerOf(*pFrame)->LastShowCommand(), SW_SHOW);
    EXPECT_TRUE(Running(TIMER_LOGO));
}

TEST_F(ShellTest, TheWindowIsCentredInTheWorkAreaWhereverItLies) {
    struct Case {
        const char* name;
        RECT work;
    };
    const Case cases[] = {
        {"full screen", {0, 0, 1024, 768}},
        {"task bar on the left", {100, 0, 1124, 768}},
        {"task bar at the top", {0, 40, 1024, 808}},
        {"narrower than the window", {0, 0, 300, 200}},
        {"unknown: the top-left corner", {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewDesktop();
        system->SetWorkArea(c.work);
        ASSERT_TRUE(app.InitInstance());
        const CREATESTRUCT& cs = Frame()->GetCreateStruct();
        if (c.work.right > c.work.left) {
            EXPECT_EQ(cs.x, c.work.left + (c.work.right - c.work.left - cs.cx) / 2);
            EXPECT_EQ(cs.y, c.work.top + (c.work.bottom - c.work.top - cs.cy) / 2);
        } else {
            EXPECT_EQ(cs.x, 0);
            EXPECT_EQ(cs.y, 0);
        }
        Frame()->DestroyWindow();
    }
}

TEST_F(ShellTest, TheFrameHandsTheFocusToTheView) {
    ASSERT_TRUE(app.InitInstance());
    Frame()->SendMessage(WM_SETFOCUS, 0, 0);
    EXPECT_EQ(system->GetFocus(), &View());
}

TEST_F(ShellTest, TheExitCommandAndTheCloseBoxEndTheProgramInEveryPhase) {
    struct Stage {
        const char* name;
        std::function<bool(ShellTest&)> reach;
    };
    const Stage stages[] = {
        {"logo", [](ShellTest&) { return true; }},
        {"title", [](ShellTest& t) { return t.ToTitle(); }},
        {"frame wipe", [](ShellTest& t) { return t.ToTitle() && (t.system->PressKey(t.View(), 'F'), true); }},
        {"play", [](ShellTest& t) { return t.ToPlay(); }},
        {"quit prompt",
         [](ShellTest& t) { return t.ToPlay() && (t.system->PressKey(t.View(), VK_ESCAPE), true); }},
        {"result",
         [](ShellTest& t) { return t.ToPlay() && t.TickUntil([&t] { return t.Running(TIMER_RESULT); }); }},
    };
    for (const Stage& stage : stages)
        for (const bool bCloseBox : {false, true}) {
            SCOPED_TRACE(testing::Message() << stage.name << (bCloseBox ? " by close box" : " by Exit"));
            NewDesktop();
            ASSERT_TRUE(app.InitInstance());
            ASSERT_TRUE(stage.reach(*this));
            if (bCloseBox)
                Frame()->SendMessage(WM_CLOSE);
            else
                Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
            EXPECT_EQ(app.m_pMainWnd, nullptr);
            EXPECT_TRUE(system->IsQuitRequested());
            EXPECT_EQ(system->ExitCode(), 0);
            EXPECT_TRUE(system->Peers().empty());
        }
}

TEST_F(ShellTest, AFailedPictureGivesNoWindowStatusOneAndOneLinePerPicture) {
    struct Case {
        const char* name;
        std::function<void(const std::filesystem::path&)> spoil;
        std::vector<std::string> files; // the lines' files, in load order
    };
    std::vector<Case> cases = {
        {"Q.bmp missing", [](const auto& d) { std::filesystem::remove(d / "Q.bmp"); }, {"Q.bmp"}},
        {"fonts.bmp at 8 bits",
         [](const auto& d) { testkit::WriteFile(d / "fonts.bmp", testkit::MakeBmpOfDepth(160, 24, 8)); },
         {"fonts.bmp"}},
        {"three missing, reported in load order",
         [](const auto& d) {
             for (const char* name : {"Z.bmp", "vel.bmp", "B.bmp"})
                 std::filesystem::remove(d / name);
         },
         {"vel.bmp", "B.bmp", "Z.bmp"}},
    };
    // Where the file system tells "a.bmp" from "A.bmp" (Windows does not), the lower-case
    // file is not the picture.
    if (!std::filesystem::exists(dir.Path() / "FRAME.BMP"))
        cases.push_back({"A.bmp only in lower case",
                         [](const auto& d) { std::filesystem::rename(d / "A.bmp", d / "a.bmp"); },
                         {"A.bmp"}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewDesktop();
        std::filesystem::remove(dir.Path() / "a.bmp"); // before the pictures: it may be A.bmp
        testkit::WriteGameAssets(dir.Path());
        c.spoil(dir.Path());
        bool bLooped = false;
        std::ostringstream message;
        std::streambuf* pStderr = std::cerr.rdbuf(message.rdbuf());
        const int nStatus = AfxWinMain([&] { return bLooped = true, 0; });
        std::cerr.rdbuf(pStderr);
        const std::vector<std::string> lines = testkit::Lines(message.str());
        EXPECT_EQ(nStatus, 1);
        EXPECT_FALSE(bLooped);
        EXPECT_EQ(app.m_pMainWnd, nullptr);
        EXPECT_TRUE(system->Peers().empty()); // no window was left, none was shown
        ASSERT_EQ(lines.size(), c.files.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string prefix = "morvane: " + c.files[i] + ": ";
            EXPECT_EQ(lines[i].substr(0, prefix.size()), prefix);
            EXPECT_GT(lines[i].size(), prefix.size()); // and a reason
        }
    }
}

TEST(LoadReportTest, OneLinePerFailureOrOneSayingTheWindowCouldNotBeMade) {
    std::ostringstream out;
    WriteLoadFailures(out, {{"frame.bmp", "no such file"}, {"Q.bmp", "not 24 bits per pixel"}});
    EXPECT_EQ(out.str(), "morvane: frame.bmp: no such file\nmorvane: Q.bmp: not 24 bits per pixel\n");
    std::ostringstream none;
    WriteLoadFailures(none, {});
    EXPECT_EQ(testkit::Lines(none.str()).size(), 1u);
}

} // namespace
