// libFuzzer entry: a game on the headless desktop, driven by key presses and clock advances
// that the fuzzer chooses: the first byte picks where the game begins, each further byte is
// a step. After every step the game's invariants must
// hold; a broken one is reported and stops the run like a crash.
//
// Each input is a bounded game: at most MAX_STEPS steps and MAX_VIRTUAL_MS of play time, so
// that the fuzzer runs about a thousand inputs a second. The pictures are read once: one view
// lives for the whole run and is put back to one of three starts before every input (each
// checked against a freshly started view played to it when the run begins). Whole games to
// the result and back are the soak run's work (soak_game).
#include "game/game_view.h"
#include "platform/afxres.h"
#include "platform/clock.h"
#include "platform/headless/headless_system.h"
#include "testkit/game_invariants.h"
#include "testkit/game_view_access.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t MAX_STEPS = 256;
// From the logo, the logo and the intro take about 11 s of animation, redrawn every 33 ms;
// 15 s leaves a few seconds of play. From the intro's end it is a quarter of a game: enough
// to lose on the gauge or to quit at the prompt, not a whole minute.
constexpr std::uint64_t MAX_VIRTUAL_MS = 15 * 1000;

// Keys beside the letters: the title's, the quit prompt's, and some the game ignores.
constexpr UINT OTHER_KEYS[] = {KEY_START, VK_ESCAPE, KEY_YES, KEY_NO, KEY_QUIT, VK_SPACE, VK_RETURN, '1'};

// Where an input's game begins, chosen by its first byte: the logo (as the program starts),
// the title waiting for START, or the last tick of the intro (play begins on the next one).
// Starting later spends the input's steps and play time on what follows instead of redrawing
// the same ten seconds of logo and intro every time.
enum class Start : std::uint8_t { Logo, Title, Play };
constexpr std::size_t STARTS = 3;

// The view's state at a start: its fields, its screen, its generator, the clock and the one
// timer that runs. It is taken just after that timer ticked (or was started), so the timer is
// due one period later, as it is again after a restore.
struct Checkpoint {
    GameSnapshot state{};
    Surface back;
    FixedSeedRandom random{1};
    DWORD dwClock = 0;
    std::vector<std::pair<UINT_PTR, UINT>> timers;
};

// The desktop, the letters and the view of one run.
struct Game {
    HeadlessSystem system;
    FixedSeedRandom random{1};
    CGameView view{random};

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

    DWORD Clock() const { return static_cast<DWORD>(timeGetTime()); }

    // Plays on from here to the given start, by the game's own ticks and keys.
    void Reach(Start start) {
        if (start == Start::Logo)
            return;
        while (view.Snapshot().m_nPhase == PHASE_LOGO && system.DeliverNextTick()) {
        }
        if (start == Start::Title)
            return;
        system.PressKey(view, KEY_START);
        while (!(view.Snapshot().m_nPhase == PHASE_INTRO && view.Snapshot().m_nTick > INTRO_CAPTION_LAST) &&
               system.DeliverNextTick()) {
        }
    }

    Checkpoint Take() {
        Checkpoint at{view.Snapshot(), view.BackBuffer(), random, Clock(), {}};
        for (UINT_PTR id : system.RunningTimers(view))
            at.timers.emplace_back(id, system.TimerPeriod(view, id));
        if (at.timers.size() > 1) {
            std::fprintf(stderr, "a start is taken where %zu timers run: their order would be lost\n",
                         at.timers.size());
            std::abort();
        }
        return at;
    }

    // The clock reads as it did then and the view is as it was.
    void Restore(const Checkpoint& at) {
        system.SetClockStart(static_cast<DWORD>(at.dwClock - system.Elapsed()));
        random = at.random;
        for (UINT_PTR id = TIMER_LOGO; id <= TIMER_RESULT; ++id)
            view.KillTimer(id);
        GameViewTestAccess(view).Restore(at.state, at.back);
        for (const auto& [id, nPeriod] : at.timers)
            view.SetTimer(id, nPeriod, nullptr);
        view.Invalidate(FALSE); // the restored screen is shown on the next paint
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

// A restored view must be indistinguishable from a new one played to the same start: same
// state, same timers, same screen, and the same game when both are played on alike. Anything
// the restore misses (a new member of the view, say) stops the run here instead of making the
// fuzzer's games drift.
void CheckStarts(Game& game, const std::array<Checkpoint, STARTS>& starts) {
    // A game with right and wrong keys, the quit prompt, and on to a lost game.
    const std::uint8_t played[] = {0x45, 0xC0, 0x44, 0x80, 0xA3, 0x10, 0x81, 0xC1, 0xC3, 0xA0,
                                   0xA1, 0xA2, 0xA4, 0xA5, 0xA6, 0x47, 0x50, 0x45, 0xC0, 0x42};
    struct State {
        GameSnapshot snapshot;
        std::vector<UINT_PTR> timers;
        Surface screen;
        DWORD dwClock;
        bool operator==(const State& o) const {
            return snapshot == o.snapshot && timers == o.timers && dwClock == o.dwClock &&
                   screen.Pitch() == o.screen.Pitch() && screen.Height() == o.screen.Height() &&
                   std::memcmp(screen.Bits(), o.screen.Bits(),
                               static_cast<std::size_t>(screen.Pitch()) * screen.Height()) == 0;
        }
    };
    const auto state = [](Game& g) {
        return State{g.view.Snapshot(), g.system.RunningTimers(g.view), g.view.BackBuffer(), g.Clock()};
    };
    for (std::size_t k = 0; k < STARTS; ++k) {
        Play(game, played, sizeof played); // whatever the last input left
        // The new game's desktop is the installed one while it lives (the clock the view reads).
        auto fresh = std::make_unique<Game>();
        fresh->Reach(static_cast<Start>(k));
        const State freshStart = state(*fresh);
        Play(*fresh, played, sizeof played);
        const State freshPlayed = state(*fresh);
        fresh.reset();
        game.system.Install();
        game.Restore(starts[k]);
        const bool bSameStart = state(game) == freshStart;
        Play(game, played, sizeof played);
        if (!bSameStart || !(state(game) == freshPlayed)) {
            std::fprintf(stderr,
                         "start %zu: a restored game is not the same as a new one: the fuzz target's "
                         "restore misses part of the view's state\n",
                         k);
            std::abort();
        }
    }
}

// The run's one game and its starts, taken by playing a new game on to each of them.
struct Run {
    Game game;
    std::array<Checkpoint, STARTS> starts;

    Run() {
        for (std::size_t k = 0; k < STARTS; ++k) {
            game.Reach(static_cast<Start>(k));
            starts[k] = game.Take();
        }
        CheckStarts(game, starts);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Run* const pRun = new Run;
    if (size == 0)
        return 0;
    Game& game = pRun->game;
    game.Restore(pRun->starts[data[0] % STARTS]);
    Play(game, data + 1, size - 1);
    // What the desktop recorded of this input (ticks, announcements) goes with it, or a run of
    // hours would keep all of it, and the fuzzer would take what it keeps for a leak and check
    // the input again with the leak checker.
    if (HeadlessPeer* pPeer = game.system.PeerOf(game.view))
        pPeer->ResetCounters();
    return 0;
}
