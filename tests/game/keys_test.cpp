// Keys: judging letters by reaction time, the gauge's cap and the game over below zero,
// the quit prompt, keys that do nothing in each state, and J closing the program.
#include "game_harness.h"
#include "platform/winthread.h"

namespace {

class KeysTest : public GameTest {
protected:
    void SetUp() override {
        CreateViewOrFail();
        RunToPlay(); // keys are judged from the first letter on
    }
    // Presses a key ms after the letter on screen was shown, with the gauge at nGauge
    // just before; the gauge's change.
    int PressAfter(DWORD ms, UINT nKey, int nGauge) {
        const DWORD dwSince = timeGetTime() - view->m_dwShownAt;
        EXPECT_LE(dwSince, ms);
        system.Advance(ms - dwSince);
        Access().SetGauge(nGauge);
        system.PressKey(*view, nKey);
        return view->m_nGauge - nGauge;
    }
};

TEST_F(KeysTest, GainAndPenaltyFollowTheReactionTime) {
    const std::pair<DWORD, int> gains[] = {{0, 16},   {99, 16},  {100, 8},  {499, 8},  {500, 4},  {999, 4},
                                           {1000, 2}, {1999, 2}, {2000, 1}, {2999, 1}, {3000, 0}, {7000, 0}};
    for (auto [ms, gain] : gains) {
        const DigitCounter hits = view->m_hitDigits;
        EXPECT_EQ(PressAfter(ms, RightKey(), 60), gain) << ms << " ms";
        EXPECT_EQ(view->m_nMark, MARK_HIT);
        EXPECT_EQ(view->m_nTick, 0);
        EXPECT_EQ(LowDigitsValue(view->m_hitDigits), LowDigitsValue(hits) + 1);
    }
    const std::pair<DWORD, int> penalties[] = {{99, 2},    {100, 4},   {499, 4},   {500, 8},
                                               {1000, 16}, {2000, 32}, {2999, 32}, {3000, 48}};
    for (auto [ms, penalty] : penalties) {
        const DigitCounter misses = view->m_missDigits;
        EXPECT_EQ(PressAfter(ms, WrongKey(), 60), -penalty) << ms << " ms";
        EXPECT_EQ(view->m_nMark, MARK_MISS);
        EXPECT_EQ(LowDigitsValue(view->m_missDigits), LowDigitsValue(misses) + 1);
    }
}

TEST_F(KeysTest, JudgedKeyShowsTheNextLetterTimedFromNowWithItsMark) {
    system.Advance(250);
    const int nExpectedNext = FixedSeedRandom(random).Rand() % 26; // a copy draws what the view will
    system.PressKey(*view, RightKey());
    EXPECT_EQ(view->m_nLetter, nExpectedNext);
    EXPECT_EQ(view->m_dwShownAt, timeGetTime());
    EXPECT_EQ(Back(88, 16), Packed(testkit::LetterColour(view->m_nLetter)));
    EXPECT_EQ(Back(80, 184), Sheet("hit"));
}

TEST_F(KeysTest, GaugeIsCappedAt128AndTheHitStillCounts) {
    EXPECT_EQ(PressAfter(50, RightKey(), 120), 8);
    EXPECT_EQ(PressAfter(50, RightKey(), 128), 0);
    EXPECT_EQ(LowDigitsValue(view->m_hitDigits), 2);
}

TEST_F(KeysTest, WrongKeyBelowZeroEndsTheGameButZeroDoesNot) {
    EXPECT_EQ(PressAfter(50, WrongKey(), 2), -2);
    EXPECT_TRUE(view->m_bPlaying);
    EXPECT_EQ(view->m_nGauge, 0);

    Access().SetGauge(100);          // so that the drain does not end the game while we wait
    PressAfter(3000, WrongKey(), 1); // 1 - 48 = -47
    EXPECT_FALSE(view->m_bPlaying);
    EXPECT_EQ(view->m_nGauge, 0);
    EXPECT_EQ(view->m_nPhase, PHASE_PLAY);
    EXPECT_EQ(Back(32, 200), FRAME) << "the play screen has no gauge bar";
    EXPECT_EQ(Back(80, 184), Sheet("miss"));
    EXPECT_EQ(Back(88, 100), Sheet("end")) << "the end banner is drawn last, over the letter";
    EXPECT_EQ(system.RunningTimers(*view), (std::vector<UINT_PTR>{TIMER_RESTART}));
}

TEST_F(KeysTest, HeldKeyIsJudgedOnEveryRepeat) {
    system.PressKey(*view, 'K', 0, 5);
    EXPECT_EQ(LowDigitsValue(view->m_hitDigits) + LowDigitsValue(view->m_missDigits), 5);
}

TEST_F(KeysTest, TenThousandthMissWrapsTheCounter) {
    Access().SetMissDigits({9, 9, 9, 9});
    PressAfter(10, WrongKey(), 100);
    EXPECT_EQ(view->m_missDigits, (DigitCounter{0, 0, 0, 0}));
}

TEST_F(KeysTest, EscPausesNResumesAndThePauseCountsTowardTheReaction) {
    const DWORD dwShownAt = view->m_dwShownAt;
    const int nGauge = view->m_nGauge;
    const DWORD dwTime = view->m_dwTimeLeft;
    system.PressKey(*view, VK_ESCAPE);
    EXPECT_FALSE(view->m_bPlaying);
    EXPECT_TRUE(view->m_bPaused);
    EXPECT_EQ(Back(80, 88), Sheet("quit_upper"));
    EXPECT_EQ(Back(80, 120), Sheet("quit_lower"));

    system.Advance(10000); // drain and clock idle
    EXPECT_EQ(view->m_nGauge, nGauge);
    EXPECT_EQ(view->m_dwTimeLeft, dwTime);
    system.PressKey(*view, VK_ESCAPE);
    system.PressKey(*view, 'A');
    EXPECT_TRUE(view->m_bPaused) << "Esc and letters do nothing at the prompt";
    EXPECT_EQ(LowDigitsValue(view->m_hitDigits) + LowDigitsValue(view->m_missDigits), 0);

    system.PressKey(*view, 'N');
    EXPECT_TRUE(view->m_bPlaying);
    EXPECT_FALSE(view->m_bPaused);
    EXPECT_EQ(view->m_dwShownAt, dwShownAt);
    EXPECT_NE(Back(80, 88), Sheet("quit_upper"));
    EXPECT_EQ(PressAfter(timeGetTime() - dwShownAt, RightKey(), 60), 0) << "over 10 s: no gain";
    system.Advance(100);
    EXPECT_EQ(view->m_dwTimeLeft, dwTime - 100) << "the clock goes on from where it stood";
}

TEST_F(KeysTest, YReturnsToTheLogoLeavingTheIdlePlayTimersRunning) {
    system.PressKey(*view, VK_ESCAPE);
    system.PressKey(*view, 'Y');
    EXPECT_EQ(view->m_nPhase, PHASE_LOGO);
    EXPECT_EQ(view->m_nTick, -5);
    EXPECT_FALSE(view->m_bPlaying);
    EXPECT_TRUE(view->m_bPaused);
    EXPECT_EQ(Back(80, 88), 0u);
    // Y came within the first second: the start caption's timer is still to fire, too.
    EXPECT_EQ(system.RunningTimers(*view),
              (std::vector<UINT_PTR>{TIMER_LOGO, TIMER_START_CAPTION, TIMER_DRAIN, TIMER_CLOCK}));

    const int nGauge = view->m_nGauge;
    RunToTitle(); // the idle drain and clock tick through the logo
    EXPECT_EQ(view->m_nGauge, nGauge);
    EXPECT_EQ(Back(5, 5), TITLE);
    system.PressKey(*view, 'F');
    EXPECT_FALSE(view->m_bPaused);
    RunTicks(TIMER_FRAME_WIPE, 37);
    RunTicks(TIMER_INTRO, 189);
    EXPECT_EQ(system.RunningTimers(*view),
              (std::vector<UINT_PTR>{TIMER_START_CAPTION, TIMER_DRAIN, TIMER_CLOCK}));
    const DWORD dwStart = timeGetTime();
    RunTicks(TIMER_CLOCK, 1);
    EXPECT_EQ(timeGetTime() - dwStart, 100u) << "the new game restarted the clock's period";
}

TEST_F(KeysTest, LettersWithAMeaningElsewhereAreJudgedDuringPlay) {
    for (UINT key : {UINT{'F'}, UINT{'J'}, UINT{'Y'}, UINT{'N'}})
        PressAfter(10, key, 100);
    EXPECT_EQ(LowDigitsValue(view->m_hitDigits) + LowDigitsValue(view->m_missDigits), 4);
    EXPECT_TRUE(view->m_bPlaying);
}

class StartCaptionTest : public GameTest {};

TEST_F(StartCaptionTest, CaptionTickDuringThePromptOrAfterYOnlyKillsItsTimer) {
    CreateViewOrFail();
    RunToPlay();
    system.PressKey(*view, VK_ESCAPE);
    system.Advance(1000);
    EXPECT_FALSE(Running(TIMER_START_CAPTION));
    EXPECT_EQ(view->m_nPhase, PHASE_START);
    EXPECT_EQ(Back(80, 88), Sheet("quit_upper")) << "the prompt stays";
    system.PressKey(*view, 'N');
    EXPECT_TRUE(view->m_bPlaying);

    system.Advance(60000); // let this game run out; RunToPlay waits for the next logo
    RunToPlay();
    system.PressKey(*view, VK_ESCAPE);
    system.PressKey(*view, 'Y');
    system.Advance(1000);
    EXPECT_EQ(view->m_nPhase, PHASE_LOGO) << "the caption tick after Y does not enter play";
    EXPECT_FALSE(Running(TIMER_START_CAPTION));
}

struct DeadKey {
    const char* state;
    UINT key;
};

class DeadKeyTest : public GameTest {
protected:
    // Presses the key and checks that nothing changed; whether the view was invalidated.
    bool PressChangesNothing(UINT key) {
        const GameSnapshot before = (*view).Snapshot();
        Peer().ResetCounters();
        system.PressKey(*view, key);
        EXPECT_EQ((*view).Snapshot(), before);
        EXPECT_TRUE(system.Peers().size() == 1 && !system.IsQuitRequested());
        return Invalidations() > 0;
    }
};

TEST_F(DeadKeyTest, KeysThatDoNothingInvalidateOnlyInPlayPausedAndGameOver) {
    CreateViewOrFail();
    for (UINT key : {UINT{'F'}, UINT{'J'}, UINT{'A'}, VK_ESCAPE})
        EXPECT_FALSE(PressChangesNothing(key)) << "logo " << key;
    RunToTitle();
    for (UINT key : {UINT{'A'}, UINT{'Y'}, VK_ESCAPE, VK_SPACE})
        EXPECT_FALSE(PressChangesNothing(key)) << "title " << key;
    system.PressKey(*view, 'F');
    RunTicks(TIMER_FRAME_WIPE, 37);
    RunTicks(TIMER_INTRO, 3);
    for (UINT key : {UINT{'F'}, UINT{'A'}, VK_ESCAPE})
        EXPECT_FALSE(PressChangesNothing(key)) << "intro " << key;
    RunTicks(TIMER_INTRO, 186);
    for (UINT key : {UINT{'1'}, VK_F1, VK_LWIN, VK_SPACE, VK_NUMPAD0, VK_RETURN})
        EXPECT_TRUE(PressChangesNothing(key)) << "play " << key;
    system.PressKey(*view, VK_ESCAPE);
    for (UINT key : {UINT{'A'}, VK_ESCAPE, VK_SPACE})
        EXPECT_TRUE(PressChangesNothing(key)) << "paused " << key;
    system.PressKey(*view, 'N');
    Access().SetGauge(0);
    system.PressKey(*view, WrongKey()); // game over
    ASSERT_FALSE(view->m_bPlaying);
    for (UINT key : {UINT{'A'}, UINT{'Y'}, UINT{'N'}, UINT{'F'}, VK_ESCAPE})
        EXPECT_TRUE(PressChangesNothing(key)) << "game over " << key;
}

// A main window that owns the view by value and deletes itself when its window ends.
class SelfDeletingFrame : public CWnd {
public:
    explicit SelfDeletingFrame(RandomSource& random, const std::string& strAssets) : m_wndView(random) {
        m_wndView.SetAssetDirectory(strAssets);
    }
    int OnCreate(LPCREATESTRUCT pcs) override {
        if (CWnd::OnCreate(pcs) == -1)
            return -1;
        return m_wndView.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 320, 240, this,
                                  AFX_IDW_PANE_FIRST)
                   ? 0
                   : -1;
    }
    void PostNcDestroy() override { delete this; }
    CGameView m_wndView;
};

