// libFuzzer entry: a game on the headless desktop, driven by key presses and clock advances
// that the fuzzer chooses, one byte a step. After every step the game's invariants must
// hold; a broken one is reported and stops the run like a crash.
//
// Each input is a bounded game: at most MAX_STEPS steps and MAX_VIRTUAL_MS of play time, so
// that the fuzzer runs hundreds of inputs a second. The pictures are read once: one view
// lives for the whole run and is put back to its state just after start-up before every
// input (checked against a freshly started view when the run begins). Whole games to the
// result and back are the soak run's work (soak_game).
#include "game/game_view.h"
#include "platform/afxres.h"
#include "platform/headless/headless_system.h"
#include "testkit/game_invariants.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::size_t MAX_STEPS = 256;
// The logo and the intro take about 11 s of animation, redrawn every 33 ms, which is most of
// an input's cost; 15 s leaves a few seconds of play: enough to lose on the gauge or to quit
// at the prompt, not a whole minute.
constexpr std::uint64_t MAX_VIRTUAL_MS = 15 * 1000;

// Keys beside the letters: the title's, the quit prompt's, and some the game ignores.
constexpr UINT OTHER_KEYS[] = {KEY_START, VK_ESCAPE, KEY_YES, KEY_NO, KEY_QUIT, VK_SPACE, VK_RETURN, '1'};

// The view with a way back to its state right after creation, which it reaches through the
// members the game keeps for its own drawing and flow steps.
class CRestartableView : public CGameView {
public:
    explicit CRestartableView(RandomSource& random) : CGameView(random) {}

    // What the constructor and the start-up leave: the default state, the first letter drawn
    // from the (restarted) generator, a clear back buffer and the logo's timer.
    void Restart(RandomSource& random) {
        for (UINT_PTR id = TIMER_LOGO; id <= TIMER_RESULT; ++id)
            KillTimer(id);
        m_nLetter = static_cast<std::int8_t>(random.Rand() % LETTER_COUNT);
        m_dwShownAt = 0;
        m_nGauge = GAUGE_START;
        m_bPlaying = FALSE;
        m_bPaused = FALSE;
        m_dwTimeLeft = 0;
        m_nRank = 0;
        m_hitDigits = {};
        m_missDigits = {};
        m_nMark = MARK_NONE;
        m_nTick = 0;
        m_back.Clear();
        StartLogo();
    }
};

// The desktop, the letters and the view of one run.
struct Game {
    HeadlessSystem system;
    FixedSeedRandom random{1};
    CRestartableView view{random};

    Game() {
        system.Install();
        view.SetAssetDirectory(MORVANE_ASSET_DIR);
        if (!view.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 0, 320, 240, nullptr,
                           AFX_IDW_PANE_FIRST)) {
            std::fprintf(stderr, "the game could not start from %s\n", MORVANE_ASSET_DIR);
            std::abort();
        }
        system.Paint();
    }
    ~Game() { view.DestroyWindow(); }

    // The clock reads 0 again and the view is as just started.
    void Restart() {
        // What the desktop recorded of the last input (ticks, announcements) goes too, or a
        // run of hours would keep all of it.
        if (HeadlessPeer* pPeer = system.PeerOf(view))
            pPeer->ResetCounters();
        system.SetClockStart(static_cast<DWORD>(0 - system.Elapsed()));
        random = FixedSeedRandom(1);
        view.Restart(random);
    }
};

// One step. 0x00-0x7F move the clock on (10 ms to 640 ms, then 1 s to 64 s, never past the
// input's budget of play time: a long step would otherwise draw a minute of ticks), 0x80-0x9F
// press the letter on screen, 0xA0-0xBF a wrong letter, 0xC0-0xFF another key, some held.
std::uint64_t Step(HeadlessSystem& system, CGameView& view, std::uint8_t b, std::uint64_t nBudgetMs) {
    if (b < 0x80) {
        const std::uint64_t ms =
            std::min<std::uint64_t>(b < 0x40 ? (b + 1u) * 10u : (b - 0x3Fu) * 1000u, nBudgetMs);
        system.Advance(ms);
        return ms;
    }
    const UINT nRight = KEY_FIRST_LETTER + static_cast<UINT>(view.Snapshot().m_nLetter);
    if (b < 0xA0)
        system.PressKey(view, nRight);
    else if (b < 0xC0)
        system.PressKey(view, KEY_FIRST_LETTER + (nRight - KEY_FIRST_LETTER + 1 + b % 25) % LETTER_COUNT);
    else
        system.PressKey(view, OTHER_KEYS[b % 8], 0, b >= 0xF0 ? 1 + b % 4 : 1);
    return 0;
}

void Play(Game& game, const std::uint8_t* data, std::size_t size) {
    std::uint64_t nVirtualMs = 0;
    for (std::size_t i = 0; i < size && i < MAX_STEPS && nVirtualMs < MAX_VIRTUAL_MS; ++i) {
        nVirtualMs += Step(game.system, game.view, data[i], MAX_VIRTUAL_MS - nVirtualMs);
        if (const std::string broken = testkit::BrokenInvariant(game.view, game.system); !broken.empty()) {
            std::fprintf(stderr, "step %zu (byte 0x%02x): %s\n", i, data[i], broken.c_str());
            std::abort();
        }
    }
    game.system.Paint(); // the screen as the last step left it
}

// A restarted view must be indistinguishable from a new one: same state, same timers, same
// screen, and the same game when both are played alike. Anything the restart misses (a new
// member of the view, say) stops the run here instead of making the fuzzer's games drift.
void CheckRestart(Game& game) {
    // Title, a game with right and wrong keys, the quit prompt, and on to a lost game.
    const std::uint8_t played[] = {0x45, 0xC0, 0x44, 0x80, 0xA3, 0x10, 0x81, 0xC1, 0xC3, 0xA0,
                                   0xA1, 0xA2, 0xA4, 0xA5, 0xA6, 0x47, 0x50, 0x45, 0xC0, 0x42};
    Play(game, played, sizeof played);
    game.Restart();
    struct State {
        GameSnapshot snapshot;
        std::vector<UINT_PTR> timers;
        Surface screen;
        bool operator==(const State& o) const {
            return snapshot == o.snapshot && timers == o.timers && screen.Pitch() == o.screen.Pitch() &&
                   screen.Height() == o.screen.Height() &&
                   std::memcmp(screen.Bits(), o.screen.Bits(),
                               static_cast<std::size_t>(screen.Pitch()) * screen.Height()) == 0;
        }
    };
    const auto state = [](Game& g) {
        return State{g.view.Snapshot(), g.system.RunningTimers(g.view), g.view.BackBuffer()};
    };
    // The new game's desktop is the installed one while it lives (the clock the view reads).
    auto fresh = std::make_unique<Game>();
    const State freshStart = state(*fresh);
    Play(*fresh, played, sizeof played);
    const State freshPlayed = state(*fresh);
    fresh.reset();
    game.system.Install();
    const bool bSameStart = state(game) == freshStart;
    Play(game, played, sizeof played);
    if (!bSameStart || !(state(game) == freshPlayed)) {
        std::fprintf(stderr, "a restarted game is not the same as a new one: the fuzz target's restart "
                             "misses part of the view's state\n");
        std::abort();
    }
    game.Restart();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Game* const pGame = [] {
        auto* p = new Game;
        CheckRestart(*p);
        return p;
    }();
    Play(*pGame, data, size);
    pGame->Restart();
    return 0;
}
