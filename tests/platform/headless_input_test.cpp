// Keys and focus on the headless desktop: dispatch through the parents' PreTranslateMessage,
// auto-repeat, Alt, the focus messages, and a key that ends its own window.
#include "platform/winthread.h"
#include "recording_wnd.h"

namespace {

using InputTest = HeadlessTest;

TEST_F(InputTest, KeysGoToTheFocusWindowAfterItsParentsHadTheirSay) {
    RecordingWnd frame("F", log, system), view("V", log, system);
    ASSERT_TRUE(frame.CreateSimple());
    ASSERT_TRUE(view.CreateSimple(&frame));
    std::vector<std::string> offered;
    frame.preTranslate = [&](MSG* pMsg) {
        offered.push_back(std::to_string(pMsg->wParam) + (pMsg->hwnd == &view ? "->V" : "->?"));
        return pMsg->wParam == 'X' ? TRUE : FALSE; // the frame's accelerator
    };

    system.PressKey('A');
    EXPECT_TRUE(Logged(WM_KEYDOWN).empty()) << "no focus window, no key";

    view.SetFocus();
    system.PressKey('A');
    system.PressKey('X');
    EXPECT_EQ(Logged(WM_KEYDOWN), (std::vector<std::string>{"V:65"}));
    EXPECT_EQ(offered, (std::vector<std::string>{"65->V", "88->V"}));

    system.PressKey(frame, 'B'); // aimed at a given window
    EXPECT_EQ(Logged(WM_KEYDOWN).back(), "F:66");

    // A backend learns whether the key was used up before the window saw it.
    EXPECT_TRUE(AfxDispatchKeyMessage(&view, WM_SYSKEYDOWN, 'X', 0, MOD_ALT_DOWN));
    EXPECT_FALSE(AfxDispatchKeyMessage(&view, WM_SYSKEYDOWN, VK_F10, 0, 0));
}

TEST_F(InputTest, HeldKeySendsRepeatsMarkedAsPreviouslyDown) {
    RecordingWnd view("V", log, system);
    ASSERT_TRUE(view.CreateSimple());
    view.SetFocus();
    std::vector<UINT> flags;
    view.onKey = [&](UINT) { flags.push_back(view.lastFlags & 0x4000); };
    system.PressKey('Q', 0, 3);
    EXPECT_EQ(Logged(WM_KEYDOWN).size(), 3u);
    EXPECT_EQ(flags, (std::vector<UINT>{0, 0x4000, 0x4000}));
    EXPECT_EQ(view.lastRepCnt, 1u);
}

TEST_F(InputTest, AltMakesASystemKeyWithItsModifiers) {
    RecordingWnd view("V", log, system);
    ASSERT_TRUE(view.CreateSimple());
    view.SetFocus();
    MSG seen;
    view.preTranslate = [&](MSG* pMsg) {
        seen = *pMsg;
        return FALSE;
    };
    system.PressKey(VK_F1, MOD_ALT_DOWN | MOD_SHIFT_DOWN);
    EXPECT_EQ(seen.message, WM_SYSKEYDOWN);
    EXPECT_EQ(seen.modifiers, MOD_ALT_DOWN | MOD_SHIFT_DOWN);
    EXPECT_EQ(seen.lParam & 0x20000000, 0x20000000) << "the context bit: Alt was down";
    EXPECT_TRUE(Logged(WM_KEYDOWN).empty()) << "a system key is not a key-down for OnKeyDown";
    // F10 and Alt itself are system keys; Ctrl+Alt is AltGr, which types.
    const std::pair<UINT, DWORD> systemKeys[] = {{VK_F10, 0}, {VK_MENU, MOD_ALT_DOWN}};
    for (const auto& [vk, modifiers] : systemKeys) {
        system.PressKey(vk, modifiers);
        EXPECT_EQ(seen.message, WM_SYSKEYDOWN) << vk;
    }
    system.PressKey('Q', MOD_CONTROL_DOWN | MOD_ALT_DOWN);
    EXPECT_EQ(seen.message, WM_KEYDOWN);
    EXPECT_EQ(Logged(WM_KEYDOWN), (std::vector<std::string>{"V:81"}));
}

TEST_F(InputTest, SetFocusSendsTheOldWindowAndForgetsADestroyedOne) {
    RecordingWnd a("A", log, system), b("B", log, system);
    ASSERT_TRUE(a.CreateSimple());
    ASSERT_TRUE(b.CreateSimple());
    EXPECT_EQ(a.SetFocus(), nullptr);
    EXPECT_EQ(b.SetFocus(), &a);
    b.SetFocus(); // already there: no message
    EXPECT_EQ(Logged(WM_SETFOCUS),
              (std::vector<std::string>{"A:0", "B:" + std::to_string(reinterpret_cast<WPARAM>(&a))}));
    EXPECT_EQ(CWnd::GetFocus(), &b);
    b.DestroyWindow();
    EXPECT_EQ(CWnd::GetFocus(), nullptr);
}

TEST_F(InputTest, KeyThatClosesTheMainWindowEndsTheRepeatsSafely) {
    CWinThread thread;
    auto* pFrame = new RecordingWnd("F", log, system);
    pFrame->bDeleteOnNcDestroy = true;
    ASSERT_TRUE(pFrame->CreateSimple());
    thread.m_pMainWnd = pFrame;
    pFrame->SetFocus();
    pFrame->onKey = [](UINT) { AfxGetMainWnd()->SendMessage(WM_CLOSE); };
    system.PressKey('J', 0, 3);
    EXPECT_EQ(Logged(WM_KEYDOWN).size(), 1u);
    EXPECT_TRUE(system.IsQuitRequested());
    EXPECT_EQ(CWnd::GetFocus(), nullptr);
}

} // namespace
