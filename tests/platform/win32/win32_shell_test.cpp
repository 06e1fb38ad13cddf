// The program on the real Win32 backend (run under Wine on a virtual display): what only
// Win32 shows of the window (its caption and styles) and of the about box (the dialog
// resource's texts). What every backend shares is the conformance suite's.
#include "app/drillapp.h"
#include "app/mainfrm.h"
#include "app/resource.h"
#include "native_probe.h"
#include "platform/win32/win32_window_system.h"
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
        // The main window's end posts the quit; the next test must not find it.
        while (!w32::PumpMessages(nullptr)) {
        }
        std::filesystem::current_path(m_oldDir);
    }

    CMainFrame* Frame() const { return static_cast<CMainFrame*>(app.m_pMainWnd); }
    w32::Handle FrameHandle() const { return system.NativeHandle(*Frame()); }

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
