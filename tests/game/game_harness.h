// The game on the headless desktop: a view whose fields and steps a test can reach, made
// from the synthetic pictures, with helpers that run it tick by tick to any stage.
#pragma once

#include "game/game_view.h"
#include "platform/clock.h"
#include "platform/headless/headless_system.h"
#include "testkit/game_assets.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

class ViewUnderTest : public CGameView {
public:
    using CGameView::CGameView;
    using CGameView::m_back;
    using CGameView::m_bPaused;
    using CGameView::m_bPlaying;
    using CGameView::m_dwShownAt;
    using CGameView::m_dwTimeLeft;
    using CGameView::m_font;
    using CGameView::m_frame;
    using CGameView::m_hitDigits;
    using CGameView::m_letters;
    using CGameView::m_logo;
    using CGameView::m_missDigits;
    using CGameView::m_nGauge;
    using CGameView::m_nLetter;
    using CGameView::m_nMark;
    using CGameView::m_nPhase;
    using CGameView::m_nRank;
    using CGameView::m_nTick;
    using CGameView::m_sprite;
    using CGameView::m_title;

    using CGameView::DrawGauge;
    using CGameView::DrawMissCount;
    using CGameView::DrawPlayScreen;
    using CGameView::DrawResults;
    using CGameView::DrawTimeBar;
    using CGameView::WipeRows;
};

// 0xRRGGBB of a pixel of a surface.
inline std::uint32_t SurfacePixel(const Surface& s, int x, int y) {
    const std::uint8_t* p = s.PixelAt(x, y);
    return (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | std::uint32_t{p[0]};
}

class GameTest : public ::testing::Test {
protected:
    GameTest() {
        system.Install();
        testkit::WriteGameAssets(dir.Path());
    }

    // Makes the view as the shell does: a visible child, 320 x 240, with a border asked for.
    bool CreateView() {
        view = std::make_unique<ViewUnderTest>(random);
        view->SetAssetDirectory(dir.Path().string());
        return view->CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 320, 240, nullptr,
                              0xE900);
    }
    void CreateViewOrFail() { ASSERT_TRUE(CreateView()); }

    std::filesystem::path File(const std::string& name) const { return dir.Path() / name; }
    HeadlessPeer& Peer() { return *system.PeerOf(*view); }
    int Invalidations() { return Peer().InvalidateCount(); }
    std::uint32_t Back(int x, int y) const { return SurfacePixel(view->m_back, x, y); }
    bool Running(UINT_PTR id) const { return system.IsTimerRunning(*view, id); }

    // Delivers ticks of any timer, in time order, until n ticks of timer id have come.
    void RunTicks(UINT_PTR id, int n) {
        for (int nSeen = 0, nAll = 0; nSeen < n; ++nAll) {
            UINT_PTR next = 0;
            ASSERT_LT(nAll, 1000000) << "timer " << id << " never came back after " << nSeen;
            ASSERT_TRUE(system.DeliverNextTick(&next)) << "timer " << id << " stopped after " << nSeen;
            if (next == id)
                ++nSeen;
        }
    }
    // From creation to the title picture (the 107th logo tick).
    void RunToTitle() { RunTicks(TIMER_LOGO, 107); }
    // From creation to the first letter (F, 37 frame-wipe ticks, 189 intro ticks).
    void RunToPlay() {
        RunToTitle();
        system.PressKey(*view, 'F');
        RunTicks(TIMER_FRAME_WIPE, 37);
        RunTicks(TIMER_INTRO, 189);
    }
    // The key that matches the letter on screen, and one that does not.
    UINT RightKey() const { return 'A' + static_cast<UINT>(view->m_nLetter); }
    UINT WrongKey() const { return RightKey() == 'A' ? 'B' : 'A'; }

    testkit::TempDir dir;
    HeadlessSystem system;
    FixedSeedRandom random{20240611};
    std::unique_ptr<ViewUnderTest> view;
};

constexpr std::uint32_t FRAME = testkit::Packed(testkit::FRAME_COLOUR);
constexpr std::uint32_t LOGO = testkit::Packed(testkit::LOGO_COLOUR);
constexpr std::uint32_t TITLE = testkit::Packed(testkit::TITLE_COLOUR);
inline std::uint32_t Sheet(const char* name) {
    return testkit::Packed(testkit::SheetColour(name));
}
