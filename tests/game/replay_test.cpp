// A whole session played from a fixed seed with a scripted player: two games (one to the
// end of its time, one lost on the gauge) and the way back to the logo. Every picture the
// view presents is hashed; the sequence must match the recorded one, so any change in what
// the player sees is caught. After an intended change, record it again with
//   MORVANE_RECORD_REPLAY=1 ctest -R Replay
// and review the difference of tests/game/replay_expected.txt with the change.
#include "game_harness.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

class ReplayTest : public GameTest {
protected:
    // Ticks and keys up to the moment `until` (elapsed ms); a key every 300 ms while
    // letters are judged, chosen by the script from the letter on screen.
    void Play(std::uint64_t until, const std::function<UINT(int)>& choose) {
        while (system.Elapsed() < until) {
            system.Advance(std::min<std::uint64_t>(300, until - system.Elapsed()));
            if (view->m_bPlaying && (view->m_nPhase == PHASE_START || view->m_nPhase == PHASE_PLAY))
                system.PressKey(choose(m_nKeys++));
        }
    }
    int m_nKeys = 0;
};

TEST_F(ReplayTest, WholeSessionShowsTheRecordedPictures) {
    std::ostringstream record;
    std::uint64_t lastHash = 0;
    CreateViewOrFail();
    view->SetFocus();
    system.SetAutoPaint(true);
    system.SetPaintHook([&](CWnd&, const CapturedPicture& picture) {
        // Consecutive paints of the same picture are one line.
        if (picture.Hash() != lastHash)
            record << system.Elapsed() << ' ' << std::hex << picture.Hash() << std::dec << '\n';
        lastHash = picture.Hash();
    });
    system.Paint();

    // Game one: mostly right, one wrong in four, a pause of two seconds in the middle.
    system.Advance(4000);
    system.PressKey('F');
    Play(40000, [&](int n) { return n % 4 == 3 ? WrongKey() : RightKey(); });
    system.PressKey(VK_ESCAPE);
    system.Advance(2000);
    system.PressKey('N');
    Play(95000, [&](int n) { return n % 4 == 3 ? WrongKey() : RightKey(); });
    EXPECT_EQ(view->m_nPhase, PHASE_TITLE) << "the first game ran out, its results shown, the title back";
    EXPECT_EQ(view->m_nRank, 3) << "one miss in four costs more than the hits bring";

    // Game two: only wrong keys, so the gauge runs out.
    system.PressKey('F');
    Play(130000, [&](int) { return WrongKey(); });
    EXPECT_EQ(view->m_nPhase, PHASE_TITLE);

    const std::string path = MORVANE_REPLAY_EXPECTATION;
    if (const char* pRecord = std::getenv("MORVANE_RECORD_REPLAY"); pRecord && *pRecord == '1') {
        std::ofstream(path) << record.str();
        GTEST_SKIP() << "recorded " << path;
    }
    std::ifstream in(path);
    ASSERT_TRUE(in) << "no recording at " << path << "; make one with MORVANE_RECORD_REPLAY=1";
    std::stringstream expected;
    expected << in.rdbuf();
    // Line by line, so a failure names the first picture that differs.
    std::istringstream want(expected.str()), got(record.str());
    std::string wantLine, gotLine;
    for (int nLine = 1; std::getline(want, wantLine); ++nLine) {
        ASSERT_TRUE(std::getline(got, gotLine)) << "the session ended early, before line " << nLine;
        ASSERT_EQ(gotLine, wantLine) << "first difference at line " << nLine << " (ms, hash)";
    }
    EXPECT_FALSE(std::getline(got, gotLine)) << "more pictures than recorded, from: " << gotLine;
}

} // namespace
