// The soak run: a thousand whole games in a row on the headless desktop, with random keys,
// reaction times, pauses and quits, some games lost on the gauge and some played to the
// result. The game's invariants are checked after every key and every 10 ms of the clock.
//   soak_game [games] [seed]
#include "game/game_view.h"
#include "platform/afxres.h"
#include "platform/headless/headless_system.h"
#include "testkit/game_invariants.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>

namespace {

class Soak {
public:
    explicit Soak(unsigned int nSeed) : m_letters(nSeed), m_view(m_letters), m_rng(nSeed) {
        m_system.Install();
        m_view.SetAssetDirectory(MORVANE_ASSET_DIR);
        if (!m_view.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 0, 320, 240, nullptr,
                             AFX_IDW_PANE_FIRST))
            throw std::runtime_error(std::string("the game could not start from ") + MORVANE_ASSET_DIR);
    }
    ~Soak() { m_view.DestroyWindow(); }

    // One game from wherever the last one left the screen to the next title. Returns how
    // it ended: 'R' played to the result, 'L' lost on the gauge, 'Q' quit at the prompt.
    char PlayOne() {
        WaitFor([&] { return Now().m_nPhase == PHASE_TITLE; });
        for (int n = Uniform(0, 2); n > 0; --n)
            Press(Uniform(0, 1) ? VK_SPACE : 'A' + Uniform(0, 25)); // ignored on the title
        Press(KEY_START);
        WaitFor([&] { return Now().m_nPhase == PHASE_START; });

        // A player: how often right and how quick. Some are good enough to last the minute.
        const bool bSkilled = Uniform(0, 1) == 0;
        const int nRightPercent = bSkilled ? 96 : 35;
        const int nSlowest = bSkilled ? 700 : 2500;
        while (InPlay()) {
            if (Now().m_bPaused) {
                Advance(Uniform(0, 3000));
                Press(Uniform(0, 99) < 15 ? KEY_YES : KEY_NO);
            } else if (Uniform(0, 999) < 5) {
                Press(VK_ESCAPE);
            } else {
                Advance(Uniform(50, nSlowest));
                if (Now().m_bPlaying) {
                    const UINT nRight = KEY_FIRST_LETTER + static_cast<UINT>(Now().m_nLetter);
                    Press(Uniform(0, 99) < nRightPercent
                              ? nRight
                              : KEY_FIRST_LETTER + (nRight - 'A' + Uniform(1, 25)) % 26);
                }
            }
        }
        const int nPhase = Now().m_nPhase;
        return nPhase == PHASE_RESULT ? 'R' : nPhase == PHASE_LOGO ? 'Q' : 'L';
    }

    std::uint64_t Steps() const { return m_nSteps; }
    std::uint64_t VirtualMs() const { return m_system.Elapsed(); }

private:
    GameSnapshot Now() const { return m_view.Snapshot(); }
    int Uniform(int a, int b) { return std::uniform_int_distribution<int>(a, b)(m_rng); }
    bool InPlay() const {
        const GameSnapshot s = Now();
        return (s.m_nPhase == PHASE_START || s.m_nPhase == PHASE_PLAY) && (s.m_bPlaying || s.m_bPaused);
    }

    void Check() {
        ++m_nSteps;
        if (const std::string broken = testkit::BrokenInvariant(m_view, m_system); !broken.empty())
            throw std::runtime_error("after " + std::to_string(m_system.Elapsed()) + " ms: " + broken);
    }
    void Press(UINT nKey) {
        m_system.PressKey(m_view, nKey);
        Check();
    }
    void Advance(int ms) {
        for (; ms > 0; ms -= 10) {
            m_system.Advance(std::min(ms, 10));
            Check();
        }
    }
    template <typename Pred> void WaitFor(Pred done) {
        // No stage of the cycle lasts longer than the result screen and the restart.
        for (int ms = 0; !done(); ms += 10) {
            if (ms > 120000)
                throw std::runtime_error("the game stopped moving on");
            Advance(10);
        }
    }

    HeadlessSystem m_system;
    FixedSeedRandom m_letters;
    CGameView m_view;
    std::mt19937 m_rng;
    std::uint64_t m_nSteps = 0;
};

} // namespace

int main(int argc, char** argv) {
    const int nGames = argc > 1 ? std::atoi(argv[1]) : 1000;
    const unsigned int nSeed =
        argc > 2 ? static_cast<unsigned int>(std::strtoul(argv[2], nullptr, 10)) : 20261208;
    if (nGames <= 0) {
        std::fprintf(stderr, "usage: soak_game [games > 0] [seed]\n");
        return 2;
    }
    try {
        Soak soak(nSeed);
        int nResult = 0, nLost = 0, nQuit = 0;
        for (int i = 0; i < nGames; ++i) {
            const char chEnd = soak.PlayOne();
            nResult += chEnd == 'R';
            nLost += chEnd == 'L';
            nQuit += chEnd == 'Q';
        }
        std::printf(
            "soak: %d games (%d to the result, %d lost on the gauge, %d quit), %llu checks, %llu s of play\n",
            nGames, nResult, nLost, nQuit, static_cast<unsigned long long>(soak.Steps()),
            static_cast<unsigned long long>(soak.VirtualMs() / 1000));
        // A run that never reached one of the endings has not tested it.
        if (nGames >= 10 && (nResult == 0 || nLost == 0 || nQuit == 0)) {
            std::fprintf(stderr, "soak: some way a game can end was never reached\n");
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "soak (seed %u): %s\n", nSeed, e.what());
        return 1;
    }
    return 0;
}
