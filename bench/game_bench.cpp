// The game's cost on the headless desktop: a whole game of 60 seconds of play with every
// timer tick and a key every 300 ms, and the composing of one play screen.
#include "game/game_view.h"
#include "platform/afxres.h"
#include "platform/headless/headless_system.h"
#include "testkit/game_assets.h"
#include "testkit/game_view_access.h"

#include <benchmark/benchmark.h>

namespace {

struct Desk {
    Desk() {
        testkit::WriteGameAssets(dir.Path());
        system.Install();
    }
    // A view on its title screen.
    std::unique_ptr<CGameView> TitleView() {
        auto view = std::make_unique<CGameView>(random);
        view->SetAssetDirectory(dir.Path().string());
        if (!view->CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 0, 320, 240, nullptr,
                            AFX_IDW_PANE_FIRST))
            return nullptr;
        view->SetFocus();
        system.Advance(107 * 33);
        return view;
    }
    testkit::TempDir dir;
    HeadlessSystem system;
    FixedSeedRandom random{1};
};

// From F on the title to the logo again: frame wipe, intro, 60 s of play with a key every
// 300 ms, the time-up banner and the result screen. range(0): paint after every message.
void BM_WholeGame(benchmark::State& state) {
    Desk desk;
    desk.system.SetAutoPaint(state.range(0) != 0);
    std::int64_t nKeys = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto view = desk.TitleView();
        if (!view) {
            state.SkipWithError("the synthetic pictures did not load");
            return;
        }
        state.ResumeTiming();
        desk.system.PressKey('F');
        while (view->Snapshot().m_nPhase != PHASE_LOGO) {
            desk.system.Advance(300);
            const GameSnapshot s = view->Snapshot();
            if (s.m_bPlaying && (s.m_nPhase == PHASE_START || s.m_nPhase == PHASE_PLAY)) {
                desk.system.PressKey('A' + static_cast<UINT>(s.m_nLetter));
                ++nKeys;
            }
        }
        state.PauseTiming();
        view.reset();
        state.ResumeTiming();
    }
    state.counters["keys/game"] = benchmark::Counter(static_cast<double>(nKeys) / state.iterations());
}
BENCHMARK(BM_WholeGame)->Arg(0)->Arg(1)->ArgName("paint")->Unit(benchmark::kMillisecond);

void BM_DrawPlayScreen(benchmark::State& state) {
    Desk desk;
    auto view = desk.TitleView();
    if (!view) {
        state.SkipWithError("the synthetic pictures did not load");
        return;
    }
    GameViewTestAccess access(*view);
    access.SetTimeLeft(60000);
    int nLetter = 0;
    for (auto _ : state) {
        access.SetLetter(nLetter++ % 26);
        access.DrawPlayScreen();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawPlayScreen)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
