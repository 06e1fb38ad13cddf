// The application object's start-up around a message loop, and dialogs on a desktop that
// has no modal loop.
#include "shell_layer_fixture.h"

#include "platform/dialog.h"

namespace shelltest {
namespace {

TEST_F(ShellLayerTest, TheProgramReturnsTheMessageLoopsCode) {
    int nLoops = 0;
    EXPECT_EQ(AfxWinMain([&] { return ++nLoops, 7; }), 7);
    EXPECT_EQ(nLoops, 1);
    EXPECT_EQ(app.nExitInstanceCalls, 1);
    EXPECT_EQ(AfxWinMain([] { return 0; }), 0);
}

TEST_F(ShellLayerTest, AFailedStartUpReturnsOneRunsNoLoopAndLeavesNoWindow) {
    app.initInstance = [this] {
        LoadMainFrame();
        return FALSE;
    };
    bool bLooped = false;
    EXPECT_EQ(AfxWinMain([&] { return bLooped = true, 0; }), 1);
    EXPECT_FALSE(bLooped);
    EXPECT_TRUE(bFrameDeleted);
    EXPECT_TRUE(system.Peers().empty());
    EXPECT_EQ(app.nExitInstanceCalls, 1);
}

// A dialog that says what happened to it.
class TestDialog : public CDialog {
public:
    explicit TestDialog(UINT nID, Log& log) : CDialog(nID), m_log(log) {}
    std::function<void(TestDialog&)> onInit;
    CREATESTRUCT cs;

protected:
    BOOL OnInitDialog() override {
        cs = GetCreateStruct();
        m_log.push_back("init");
        BOOL bResult = CDialog::OnInitDialog();
        if (onInit)
            onInit(*this);
        return bResult;
    }
    void DoDataExchange(CDataExchange* pDX) override {
        m_log.push_back(pDX->m_bSaveAndValidate ? "save" : "load");
    }

private:
    Log& m_log;
};

TEST_F(ShellLayerTest, ADialogIsMadeFromItsTemplateOwnedByTheMainWindow) {
    TestFrame* pFrame = LoadMainFrame();
    ASSERT_NE(pFrame, nullptr);
    TestDialog dlg(ID_TEST_DIALOG, log);
    log.clear();
    // The headless desktop has no modal loop: the dialog is made, initialised and destroyed.
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(log, (Log{"init", "load"}));
    EXPECT_EQ(dlg.cs.hwndParent, pFrame);
    EXPECT_EQ(dlg.cs.cx, 120); // dialog units: the backend turns them into pixels
    EXPECT_EQ(dlg.cs.cy, 60);
    EXPECT_EQ(dlg.cs.style, WS_POPUP | WS_CAPTION | WS_SYSMENU);
    EXPECT_STREQ(dlg.cs.lpszName, "Test");
    EXPECT_EQ(dlg.cs.lpCreateParams, &DIALOGS[0]);
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    EXPECT_EQ(system.Peers().size(), 3u); // the frame and its two children
    pFrame->DestroyWindow();
}

TEST_F(ShellLayerTest, TheDialogsButtonsAndCloseBoxEndItWithTheirResults) {
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        INT_PTR expected;
        Log log;
    };
    const Case cases[] = {
        {"OK saves the data first", WM_COMMAND, MAKEWPARAM(IDOK, 0), IDOK, {"init", "load", "save"}},
        {"Cancel", WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), IDCANCEL, {"init", "load"}},
        {"the close box", WM_CLOSE, 0, IDCANCEL, {"init", "load"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestDialog dlg(ID_TEST_DIALOG, log);
        dlg.onInit = [&c](TestDialog& d) { d.SendMessage(c.message, c.wParam, 0); };
        log.clear();
        EXPECT_EQ(dlg.DoModal(), c.expected);
        EXPECT_EQ(log, c.log);
        EXPECT_TRUE(system.Peers().empty());
    }
}

TEST_F(ShellLayerTest, ADialogAtZeroZeroOpensCentredOverItsOwnerInsideTheWorkArea) {
    struct Case {
        const char* name;
        RECT rcFrame;
        POINT expected; // the dialog (120 x 60 here) at its outer corner
    };
    const Case cases[] = {
        {"centred", {101, 51, 400, 300}, {190, 145}},
        {"centred over a smaller owner, truncating toward zero", {500, 400, 601, 451}, {491, 396}},
        {"kept inside the work area's right and bottom", {1800, 1000, 2000, 1100}, {1800, 980}},
        {"kept inside the work area's left and top", {-300, -200, -250, -150}, {0, 0}},
    };
    TestFrame* pFrame = LoadMainFrame();
    ASSERT_NE(pFrame, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pFrame->MoveWindow(c.rcFrame.left, c.rcFrame.top, c.rcFrame.right - c.rcFrame.left,
                           c.rcFrame.bottom - c.rcFrame.top);
        TestDialog dlg(ID_TEST_DIALOG, log);
        RECT rcDialog{};
        dlg.onInit = [&](TestDialog& d) { d.GetWindowRect(&rcDialog); };
        dlg.DoModal();
        EXPECT_EQ(rcDialog.left, c.expected.x);
        EXPECT_EQ(rcDialog.top, c.expected.y);
        EXPECT_EQ(rcDialog.right - rcDialog.left, 120);
    }
    pFrame->DestroyWindow();
}

TEST_F(ShellLayerTest, ClosingTheOwnerWhileADialogsLoopRunsEndsTheLoopAndTheProgram) {
    LoadMainFrame();
    TestDialog dlg(ID_TEST_DIALOG, log);
    // The close arrives from outside while the dialog is up (a task manager's close).
    system.SetModalLoopHook([&](CWnd& dialog) {
        const auto* pLoopPeer = dynamic_cast<const HeadlessDialogPeer*>(system.PeerOf(dialog));
        ASSERT_NE(pLoopPeer, nullptr);
        app.m_pMainWnd->SendMessage(WM_CLOSE);
        // Destroyed with its owner, its native side kept modal until the loop has returned.
        EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
        EXPECT_TRUE(dlg.IsModalLoopEnded());
        EXPECT_TRUE(pLoopPeer->IsModal());
    });
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_TRUE(bFrameDeleted);
    EXPECT_TRUE(system.IsQuitRequested());
    EXPECT_EQ(system.ExitCode(), 0);
    EXPECT_TRUE(system.Peers().empty());
}

} // namespace
} // namespace shelltest
