// The end of a game by time: score and rank, the time-up banner, the result screen in four
// stages, the end banner and the logo five seconds later.
#include "game_harness.h"

namespace {

TEST(RankTest, ThresholdsAreInclusiveFromBelow) {
    const std::pair<int, int> cases[] = {{999, 0}, {176, 0}, {175, 1}, {126, 1}, {125, 2},
                                         {76, 2},  {75, 3},  {0, 3},   {-500, 3}};
    for (auto [score, rank] : cases)
        EXPECT_EQ(CGameView::RankForScore(score), rank) << score;
}

class ResultsTest : public GameTest {
protected:
    void SetUp() override {
        CreateViewOrFail();
        RunToPlay();
    }
    // Ends the play time with these counters: one clock tick from 100 ms left.
    void TimeUpWith(DigitCounter hits, DigitCounter misses) {
        system.Advance(2000); // the start caption gone and a drain passed
        Access().SetHitDigits(hits);
        Access().SetMissDigits(misses);
        Access().SetTimeLeft(100);
        RunTicks(TIMER_CLOCK, 1);
        ASSERT_EQ(view->m_nPhase, PHASE_RESULT);
    }
};

TEST_F(ResultsTest, RankComesFromTheThreeLowDigitsOfEachCounter) {
    struct Scored {
        DigitCounter hits, misses;
        int rank;
    };
    const Scored scored[] = {
        {{0, 0, 0, 0}, {0, 0, 0, 0}, 3}, // 0
        {{6, 7, 1, 0}, {0, 0, 0, 0}, 0}, // 176
        {{1, 8, 1, 0}, {1, 0, 0, 0}, 0}, // 181 - 5 = 176
        {{5, 7, 1, 0}, {0, 0, 0, 0}, 1}, // 175
        {{6, 2, 1, 0}, {0, 0, 0, 0}, 1}, // 126
        {{5, 2, 1, 0}, {0, 0, 0, 0}, 2}, // 125
        {{6, 7, 0, 0}, {0, 0, 0, 0}, 2}, // 76
        {{5, 7, 0, 0}, {0, 0, 0, 0}, 3}, // 75
        {{0, 0, 1, 0}, {1, 2, 0, 0}, 3}, // 100 - 105 < 0
        {{3, 0, 0, 1}, {0, 0, 0, 0}, 3}, // 1003 hits count as 3
        {{0, 0, 2, 0}, {0, 0, 0, 9}, 0}, // 9000 misses count as none
    };
    for (const Scored& c : scored) {
        view.reset();
        CreateViewOrFail();
        RunToPlay();
        TimeUpWith(c.hits, c.misses);
        EXPECT_EQ(view->m_nRank, c.rank) << c.hits[2] << c.hits[1] << c.hits[0];
    }
}

TEST_F(ResultsTest, TimeUpBannerFor60TicksThenTheResultScreenBuildsUp) {
    TimeUpWith({0, 0, 0, 0}, {7, 4, 2, 0});
    const int nGauge = view->m_nGauge;
    Peer().ResetCounters();
    RunTicks(TIMER_TIME_UP, 1);
    EXPECT_EQ(Back(80, 88), Sheet("time_up"));
    EXPECT_EQ(Back(88, 16), FRAME) << "no letter";
    EXPECT_EQ(Back(80, 184), FRAME) << "no time bar and no mark";
    EXPECT_EQ(Back(32 + nGauge - 1, 200), Packed(testkit::GaugeColour(nGauge - 1)));
    EXPECT_EQ(Back(292, 64), Packed(testkit::DigitColour(7)));
    RunTicks(TIMER_TIME_UP, 59);
    EXPECT_EQ(Invalidations(), 60);

    RunTicks(TIMER_TIME_UP, 1); // the 61st
    EXPECT_EQ(Invalidations(), 60) << "the hand-over draws nothing";
    EXPECT_EQ(view->m_nTick, 0);
    EXPECT_EQ(system.RunningTimers(*view), (std::vector<UINT_PTR>{TIMER_RESULT}));

    struct Stage {
        int tick;
        bool digits, caption, stamp;
    };
    int nDone = 0;
    for (const Stage& s :
         {Stage{1, false, false, false}, Stage{50, false, false, false}, Stage{51, true, false, false},
          Stage{100, true, false, false}, Stage{101, true, true, false}, Stage{150, true, true, false},
          Stage{151, true, true, true}, Stage{300, true, true, true}}) {
        RunTicks(TIMER_RESULT, s.tick - nDone);
        nDone = s.tick;
        SCOPED_TRACE(s.tick);
        EXPECT_EQ(Back(0, 96), Sheet("miss_caption"));
        EXPECT_EQ(Back(192, 100), s.digits ? Packed(testkit::DigitColour(2)) : FRAME);
        EXPECT_EQ(Back(208, 100), s.digits ? Packed(testkit::DigitColour(4)) : FRAME);
        EXPECT_EQ(Back(224, 119), s.digits ? Packed(testkit::DigitColour(7)) : FRAME);
        EXPECT_EQ(Back(0, 144), s.caption ? Sheet("rank_caption") : FRAME);
        EXPECT_EQ(Back(239, 199), s.stamp ? Sheet("stamp3") : FRAME);
    }
    EXPECT_EQ(Invalidations(), 360);

    RunTicks(TIMER_RESULT, 1); // the 301st
    EXPECT_EQ(Back(0, 88), Sheet("end"));
    EXPECT_EQ(Back(0, 170), FRAME) << "the rank caption is not redrawn";
    EXPECT_EQ(Back(239, 199), FRAME);
    EXPECT_EQ(view->m_nTick, 301);
    EXPECT_FALSE(view->m_bPlaying);
    EXPECT_EQ(view->m_nGauge, 0);
    EXPECT_EQ(view->m_nPhase, PHASE_RESULT);
    EXPECT_EQ(system.RunningTimers(*view), (std::vector<UINT_PTR>{TIMER_RESTART}));

    system.Advance(4999);
    EXPECT_EQ(view->m_nPhase, PHASE_RESULT);
    system.Advance(1);
    EXPECT_EQ(view->m_nPhase, PHASE_LOGO);
    EXPECT_EQ(Back(0, 88), 0u);
}

TEST_F(ResultsTest, AScreenReaderHearsTheLetterEachResultAndTheRankAsTheyAppear) {
    auto letter = [this] { return std::string(1, static_cast<char>(RightKey())); };
    const std::vector<std::string>& said = Peer().Announcements();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said.back(), "文字 " + letter() + "。 letter " + letter() + ".");
    system.PressKey(*view, RightKey());
    EXPECT_EQ(said.back(), "正解、文字 " + letter() + "。 GOOD!, letter " + letter() + ".");
    system.PressKey(*view, WrongKey());
    EXPECT_EQ(said.back(), "ミス、文字 " + letter() + "。 MISS, letter " + letter() + ".");

