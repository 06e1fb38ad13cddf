// The program on the real Win32 backend (run under Wine on a virtual display): the window's
// client area, caption and menu, F and the accelerators during a game, the about box modal
// while the game goes on, J and File > Exit, and a start-up without a picture.
#include "app/drillapp.h"
#include "app/mainfrm.h"
#include "app/resource.h"
#include "game/game_constants.h"
#include "native_probe.h"
#include "platform/win32/win32_window_system.h"
#include "platform/window_scale.h"
#include "testkit/game_assets.h"

#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

namespace {

constexpr unsigned WAIT_MS = 30000; // the logo alone takes 3.5 s; a loaded machine is slower

// The program's application, writing down every command that reaches it (the last stop of
// the routing, where the unhandled accelerator commands end).
class RecordingApp : public CDrillApp {
public:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override {
        commands.push_back(nID);
        return CDrillApp::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    std::vector<UINT> commands;
};

class Win32ShellTest : public ::testing::Test {
protected:
    // The program's path made absolute while the current folder is still the build's drive.
    Win32ShellTest()
        : m_oldDir(std::filesystem::current_path()),
          m_program(std::filesystem::absolute(MORVANE_EXECUTABLE)) {
        testkit::WriteGameAssets(dir.Path());
        std::filesystem::current_path(dir.Path());
        system.Install();
    }
    ~Win32ShellTest() override {
        probe::StopCalling();
        if (app.m_pMainWnd)
            app.m_pMainWnd->DestroyWindow();
        // The main window's end posts the quit; the next test must not find it.
        while (!w32::PumpMessages(nullptr)) {
        }
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
    RecordingApp app;

private:
    std::filesystem::path m_oldDir;

protected:
    std::filesystem::path m_program;
};

TEST_F(Win32ShellTest, TheWindowHasAnExactClientAreaItsCaptionAndTheMenuOfTheResources) {
    ASSERT_TRUE(app.InitApplication());
    ASSERT_TRUE(app.InitInstance());
    for (w32::Handle h : {FrameHandle(), ViewHandle()}) {
        const w32::Rect rc = w32::ClientRectOf(h);
        EXPECT_EQ(rc.right - rc.left, 320);
        EXPECT_EQ(rc.bottom - rc.top, 240);
    }
    EXPECT_EQ(probe::WindowText(FrameHandle()), "Morvane");
    // A caption, a system menu and a minimise box; no sizing border, no maximise box.
    EXPECT_EQ(probe::StyleOf(FrameHandle()) &
                  (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);

    std::vector<probe::MenuEntry> expected;
    for (const MenuPopup& popup : AfxFindMenu(IDR_MAINFRAME)->popups) {
        expected.push_back({popup.pszText, 0, 0});
        for (const MenuItem& item : popup.items)
            expected.push_back({item.pszText, item.nID, 1});
    }
    const std::vector<probe::MenuEntry> menu = probe::MenuOf(FrameHandle());
    ASSERT_EQ(menu.size(), expected.size());
    for (std::size_t i = 0; i < menu.size(); ++i) {
        EXPECT_EQ(menu[i].strText, expected[i].strText);
        EXPECT_EQ(menu[i].nID, expected[i].nID);
        EXPECT_EQ(menu[i].nLevel, expected[i].nLevel);
    }
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

TEST_F(Win32ShellTest, FStartsAGameWhereAcceleratorsAreCommandsNotLettersAndExitEndsIt) {
    bool bPlayed = false;
    const int nStatus = AfxWinMain([&] {
        if (!WaitForPhase(PHASE_TITLE))
            return 90;
        probe::PressKey(ViewHandle(), 'F');
        if (!probe::PumpUntil([&] { return Game().m_bPlaying != FALSE; }, WAIT_MS))
            return 91;
        const GameSnapshot before = Game();
        for (const ACCEL& accel : AfxFindAccelTable(IDR_MAINFRAME)->entries) {
            SCOPED_TRACE(testing::Message() << "key " << accel.key << " flags " << int{accel.fVirt});
            app.commands.clear();
            unsigned modifiers = 0;
            if (accel.fVirt & FSHIFT)
                modifiers |= w32::SHIFT_DOWN;
            if (accel.fVirt & FCONTROL)
                modifiers |= w32::CONTROL_DOWN;
            if (accel.fVirt & FALT)
                modifiers |= w32::ALT_DOWN;
            probe::PressKey(ViewHandle(), accel.key, modifiers);
            EXPECT_EQ(app.commands, std::vector<UINT>{accel.cmd});
        }
        const GameSnapshot after = Game();
        EXPECT_EQ(after.m_hitDigits, before.m_hitDigits);
        EXPECT_EQ(after.m_missDigits, before.m_missDigits);
        EXPECT_EQ(after.m_nLetter, before.m_nLetter);
        bPlayed = true;
        probe::PostCommand(FrameHandle(), ID_APP_EXIT); // as the File menu's Exit does
        return system.Run();
    });
    EXPECT_TRUE(bPlayed);
    EXPECT_EQ(nStatus, 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
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
        return system.Run();
    });
    EXPECT_EQ(nStatus, 0);
}

TEST_F(Win32ShellTest, JOnTheTitleEndsTheProgramWithStatusZero) {
    const int nStatus = AfxWinMain([&] {
        if (!WaitForPhase(PHASE_TITLE))
            return 90;
        probe::PressKey(ViewHandle(), 'J');
        return system.Run();
    });
    EXPECT_EQ(nStatus, 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(Win32ShellTest, TheAboutBoxIsModalWhileTheViewKeepsTickingAndPainting) {
    ASSERT_TRUE(app.InitInstance());
    ASSERT_TRUE(probe::PumpUntil([&] { return Game().m_nTick > 0; }, WAIT_MS)); // the logo runs
    probe::MessageCount count;
    probe::CountMessages(ViewHandle(), &count);
    bool bChecked = false;
    probe::MessageCount atOpen;
    w32::Handle hDialog = nullptr;
    probe::CallEvery(20, [&] {
        if (!hDialog) {
            hDialog = probe::FindDialog();
            atOpen = count;
            return;
        }
        if (count.nTimers < atOpen.nTimers + 10 || count.nPaints <= atOpen.nPaints || bChecked)
            return;
        bChecked = true;
        const DialogTemplate& dlg = *AfxFindDialog(IDD_ABOUTBOX);
        EXPECT_FALSE(probe::IsEnabled(FrameHandle())) << "modal: the frame takes no input";
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
    EXPECT_TRUE(probe::IsEnabled(FrameHandle()));
}

TEST_F(Win32ShellTest, AMissingPictureEndsTheProgramWithStatusOneAndOneLinePerPicture) {
    std::filesystem::remove(dir.Path() / "Q.bmp");
    std::filesystem::remove(dir.Path() / "sprite.bmp");
    // A copy of the program with no data folder beside it: the folder it runs in is then the
    // only one with pictures, and the first line says where it looked.
    const std::filesystem::path copy = dir.Path() / "bin" / "morvane.exe";
    std::filesystem::create_directories(copy.parent_path());
    std::filesystem::copy_file(m_program, copy);
    std::string strErr;
    // It ends by itself: a window would wait for the player.
    const int nStatus = probe::RunProgram(copy.string(), dir.Path().string(), WAIT_MS, &strErr);
    EXPECT_EQ(nStatus, 1);
    std::vector<std::string> lines;
    std::istringstream in(strErr);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(0, line.find_last_not_of('\r') + 1));
    ASSERT_EQ(lines.size(), 3u) << strErr;
    EXPECT_EQ(lines[0].rfind("morvane: no folder holds every picture; looked in ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("morvane: sprite.bmp: ", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind("morvane: Q.bmp: ", 0), 0u) << lines[2];
}

} // namespace
