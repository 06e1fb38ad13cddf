// morvane_screens: plays the game from the shipped pictures on the headless desktop, with a
// fixed run of letters and a scripted player, and saves its key screens as PNG pictures.
//
//     morvane_screens [ASSET_DIR [OUT_DIR]]     (defaults: assets, docs/screens)
//
// Every run gives the same bytes: time is virtual and the letters come from a fixed seed.
#include "screen_session.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

namespace {

constexpr unsigned int LETTER_SEED = 20240611;
// Twice the game's size, pixel for pixel, so the pictures stay crisp on a web page.
constexpr int SHOT_SCALE = 2;

// How the scripted player types, in milliseconds from the letter's appearance.
constexpr std::uint64_t WARM_UP_PACE = 400; // a good player at the start of a game
constexpr int WARM_UP_KEYS = 12;
constexpr std::uint64_t FUMBLE_PACE = 1500; // a wrong key after this long costs 16 of the gauge
constexpr int FUMBLE_STOP_GAUGE = 20;       // under this, one more such key could end the game
constexpr std::uint64_t STRONG_PACE = 300;  // fast enough for the best rank
constexpr int STRONG_SLIP_EVERY = 64;       // every so many keys a wrong one

// Longest waits for the steps, far above what each takes, so a script gone wrong stops.
constexpr std::uint64_t STEP_LIMIT = 20000;
constexpr std::uint64_t GAME_LIMIT = 2 * PLAY_TIME;

class Script {
public:
    explicit Script(ScreenSession& session) : m_session(session) {}

    void Run() {
        Logo();
        Title();
        FirstGame();
        m_session.WaitUntil([this] { return State().m_nPhase == PHASE_TITLE; }, STEP_LIMIT,
                            "the title after the game over");
        SecondGame();
    }

private:
    GameSnapshot State() const { return m_session.State(); }
    // The key of the letter on screen, and one that is not it.
    UINT LetterKey() const { return KEY_FIRST_LETTER + static_cast<UINT>(State().m_nLetter); }
    UINT OtherKey() const { return LetterKey() == KEY_LAST_LETTER ? KEY_FIRST_LETTER : LetterKey() + 1; }

    void Shoot(const std::string& strName, const std::string& strState) {
        const std::filesystem::path path = m_session.Shoot(strName);
        std::printf("%-28s at %7llu ms  %s\n", path.string().c_str(),
                    static_cast<unsigned long long>(m_session.Elapsed()), strState.c_str());
    }
    std::string Counts() const {
        return "gauge " + std::to_string(State().m_nGauge) + ", hits " +
               std::to_string(LowDigitsValue(State().m_hitDigits)) + ", misses " +
               std::to_string(LowDigitsValue(State().m_missDigits));
    }
    std::string Letter() const { return std::string("letter ") + static_cast<char>(LetterKey()); }

    // The splash once its last row pass is done, in the hold before the title.
    void Logo() {
        m_session.WaitUntil(
            [this] { return State().m_nPhase == PHASE_LOGO && State().m_nTick > WIPE_PASSES; }, STEP_LIMIT,
            "the logo to be wiped in");
        Shoot("logo", "splash wiped in");
    }

    void Title() {
        m_session.WaitUntil([this] { return State().m_nPhase == PHASE_TITLE; }, STEP_LIMIT, "the title");
        Shoot("title", "title over the splash");
    }

    // Through the frame wipe, the gauge fill and READY? to the first letter, which takes keys.
    void StartGame() {
        m_session.Press(KEY_START);
        m_session.WaitUntil([this] { return State().m_bPlaying; }, STEP_LIMIT, "the first letter");
    }
    void WaitForMarkToGo() {
        m_session.WaitUntil([this] { return State().m_nMark == MARK_NONE; }, STEP_LIMIT, "the mark to go");
    }
    void PressRight() {
        Require(State().m_bPlaying, "the game ended before a key the script meant to press");
        m_session.Press(LetterKey());
        Require(State().m_nMark == MARK_HIT, "the right key was not taken as a hit");
    }
    void PressWrong() {
        Require(State().m_bPlaying, "the game ended before a key the script meant to press");
        m_session.Press(OtherKey());
        Require(State().m_nMark == MARK_MISS, "the wrong key was not taken as a miss");
    }

