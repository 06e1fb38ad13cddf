// The headless clock and timers: ticks on their periods, in time order, a late timer, restart,
// kill (also by an earlier tick at the same moment), ties, and windows ending in a tick.
#include "platform/clock.h"
#include "platform/message_loop.h"
#include "recording_wnd.h"

namespace {

using TimerTest = HeadlessTest;

// "id@ms" for every tick in the log.
std::vector<std::string> Ticks(const std::vector<Event>& log) {
    std::vector<std::string> out;
    for (const Event& e : log)
        if (e.message == WM_TIMER)
            out.push_back(std::to_string(e.wParam) + "@" + std::to_string(e.qwTime));
    return out;
}

TEST_F(TimerTest, TwoTimersTickOnTheirPeriodsInTimeOrder) {
    RecordingWnd wnd("W", log, system);
    ASSERT_TRUE(wnd.CreateSimple());
    wnd.SetTimer(1, 33, nullptr);
    wnd.SetTimer(2, 50, nullptr);
    system.Advance(120);
    EXPECT_EQ(Ticks(log), (std::vector<std::string>{"1@33", "2@50", "1@66", "1@99", "2@100"}));
    EXPECT_EQ(system.Elapsed(), 120u);
    EXPECT_EQ(system.PeerOf(wnd)->DeliveredTicks(1), 3);
    system.Advance(12); // 132: the fourth tick of timer 1 is due exactly at the end
    EXPECT_EQ(Ticks(log).back(), "1@132");
}

TEST_F(TimerTest, ATimerThatFellBehindTicksOnceAndKeepsItsBeat) {
    RecordingWnd wnd("W", log, system);
    ASSERT_TRUE(wnd.CreateSimple());
    wnd.SetTimer(1, 40, nullptr);
    system.Stall(250); // busy through six beats
    AfxDeliverDueTimers();
    AfxDeliverDueTimers();
    EXPECT_EQ(Ticks(log), (std::vector<std::string>{"1@250"}));
    system.Advance(50); // the next beat is 280, not 290
    EXPECT_EQ(Ticks(log), (std::vector<std::string>{"1@250", "1@280"}));
}

TEST_F(TimerTest, StartingARunningIdRestartsItsPeriod) {
    RecordingWnd wnd("W", log, system);
    ASSERT_TRUE(wnd.CreateSimple());
    wnd.SetTimer(4, 100, nullptr);
    system.Advance(60);
    wnd.SetTimer(4, 100, nullptr);
    system.Advance(150);
    EXPECT_EQ(Ticks(log), (std::vector<std::string>{"4@160"}));
    EXPECT_EQ(system.RunningTimers(wnd), (std::vector<UINT_PTR>{4}));
}

TEST_F(TimerTest, TimerKilledByAnEarlierTickNeverTicks) {
    struct Case {
        const char* name;
        UINT killerPeriod;
        UINT victimPeriod;
    };
    for (const Case& c : {Case{"earlier in time", 10, 15}, Case{"same moment, started first", 30, 30}}) {
        SCOPED_TRACE(c.name);
        log.clear();
        RecordingWnd wnd("W", log, system);
        ASSERT_TRUE(wnd.CreateSimple());
        wnd.onTimer = [&](UINT_PTR id) {
            if (id == 1)
                wnd.KillTimer(2);
        };
        wnd.SetTimer(1, c.killerPeriod, nullptr);
        wnd.SetTimer(2, c.victimPeriod, nullptr);
        system.Advance(100);
        for (const std::string& tick : Ticks(log))
            EXPECT_EQ(tick.substr(0, 2), "1@") << tick;
        EXPECT_FALSE(system.IsTimerRunning(wnd, 2));
        wnd.DestroyWindow();
    }
}

TEST_F(TimerTest, TiesGoInStartOrderAndATickCanStartAnotherDueInTheSameSpan) {
    RecordingWnd wnd("W", log, system);
    ASSERT_TRUE(wnd.CreateSimple());
    wnd.onTimer = [&](UINT_PTR id) {
        if (id == 7) {
            wnd.KillTimer(7);
            wnd.SetTimer(8, 10, nullptr);
        }
    };
    wnd.SetTimer(3, 20, nullptr);
    wnd.SetTimer(2, 20, nullptr);
    wnd.SetTimer(7, 20, nullptr);
    system.Advance(35);
    EXPECT_EQ(Ticks(log), (std::vector<std::string>{"3@20", "2@20", "7@20", "8@30"}));
}

TEST_F(TimerTest, KillingAnUnknownTimerIsHarmlessAndPeriodsBelowTenMsTakeTen) {
    RecordingWnd wnd("W", log, system);
    ASSERT_TRUE(wnd.CreateSimple());
    wnd.KillTimer(99);
    wnd.SetTimer(1, 0, nullptr);
    wnd.SetTimer(2, 9, nullptr);
    system.Advance(20);
    EXPECT_EQ(Ticks(log), (std::vector<std::string>{"1@10", "2@10", "1@20", "2@20"}));
}

TEST_F(TimerTest, DeliverNextTickMovesTheClockToIt) {
    RecordingWnd wnd("W", log, system);
    ASSERT_TRUE(wnd.CreateSimple());
    UINT_PTR id = 0;
    EXPECT_FALSE(system.DeliverNextTick(&id));
    wnd.SetTimer(5, 2350, nullptr);
    wnd.SetTimer(6, 100, nullptr);
    ASSERT_TRUE(system.DeliverNextTick(&id));
    EXPECT_EQ(id, 6u);
    EXPECT_EQ(system.Elapsed(), 100u);
}

TEST_F(TimerTest, WindowEndingInItsOwnTickTakesItsTimersWithIt) {
    auto* pWnd = new RecordingWnd("W", log, system);
    pWnd->bDeleteOnNcDestroy = true;
    ASSERT_TRUE(pWnd->CreateSimple());
    pWnd->onTimer = [pWnd](UINT_PTR) { pWnd->DestroyWindow(); }; // deletes pWnd
    pWnd->SetTimer(1, 10, nullptr);
    pWnd->SetTimer(2, 10, nullptr);
    system.Advance(100);
    EXPECT_EQ(Ticks(log), (std::vector<std::string>{"1@10"}));
    EXPECT_TRUE(system.Peers().empty());
    {
        RecordingWnd gone("G", log, system); // an object that goes with its window alive
        ASSERT_TRUE(gone.CreateSimple());
        gone.SetTimer(3, 10, nullptr);
    }
    EXPECT_FALSE(system.DeliverNextTick());
}

TEST_F(TimerTest, ClockStartsWhereToldAndWraps) {
    system.SetClockStart(0xFFFFFF00u);
    EXPECT_EQ(timeGetTime(), 0xFFFFFF00u);
    system.Advance(0x180);
    EXPECT_EQ(timeGetTime(), 0x80u);
    EXPECT_EQ(static_cast<DWORD>(timeGetTime() - 0xFFFFFF00u), 0x180u) << "differences survive the wrap";
}

} // namespace
