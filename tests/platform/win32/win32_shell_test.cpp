// The program on the real Win32 backend (run under Wine on a virtual display): what only
// Win32 shows of the window (its caption and styles) and of the about box (the dialog
// resource's texts). What every backend shares is the conformance suite's.
#include "app/drillapp.h"
#include "app/mainfrm.h"
#include "app/resource.h"
#include "game/game_constants.h"
#include "native_probe.h"
#include "platform/message_loop.h"
#include "platform/win32/win32_window_system.h"
#include "platform/window_scale.h"
#include "testkit/game_assets.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace {

constexpr unsigned WAIT_MS = 30000; // a loaded machine is slow

class Win32ShellTest : public ::testing::Test {
protected:
    Win32ShellTest() : m_oldDir(std::filesystem::current_path()) {
        testkit::WriteGameAssets(dir.Path());
        std::filesystem::current_path(dir.Path());
        system.Install();
    }
    ~Win32ShellTest() override {
        probe::StopCalling();
        if (app.m_pMainWnd)
            app.m_pMainWnd->DestroyWindow();
        w32::PumpMessages(nullptr); // what the windows' end left behind
        std::filesystem::current_path(m_oldDir);
    }

    CMainFrame* Frame() const { return static_cast<CMainFrame*>(app.m_pMainWnd); }
    w32::Handle FrameHandle() const { return system.NativeHandle(*Frame()); }
    w32::Handle ViewHandle() const { return system.NativeHandle(Frame()->m_wndView); }
    GameSnapshot Game() const { return Frame()->m_wndView.Snapshot(); }
    bool WaitForPhase(int nPhase) {
        return probe::PumpUntil([&] { return Game().m_nPhase == nPhase; }, WAIT_MS);
    }

    testkit::TempDir dir;
    Win32WindowSystem system;
    CDrillApp app;

private:
    std::filesystem::path m_oldDir;
};

TEST_F(Win32ShellTest, TheWindowHasItsCaptionAndFixedSizeStyles) {
    ASSERT_TRUE(app.InitApplication());
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(probe::WindowText(FrameHandle()), "Morvane");
    // A caption, a system menu and a minimise box; no sizing border, no maximise box.
    EXPECT_EQ(probe::StyleOf(FrameHandle()) &
                  (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
}

TEST_F(Win32ShellTest, AMoveToAMonitorOfAnotherDpiResizesTheWindowWhileTheLayerKeepsItsPixels) {
    ASSERT_TRUE(app.InitInstance());
    const unsigned nDpi = probe::SystemDpi();
    for (unsigned nTo : {nDpi * 2, nDpi * 3 / 2, nDpi}) {
        probe::SendDpiChanged(FrameHandle(), nTo);
        const int f = AfxWholeScale(nTo / 96.0);
        SCOPED_TRACE(testing::Message() << nTo << " DPI");
        for (w32::Handle h : {FrameHandle(), ViewHandle()}) {
            const w32::Rect rc = w32::ClientRectOf(h);
            EXPECT_EQ(rc.right - rc.left, 320 * f);
            EXPECT_EQ(rc.bottom - rc.top, 240 * f);
        }
        RECT rcLayer;
        Frame()->m_wndView.GetClientRect(&rcLayer);
        EXPECT_EQ(rcLayer.right, 320);
        EXPECT_EQ(rcLayer.bottom, 240);
    }
}

TEST_F(Win32ShellTest, AnInputMethodTakesNoLettersAndItsProcessKeyIsNoWrongLetter) {
    ASSERT_TRUE(app.InitInstance());
    EXPECT_FALSE(probe::HasInputContext(ViewHandle())) << "no composition over the game";
    constexpr unsigned VK_PROCESSKEY_CODE = 0xE5; // what an input method's keys arrive as
    const int nStatus = AfxWinMain([&] {
        if (!WaitForPhase(PHASE_TITLE))
            return 90;
        probe::PressKey(ViewHandle(), 'F');
        if (!probe::PumpUntil([&] { return Game().m_bPlaying != FALSE; }, WAIT_MS))
            return 91;
        const GameSnapshot before = Game();
        for (int i = 0; i < 3; ++i)
            probe::PressKey(ViewHandle(), VK_PROCESSKEY_CODE);
        EXPECT_EQ(Game().m_missDigits, before.m_missDigits);
        EXPECT_EQ(Game().m_nLetter, before.m_nLetter);
        probe::PostCommand(FrameHandle(), ID_APP_EXIT);
        return AfxRunMessageLoop();
    });
    EXPECT_EQ(nStatus, 0);
}

TEST_F(Win32ShellTest, TheAboutBoxShowsTheDialogResourcesTexts) {
    ASSERT_TRUE(app.InitInstance());
    bool bChecked = false;
    probe::CallEvery(20, [&] {
        const w32::Handle hDialog = probe::FindDialog();
        if (!hDialog || bChecked)
            return;
        bChecked = true;
        const DialogTemplate& dlg = *AfxFindDialog(IDD_ABOUTBOX);
        EXPECT_EQ(probe::WindowText(hDialog), dlg.pszCaption);
        const std::vector<std::string> texts = probe::ChildTexts(hDialog);
        ASSERT_EQ(texts.size(), dlg.controls.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (dlg.controls[i].pszText) {
                EXPECT_EQ(texts[i], dlg.controls[i].pszText);
            }
        }
        probe::ClickButton(hDialog, IDOK);
    });
    probe::PostCommand(FrameHandle(), ID_APP_ABOUT); // as the Help menu's item does
    ASSERT_TRUE(probe::PumpUntil([&] { return bChecked && !probe::FindDialog(); }, WAIT_MS));
    probe::StopCalling();
}

} // namespace
