// The game on the headless desktop: the view made from the synthetic pictures, read through
// its snapshot, with helpers that run it tick by tick to any stage.
#pragma once

#include "game/game_view.h"
#include "platform/afxres.h"
#include "platform/clock.h"
#include "platform/headless/headless_system.h"
#include "testkit/game_assets.h"
#include "testkit/game_view_access.h"
#include "testkit/surface_pixel.h"

#include <memory>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

// How a test holds the view. `view->m_nPhase` and the view's other state names read a
// fresh snapshot (so they cannot be written: GameViewTestAccess makes the few changes tests
// need); `view->SetFocus()` and the other window services below go to the window; `*view`
// is the window itself.
class ViewHandle {
public:
    class Reading : public GameSnapshot {
    public:
        explicit Reading(CGameView& wnd)
            : GameSnapshot(wnd.Snapshot()), m_back(wnd.BackBuffer()), m_wnd(wnd) {}
        const Reading* operator->() const { return this; }

        const Surface& m_back;

        CWnd* SetFocus() const { return m_wnd.SetFocus(); }
        UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, std::nullptr_t) const {
            return m_wnd.SetTimer(nIDEvent, nElapse, nullptr);
        }
        BOOL DestroyWindow() const { return m_wnd.DestroyWindow(); }
        DWORD GetStyle() const { return m_wnd.GetStyle(); }
        DWORD GetExStyle() const { return m_wnd.GetExStyle(); }
        const CREATESTRUCT& GetCreateStruct() const { return m_wnd.GetCreateStruct(); }
        const std::vector<AssetFailure>& GetLoadFailures() const { return m_wnd.GetLoadFailures(); }

    private:
        CGameView& m_wnd;
    };

    Reading operator->() const { return Reading(*m_pView); }
    CGameView& operator*() const { return *m_pView; }
    void reset(std::unique_ptr<CGameView> pView = nullptr) { m_pView = std::move(pView); }

private:
    std::unique_ptr<CGameView> m_pView;
};

// A snapshot in a failure message: every field by name.
inline void PrintTo(const GameSnapshot& s, std::ostream* os) {
    *os << "phase " << s.m_nPhase << ", tick " << s.m_nTick << ", letter " << int{s.m_nLetter} << " shown at "
        << s.m_dwShownAt << ", gauge " << s.m_nGauge << ", playing " << s.m_bPlaying << ", paused "
        << s.m_bPaused << ", time left " << s.m_dwTimeLeft << ", rank " << s.m_nRank << ", hits "
        << LowDigitsValue(s.m_hitDigits) << ", misses " << LowDigitsValue(s.m_missDigits) << ", mark "
        << s.m_nMark;
}

class GameTest : public ::testing::Test {
protected:
    GameTest() {
        system.Install();
        testkit::WriteGameAssets(dir.Path());
    }

    // Makes the view as the shell does: a visible child, 320 x 240, with a border asked for.
    bool CreateView() {
        view.reset(std::make_unique<CGameView>(random));
        (*view).SetAssetDirectory(dir.Path().string());
        return (*view).CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 320, 240, nullptr,
                                AFX_IDW_PANE_FIRST);
    }
    void CreateViewOrFail() { ASSERT_TRUE(CreateView()); }

    std::filesystem::path File(const std::string& name) const { return dir.Path() / name; }
    HeadlessPeer& Peer() { return *system.PeerOf(*view); }
    GameViewTestAccess Access() { return GameViewTestAccess(*view); }
    int Invalidations() { return Peer().InvalidateCount(); }
    std::uint32_t Back(int x, int y) const { return testkit::Packed(testkit::At(view->m_back, x, y)); }
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
    ViewHandle view;
};

constexpr std::uint32_t FRAME = testkit::Packed(testkit::FRAME_COLOUR);
constexpr std::uint32_t LOGO = testkit::Packed(testkit::LOGO_COLOUR);
constexpr std::uint32_t TITLE = testkit::Packed(testkit::TITLE_COLOUR);
inline std::uint32_t Sheet(const char* name) {
    return testkit::Packed(testkit::SheetColour(name));
}
