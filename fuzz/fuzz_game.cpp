// libFuzzer entry: a whole game on the headless desktop, driven by key presses and clock
// advances that the fuzzer chooses, one byte a step. After every step the game's
// invariants must hold; a broken one is reported and stops the run like a crash.
#include "game/game_view.h"
#include "platform/afxres.h"
#include "platform/headless/headless_system.h"
#include "testkit/game_invariants.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// A run ends after this much play time, so that every input stays quick to replay.
constexpr std::uint64_t MAX_VIRTUAL_MS = 120 * 1000; // a whole game and the next logo

// Keys beside the letters: the title's, the quit prompt's, and some the game ignores.
constexpr UINT OTHER_KEYS[] = {KEY_START, VK_ESCAPE, KEY_YES, KEY_NO, KEY_QUIT, VK_SPACE, VK_RETURN, '1'};

// One step. 0x00-0x7F move the clock on (10 ms to 640 ms, then 1 s to 64 s), 0x80-0x9F
// press the letter on screen, 0xA0-0xBF a wrong letter, 0xC0-0xFF another key, some held.
std::uint64_t Step(HeadlessSystem& system, CGameView& view, std::uint8_t b) {
    if (b < 0x40) {
        system.Advance((b + 1u) * 10u);
        return (b + 1u) * 10u;
    }
    if (b < 0x80) {
        system.Advance((b - 0x3Fu) * 1000u);
        return (b - 0x3Fu) * 1000u;
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    HeadlessSystem system;
    system.Install();
    FixedSeedRandom random(1);
    CGameView view(random);
    view.SetAssetDirectory(MORVANE_ASSET_DIR);
    if (!view.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 0, 320, 240, nullptr, AFX_IDW_PANE_FIRST)) {
        std::fprintf(stderr, "the game could not start from %s\n", MORVANE_ASSET_DIR);
        std::abort();
    }
    std::uint64_t nVirtualMs = 0;
    for (std::size_t i = 0; i < size && nVirtualMs < MAX_VIRTUAL_MS; ++i) {
        nVirtualMs += Step(system, view, data[i]);
        if (const std::string broken = testkit::BrokenInvariant(view, system); !broken.empty()) {
            std::fprintf(stderr, "step %zu (byte 0x%02x): %s\n", i, data[i], broken.c_str());
            std::abort();
        }
    }
    system.Paint(); // the screen as the last step left it
    view.DestroyWindow();
    return 0;
}