    // Good play, a slip, the quit prompt turned down, then fumbling and no keys at all
    // until the gauge runs dry.
    void FirstGame() {
        StartGame();
        m_session.WaitUntil([this] { return State().m_nPhase == PHASE_PLAY; }, STEP_LIMIT, "GO! to go");
        for (int i = 0; i < WARM_UP_KEYS; ++i) {
            m_session.Wait(WARM_UP_PACE);
            PressRight();
        }
        Shoot("play_good", "GOOD! over the next letter, " + Letter() + ", " + Counts());

        WaitForMarkToGo();
        m_session.Wait(WARM_UP_PACE);
        PressWrong();
        Shoot("play_miss", "MISS over the next letter, " + Letter() + ", " + Counts());

        WaitForMarkToGo();
        m_session.Press(VK_ESCAPE);
        Require(State().m_bPaused, "Esc did not bring up the quit prompt");
        Shoot("quit_prompt", "quit prompt over " + Letter());
        m_session.Press(KEY_NO);
        Require(State().m_bPlaying, "N did not go back to the game");

        // The letter kept its time through the prompt; a hit first makes the next reaction
        // times, and so the cost of each wrong key, exactly the script's.
        PressRight();
        while (State().m_nGauge >= FUMBLE_STOP_GAUGE) {
            m_session.Wait(FUMBLE_PACE);
            PressWrong();
        }
        m_session.WaitUntil([this] { return !State().m_bPlaying; }, PLAY_TIME, "the gauge to run dry");
        Require(State().m_nPhase == PHASE_PLAY && m_session.IsTimerRunning(TIMER_RESTART) &&
                    !m_session.IsTimerRunning(TIMER_TIME_UP),
                "the first game did not end by its gauge");
        Shoot("game_over", "gauge run dry, " + Counts());
    }

    // A strong player through the whole minute, then the time-up banner and the results.
    void SecondGame() {
        StartGame();
        const std::uint64_t qwStart = m_session.Elapsed();
        for (int nKeys = 1; State().m_nPhase != PHASE_RESULT; ++nKeys) {
            Require(m_session.Elapsed() - qwStart < GAME_LIMIT, "the second game does not end");
            m_session.Wait(STRONG_PACE);
            if (!State().m_bPlaying)
                continue; // time was up during the wait
            if (nKeys % STRONG_SLIP_EVERY == 0)
                PressWrong();
            else
                PressRight();
        }
        m_session.WaitUntil(
            [this] {
                return m_session.IsTimerRunning(TIMER_TIME_UP) && State().m_nTick >= TIME_UP_TICKS / 2;
            },
            STEP_LIMIT, "the time-up banner");
        Shoot("time_up", "time-up banner, " + Counts());

        // Misses caption, the count, the rank caption and last the stamp, all four on screen.
        m_session.WaitUntil(
            [this] {
                return m_session.IsTimerRunning(TIMER_RESULT) && State().m_nTick > RESULT_STAMP_AFTER + 30;
            },
            STEP_LIMIT, "the rank stamp");
        Shoot("result", "result, rank " + std::to_string(State().m_nRank) + ", " + Counts());
    }

    ScreenSession& m_session;
};

} // namespace

int main(int argc, char** argv) {
    if (argc > 3 || (argc > 1 && (std::string(argv[1]) == "-h" || std::string(argv[1]) == "--help"))) {
        std::fprintf(stderr, "usage: %s [ASSET_DIR [OUT_DIR]]   (defaults: assets docs/screens)\n", argv[0]);
        return argc > 3 ? 2 : 0;
    }
    const std::string strAssets = argc > 1 ? argv[1] : "assets";
    const std::filesystem::path outDir = argc > 2 ? argv[2] : "docs/screens";
    try {
        std::filesystem::create_directories(outDir);
        ScreenSession session(strAssets, outDir, LETTER_SEED, SHOT_SCALE);
        session.Start();
        Script(session).Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "morvane_screens: %s\n", e.what());
        return 1;
    }
    return 0;
}
