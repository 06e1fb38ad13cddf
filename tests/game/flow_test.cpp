// The road of a game at the tick level: logo, title, frame wipe, gauge fill, captions,
// start of play, drain, clock, marks, and the restart after a game over.
#include "game_harness.h"

namespace {

class FlowTest : public GameTest {
protected:
    void SetUp() override { CreateViewOrFail(); }
};

TEST_F(FlowTest, LogoIdlesSixTicksWipesInEightPassesHoldsAndShowsTheTitle) {
    Peer().ResetCounters();
    RunTicks(TIMER_LOGO, 6);
    EXPECT_EQ(Invalidations(), 0);
    EXPECT_EQ(Back(0, 1), 0u);

    for (int pass = 1; pass <= 8; ++pass) {
        RunTicks(TIMER_LOGO, 1);
        EXPECT_EQ(Invalidations(), pass);
        EXPECT_EQ(Back(5, pass), LOGO) << "pass " << pass << " copies its start row";
        EXPECT_EQ(Back(5, pass + 8 * 28), LOGO);
        if (pass < 8) {
            EXPECT_EQ(Back(5, pass + 1), 0u) << "the next row waits for its pass";
        }
    }
    EXPECT_EQ(Back(5, 0), 0u) << "row 0 is never wiped";
    EXPECT_EQ(Peer().EraseRequestCount(), 0);

    RunTicks(TIMER_LOGO, 92);
    EXPECT_EQ(Invalidations(), 8) << "the hold draws nothing";
    EXPECT_EQ(view->m_nPhase, PHASE_LOGO);
    EXPECT_EQ(system.Elapsed(), 106u * 33);

    RunTicks(TIMER_LOGO, 1); // the 107th
    EXPECT_EQ(view->m_nPhase, PHASE_TITLE);
    EXPECT_EQ(view->m_nTick, 0);
    EXPECT_FALSE(Running(TIMER_LOGO));
    EXPECT_EQ(Invalidations(), 9);
    EXPECT_EQ(Back(5, 5), TITLE);
    EXPECT_EQ(Back(testkit::TITLE_HOLE[0], testkit::TITLE_HOLE[1]), LOGO)
        << "the logo shows through the title";
    system.Paint();
    EXPECT_EQ(Peer().Picture().PixelAt(5, 5), TITLE);
}

TEST_F(FlowTest, StartGameClearsAndTheFrameWipeLeadsToTheIntroOnItsThirtySeventhTick) {
    RunToTitle();
    Access().SetGauge(77);
    system.PressKey(*view, 'F');
    EXPECT_EQ(view->m_nPhase, PHASE_INTRO);
    EXPECT_EQ(view->m_nTick, -5);
    EXPECT_EQ(view->m_nGauge, 0);
    EXPECT_EQ(view->m_dwTimeLeft, 60000u);
    EXPECT_EQ(Back(5, 5), 0u) << "the frame wipe starts from black, not from the title";
    EXPECT_EQ(system.RunningTimers(*view), (std::vector<UINT_PTR>{TIMER_FRAME_WIPE}));

    RunTicks(TIMER_FRAME_WIPE, 6);
    EXPECT_EQ(Back(5, 1), 0u);
    RunTicks(TIMER_FRAME_WIPE, 8);
    EXPECT_EQ(Back(5, 1), FRAME);
    EXPECT_EQ(Back(5, 239), FRAME);
    RunTicks(TIMER_FRAME_WIPE, 22);
    EXPECT_FALSE(Running(TIMER_INTRO));

    RunTicks(TIMER_FRAME_WIPE, 1); // the 37th
    EXPECT_FALSE(Running(TIMER_FRAME_WIPE));
    EXPECT_TRUE(Running(TIMER_INTRO));
    EXPECT_EQ(view->m_nTick, 0);
    EXPECT_EQ(Back(5, 0), FRAME) << "the whole frame, row 0 included";
    EXPECT_EQ(Back(287, 184), Packed(testkit::TimeBarColour(255))) << "the full time bar";
    EXPECT_EQ(Back(260, 64), Packed(testkit::DigitColour(0)));
    EXPECT_EQ(Back(32, 200), FRAME) << "no gauge yet";
}

TEST_F(FlowTest, GaugeFillsTwoATickThenTheCaptionThenPlayBegins) {
    RunToTitle();
    system.PressKey(*view, 'F');
    RunTicks(TIMER_FRAME_WIPE, 37);

    RunTicks(TIMER_INTRO, 1);
    EXPECT_EQ(Back(32, 200), FRAME) << "drawn at 0 on the first tick";
    EXPECT_EQ(view->m_nGauge, 2);
    RunTicks(TIMER_INTRO, 1);
    EXPECT_EQ(Back(33, 200), Packed(testkit::GaugeColour(1)));
    EXPECT_EQ(Back(34, 200), FRAME);
    RunTicks(TIMER_INTRO, 62); // 64th
    EXPECT_EQ(view->m_nGauge, 128);
    EXPECT_EQ(Back(157, 200), Packed(testkit::GaugeColour(125)));
    EXPECT_EQ(Back(158, 200), FRAME);
    RunTicks(TIMER_INTRO, 1); // 65th: drawn at 128
    EXPECT_EQ(Back(159, 200), Packed(testkit::GaugeColour(127)));

    RunTicks(TIMER_INTRO, 64); // 129th: still no caption
    EXPECT_EQ(Back(80, 184), Packed(testkit::TimeBarColour(48)));
    RunTicks(TIMER_INTRO, 1); // 130th
    EXPECT_EQ(Back(80, 184), Sheet("intro"));
    EXPECT_EQ(view->m_nGauge, 128) << "never past 128";
    RunTicks(TIMER_INTRO, 58); // 188th
    EXPECT_EQ(view->m_nPhase, PHASE_INTRO);
    EXPECT_FALSE(view->m_bPlaying);

    RunTicks(TIMER_INTRO, 1); // 189th
    EXPECT_EQ(view->m_nPhase, PHASE_START);
    EXPECT_TRUE(view->m_bPlaying);
    EXPECT_EQ(view->m_nMark, MARK_NONE);
    EXPECT_EQ(view->m_nTick, 188);
    EXPECT_EQ(view->m_nGauge, 128);
    EXPECT_EQ(view->m_dwTimeLeft, 60000u);
    EXPECT_EQ(view->m_dwShownAt, timeGetTime());
    EXPECT_EQ(Back(88, 16), Packed(testkit::LetterColour(view->m_nLetter)));
    EXPECT_EQ(Back(80, 184), Sheet("start"));
    EXPECT_EQ(system.RunningTimers(*view),
              (std::vector<UINT_PTR>{TIMER_START_CAPTION, TIMER_DRAIN, TIMER_CLOCK}));
    EXPECT_EQ(system.TimerPeriod(*view, TIMER_START_CAPTION), 1000u);
    EXPECT_EQ(system.TimerPeriod(*view, TIMER_DRAIN), 2350u);
    EXPECT_EQ(system.TimerPeriod(*view, TIMER_CLOCK), 100u);
}

TEST_F(FlowTest, StartCaptionGoesAfterOneSecondAndTheDrainTakesTwoEvery2350Ms) {
    RunToPlay();
    system.Advance(999);
    EXPECT_EQ(view->m_nPhase, PHASE_START);
    system.Advance(1);
    EXPECT_EQ(view->m_nPhase, PHASE_PLAY);
    EXPECT_FALSE(Running(TIMER_START_CAPTION));
    EXPECT_NE(Back(80, 184), Sheet("start"));
    EXPECT_EQ(view->m_dwTimeLeft, 59000u);

    system.Advance(1349); // 2349 ms into play
    EXPECT_EQ(view->m_nGauge, 128);
    system.Advance(1);
    EXPECT_EQ(view->m_nGauge, 126);
    EXPECT_EQ(Back(157, 200), Packed(testkit::GaugeColour(125)));
    EXPECT_EQ(Back(158, 200), FRAME) << "the drain redraws the play screen";
    system.Advance(2350);
    EXPECT_EQ(view->m_nGauge, 124);
}

TEST_F(FlowTest, MarkAgesOutOnTheSixthClockTickAndAKeyRestartsTheCount) {
    RunToPlay();
    system.Advance(1000); // the start caption gone
    system.PressKey(*view, RightKey());
    EXPECT_EQ(Back(80, 184), Sheet("hit"));
    RunTicks(TIMER_CLOCK, 3);
    system.PressKey(*view, WrongKey());
    EXPECT_EQ(Back(80, 184), Sheet("miss"));
    RunTicks(TIMER_CLOCK, 5);
    EXPECT_EQ(view->m_nMark, MARK_MISS);
    EXPECT_EQ(Back(80, 184), Sheet("miss"));
    RunTicks(TIMER_CLOCK, 1);
    EXPECT_EQ(view->m_nMark, MARK_NONE);
    EXPECT_NE(Back(80, 184), Sheet("miss"));
}

TEST_F(FlowTest, DrainMarkRedrawKeepsTheMarkAgeing) {
    RunToPlay();
    system.Advance(2300); // the drain is 50 ms away
    system.PressKey(*view, RightKey());
    system.Advance(50); // drain: play screen without the mark
    EXPECT_NE(Back(80, 184), Sheet("hit"));
    EXPECT_EQ(view->m_nMark, MARK_HIT);
    system.Advance(550);
    EXPECT_EQ(view->m_nMark, MARK_NONE);
}

TEST_F(FlowTest, ClockStepsTheTimeAndTimeIsUpOnTheSixHundredthTick) {
    RunToPlay();
    const DWORD dwStart = timeGetTime();
    Peer().ResetCounters();
    RunTicks(TIMER_CLOCK, 1);
    EXPECT_EQ(view->m_dwTimeLeft, 59900u);
    EXPECT_EQ(Invalidations(), 1) << "a clock tick always asks for a repaint";
    EXPECT_EQ(Back(287, 184), Packed(testkit::TimeBarColour(255))) << "but draws nothing by itself";
    // Keep the gauge up so that the drain does not end the game first.
    Access().SetGauge(128);
    for (int i = 2; i < 600; ++i) {
        RunTicks(TIMER_CLOCK, 1);
        Access().SetGauge(128);
    }
    EXPECT_EQ(view->m_dwTimeLeft, 100u);
    EXPECT_EQ(view->m_nPhase, PHASE_PLAY);
    RunTicks(TIMER_CLOCK, 1);
    EXPECT_EQ(view->m_dwTimeLeft, 0u);
    EXPECT_EQ(timeGetTime() - dwStart, 60000u);
    EXPECT_EQ(view->m_nPhase, PHASE_RESULT);
    EXPECT_EQ(view->m_nTick, 0);
    EXPECT_TRUE(view->m_bPlaying);
    EXPECT_EQ(system.RunningTimers(*view), (std::vector<UINT_PTR>{TIMER_TIME_UP}));
}

TEST_F(FlowTest, DrainBelowZeroEndsTheGameButZeroDoesNot) {
    RunToPlay();
    system.Advance(1000);
    Access().SetGauge(2);
    system.Advance(1350); // first drain
    EXPECT_EQ(view->m_nGauge, 0);
    EXPECT_TRUE(view->m_bPlaying);

    system.Advance(2349);
    Peer().ResetCounters();
    system.Advance(1); // the drain; the clock due now is killed by the game over
    EXPECT_FALSE(view->m_bPlaying);
    EXPECT_EQ(view->m_nGauge, 0);
    EXPECT_EQ(view->m_nPhase, PHASE_PLAY) << "game over leaves the phase";
    EXPECT_EQ(Back(32, 200), FRAME) << "no gauge bar";
    EXPECT_EQ(Back(0, 88), Sheet("end"));
    EXPECT_EQ(Invalidations(), 1);
    EXPECT_EQ(system.RunningTimers(*view), (std::vector<UINT_PTR>{TIMER_RESTART}));

    system.Advance(4999);
    EXPECT_EQ(view->m_nPhase, PHASE_PLAY);
    system.Advance(1);
    EXPECT_EQ(view->m_nPhase, PHASE_LOGO);
    EXPECT_EQ(view->m_nTick, -5);
    EXPECT_EQ(Back(0, 88), 0u) << "cleared for the logo";
    EXPECT_EQ(system.RunningTimers(*view), (std::vector<UINT_PTR>{TIMER_LOGO}));
}

TEST_F(FlowTest, NextGameStartsFullWhateverTheLastOneLeft) {
    RunToPlay();
    Access().SetGauge(0);
    Access().SetMissDigits({3, 2, 1, 0});
    system.PressKey(*view, WrongKey()); // game over
    system.Advance(5000);
    RunToPlay();
    EXPECT_EQ(view->m_nGauge, 128);
    EXPECT_EQ(view->m_dwTimeLeft, 60000u);
    EXPECT_EQ(view->m_missDigits, (DigitCounter{0, 0, 0, 0}));
    EXPECT_EQ(view->m_hitDigits, (DigitCounter{0, 0, 0, 0}));
}

TEST_F(FlowTest, OtherTimerIdsChangeNothing) {
    RunToPlay();
    const GameSnapshot before = (*view).Snapshot();
    Peer().ResetCounters();
    view->SetTimer(9, 10, nullptr);
    RunTicks(9, 3);
    EXPECT_EQ((*view).Snapshot(), before);
    EXPECT_EQ(Invalidations(), 0);
}

} // namespace