    TimeUpWith({0, 0, 0, 0}, {0, 0, 0, 0});
    RunTicks(TIMER_TIME_UP, 61);
    RunTicks(TIMER_RESULT, 150);
    const std::size_t nBefore = said.size();
    RunTicks(TIMER_RESULT, 150); // the stamp shows from the 151st tick on
    ASSERT_EQ(said.size(), nBefore + 1);
    EXPECT_EQ(said.back(), "ランク 4（4 段階、1 が最高）。 rank 4 of 4 (1 is the best).");
}

TEST_F(ResultsTest, StampIsTakenFromEightyTimesTheRank) {
    TimeUpWith({0, 0, 0, 0}, {0, 0, 0, 0});
    RunTicks(TIMER_TIME_UP, 61);
    RunTicks(TIMER_RESULT, 160);
    for (int rank = 0; rank < 4; ++rank) {
        Access().SetRank(rank);
        Access().DrawResults();
        EXPECT_EQ(Back(160, 120), Sheet(("stamp" + std::to_string(rank)).c_str()));
        EXPECT_EQ(Back(239, 199), Sheet(("stamp" + std::to_string(rank)).c_str()));
    }
}

TEST_F(ResultsTest, KeysDuringTheBannersAndTheResultChangeNothing) {
    TimeUpWith({0, 0, 0, 0}, {0, 0, 0, 0});
    for (UINT_PTR timer : {TIMER_TIME_UP, TIMER_RESULT, TIMER_RESTART}) {
        RunTicks(timer, timer == TIMER_RESTART ? 0 : 30);
        const int nTick = view->m_nTick;
        Peer().ResetCounters();
        for (UINT key : {UINT{'A'}, UINT{'F'}, UINT{'J'}, UINT{'Y'}, UINT{'N'}, VK_ESCAPE})
            system.PressKey(*view, key);
        EXPECT_EQ(Invalidations(), 0);
        EXPECT_EQ(view->m_nTick, nTick);
        EXPECT_EQ(view->m_nPhase, PHASE_RESULT);
        if (timer == TIMER_RESULT)
            RunTicks(TIMER_RESULT, 271); // to the end banner
    }
}

} // namespace