TEST_F(GameTest, JOnTheTitleClosesTheMainWindowAndDeletesTheViewSafely) {
    CWinThread thread;
    auto* pFrame = new SelfDeletingFrame(random, dir.Path().string());
    ASSERT_TRUE(pFrame->CreateEx(0, nullptr, "", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, nullptr, 0));
    thread.m_pMainWnd = pFrame;
    pFrame->ShowWindow(SW_SHOW);
    pFrame->m_wndView.SetFocus();
    const CGameView& v = pFrame->m_wndView;
    for (int i = 0; i < 107; ++i)
        system.DeliverNextTick();
    ASSERT_EQ(v.Snapshot().m_nPhase, PHASE_TITLE);
    system.PressKey('J', 0, 2); // the repeat finds no window any more
    EXPECT_TRUE(system.IsQuitRequested());
    EXPECT_TRUE(system.Peers().empty());
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

TEST_F(GameTest, ReactionTimeSurvivesTheClockWrapping) {
    // Play begins 10989 ms after start-up: 11 ms before the clock wraps.
    system.SetClockStart(0u - 11000u);
    CreateViewOrFail();
    RunToPlay();
    ASSERT_EQ(view->m_dwShownAt, 0u - 11u);
    system.Advance(50);
    Access().SetGauge(60);
    system.PressKey(*view, RightKey());
    EXPECT_EQ(view->m_nGauge, 76) << "50 ms across the wrap gains 16";
}

} // namespace
