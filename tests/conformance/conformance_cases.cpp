// The behaviour every backend shares, written once. Sizes and places are read from the
// backend's native side in device pixels; input goes in through its native path.
#include "conformance_cases.h"
#include "known_differences.h"

#include "app/mainfrm.h"
#include "app/resource.h"
#include "game/game_constants.h"
#include "platform/message_loop.h"
#include "platform/resources.h"
#include "platform/winapp.h"

#include <chrono>
#include <initializer_list>
#include <iostream>
#include <ostream>

#include <gtest/gtest-spi.h>

namespace conformance {

void PrintTo(const MenuEntry& entry, std::ostream* pOut) {
    *pOut << '{' << entry.nLevel << " \"" << entry.strText << "\" " << entry.nID << '}';
}

namespace {

constexpr unsigned WAIT_MS = 30000; // the logo alone takes 3.5 s; a loaded machine is slower

int Twice(long a, long b) {
    return static_cast<int>(a + b);
}

} // namespace

// Each window's client area as the desktop shows it, in device pixels.
void ExpectClientAreas(Driver& driver, std::initializer_list<const CWnd*> windows, int cx, int cy) {
    for (const CWnd* pWnd : windows) {
        const Size size = driver.ClientSize(*pWnd);
        EXPECT_EQ(size.cx, cx);
        EXPECT_EQ(size.cy, cy);
    }
}

std::string BackendLabel(const ::testing::TestParamInfo<Backend>& info) {
    return info.param.pszName;
}

Conformance::Conformance() : m_oldDir(std::filesystem::current_path()) {
    testkit::WriteGameAssets(dir.Path());
    std::filesystem::current_path(dir.Path()); // the program reads the current folder
    driver = GetParam().make();
}

Conformance::~Conformance() {
    driver->StopCalling();
    if (app.m_pMainWnd)
        app.m_pMainWnd->DestroyWindow();
    driver->PumpWaiting(); // what the windows' end left behind must not reach the next case
    std::filesystem::current_path(m_oldDir);
}

void Conformance::Check(const std::function<void()>& body) {
    std::string strCase = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    strCase = strCase.substr(0, strCase.find('/'));
    const KnownDifference* pKnown = FindKnownDifference(BackendName(), strCase);
    if (!pKnown) {
        body();
        return;
    }
    ::testing::TestPartResultArray results;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        body();
    }
    int nFailed = 0;
    std::string strFirst;
    for (int i = 0; i < results.size(); ++i) {
        if (results.GetTestPartResult(i).failed() && nFailed++ == 0)
            strFirst = results.GetTestPartResult(i).summary();
    }
    if (nFailed == 0) {
        ADD_FAILURE() << "passes now on " << BackendName() << ": take \"" << pKnown->pszWhy
                      << "\" out of the known differences";
        return;
    }
    std::cout << "[ KNOWN    ] " << BackendName() << ": " << pKnown->pszWhy << " (" << nFailed
              << " check(s) failed as expected, the first: " << strFirst << ")\n";
}

CMainFrame* Conformance::Frame() const {
    return static_cast<CMainFrame*>(app.m_pMainWnd);
}

CGameView& Conformance::View() const {
    return Frame()->m_wndView;
}

GameSnapshot Conformance::Game() const {
    return View().Snapshot();
}

bool Conformance::Start() {
    return app.InitApplication() && app.InitInstance();
}

bool Conformance::ToTitle() {
    return driver->PumpUntil([&] { return Game().m_nPhase == PHASE_TITLE; }, WAIT_MS);
}

int Conformance::RunProgram(const std::function<bool()>& act) {
    return AfxWinMain([&] { return act() ? driver->RunLoop() : 90; });
}

void Conformance::ExpectEndsWithStatusZero(const std::function<bool()>& act) {
    EXPECT_EQ(RunProgram(act), 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

bool Conformance::WithAboutBox(const std::function<bool(const NativeDialog&)>& done) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(WAIT_MS);
    bool bDone = false;
    bool bPressed = false;
    driver->CallEvery(20, [&] {
        if (bPressed)
            return;
        const std::optional<NativeDialog> dialog = driver->OpenDialog();
        if (!dialog)
            return;
        bDone = done(*dialog);
        if (bDone || Clock::now() > deadline) {
            bPressed = true;
            driver->PressDialogOk();
        }
    });
    driver->ChooseMenuItem(*Frame(), ID_APP_ABOUT);
    driver->PumpUntil([&] { return bPressed && !driver->OpenDialog(); }, WAIT_MS);
    driver->StopCalling();
    return bDone;
}

TEST_P(Conformance, ClientAreaIs320x240AtFactorOne) {
    Check([&] {
        ASSERT_TRUE(Start());
        ExpectClientAreas(*driver, {Frame(), &View()}, 320, 240);
    });
}

TEST_P(Conformance, ClientAreaIs640x480AtScaleTwo) {
    if (!driver->SetScale(2))
        GTEST_SKIP() << BackendName() << " takes its factor at start-up: its scale-2 run has this case";
    Check([&] {
        ASSERT_TRUE(Start());
        ExpectClientAreas(*driver, {Frame(), &View()}, 640, 480);
        RECT rc{};
        View().GetClientRect(&rc); // the program itself still sees its 320 x 240
        EXPECT_EQ(rc.right - rc.left, 320);
        EXPECT_EQ(rc.bottom - rc.top, 240);
    });
}

TEST_P(Conformance, FrameIsCentredInTheWorkArea) {
    Check([&] {
        ASSERT_TRUE(Start());
        const RECT rc = driver->WindowRect(*Frame());
        const RECT work = driver->WorkArea();
        // Twice the centres, so that an odd pixel left over is the only leeway.
        EXPECT_NEAR(Twice(rc.left, rc.right), Twice(work.left, work.right), 1);
        EXPECT_NEAR(Twice(rc.top, rc.bottom), Twice(work.top, work.bottom), 1);
    });
}

TEST_P(Conformance, MenuBarShowsTheResourceTextsAndIds) {
    Check([&] {
        ASSERT_TRUE(Start());
        std::vector<MenuEntry> expected;
        for (const MenuPopup& popup : AfxFindMenu(IDR_MAINFRAME)->popups) {
            expected.push_back({popup.pszText, 0, 0});
            for (const MenuItem& item : popup.items)
                expected.push_back({item.pszText, item.nID, 1});
        }
        EXPECT_EQ(driver->MenuBar(*Frame()), expected);
    });
}

TEST_P(Conformance, NoAcceleratorReachesTheViewAsALetter) {
    Check([&] {
        ASSERT_TRUE(Start());
        ASSERT_TRUE(ToTitle());
        driver->PressKey(View(), 'F', 0);
        ASSERT_TRUE(driver->PumpUntil([&] { return Game().m_bPlaying != FALSE; }, WAIT_MS));
        const GameSnapshot before = Game();
        for (const ACCEL& accel : AfxFindAccelTable(IDR_MAINFRAME)->entries) {
            SCOPED_TRACE(testing::Message() << "key " << accel.key << " flags " << int{accel.fVirt});
            app.commands.clear();
            DWORD modifiers = 0;
            if (accel.fVirt & FSHIFT)
                modifiers |= MOD_SHIFT_DOWN;
            if (accel.fVirt & FCONTROL)
                modifiers |= MOD_CONTROL_DOWN;
            if (accel.fVirt & FALT)
                modifiers |= MOD_ALT_DOWN;
            driver->PressKey(View(), accel.key, modifiers);
            EXPECT_EQ(app.commands, std::vector<UINT>{accel.cmd});
        }
        const GameSnapshot after = Game();
        EXPECT_EQ(after.m_hitDigits, before.m_hitDigits);
        EXPECT_EQ(after.m_missDigits, before.m_missDigits);
        EXPECT_EQ(after.m_nLetter, before.m_nLetter);
    });
}

TEST_P(Conformance, AboutBoxIsModal) {
    Check([&] {
        ASSERT_TRUE(Start());
        bool bModal = false;
        EXPECT_TRUE(WithAboutBox([&](const NativeDialog& dialog) {
            bModal = dialog.bVisible && dialog.bOwnerBlocked;
            return true;
        }));
        EXPECT_TRUE(bModal);
    });
}

TEST_P(Conformance, AboutBoxIsCentredOverTheFrame) {
    Check([&] {
        ASSERT_TRUE(Start());
        RECT rcDialog{};
        EXPECT_TRUE(WithAboutBox([&](const NativeDialog& dialog) {
            rcDialog = dialog.rcWindow;
            return true;
        }));
        const RECT rcFrame = driver->WindowRect(*Frame());
        EXPECT_NEAR(Twice(rcDialog.left, rcDialog.right), Twice(rcFrame.left, rcFrame.right), 1);
        EXPECT_NEAR(Twice(rcDialog.top, rcDialog.bottom), Twice(rcFrame.top, rcFrame.bottom), 1);
    });
}

TEST_P(Conformance, ViewKeepsTickingAndPaintingBehindTheAboutBox) {
    Check([&] {
        ASSERT_TRUE(Start());
        driver->CountPaints(View());
        int nDelivered = 0; // every tick the view gets, however the desktop's loop runs
        AfxSetTickObserver([&](const CWnd& wnd, UINT_PTR) { nDelivered += &wnd == &View() ? 1 : 0; });
        int nTicks = -1;
        int nPaints = -1;
        EXPECT_TRUE(WithAboutBox([&](const NativeDialog&) {
            if (nTicks < 0) {
                nTicks = nDelivered;
                nPaints = driver->Paints();
                return false;
            }
            return nDelivered >= nTicks + 10 && driver->Paints() > nPaints;
        }));
        AfxSetTickObserver(nullptr);
    });
}

TEST_P(Conformance, ClosingTheFrameUnderTheAboutBoxEndsWithStatusZero) {
    Check([&] {
        bool bSent = false;
        const int nStatus = RunProgram([&] {
            driver->CallEvery(20, [&] {
                if (!bSent && driver->OpenDialog()) {
                    bSent = true;
                    driver->SendClose(*Frame());
                }
            });
            driver->ChooseMenuItem(*Frame(), ID_APP_ABOUT);
            return true;
        });
        driver->StopCalling();
        EXPECT_TRUE(bSent);
        EXPECT_EQ(nStatus, 0);
        EXPECT_EQ(app.m_pMainWnd, nullptr);
    });
}

TEST_P(Conformance, JOnTheTitleEndsWithStatusZero) {
    Check([&] {
        ExpectEndsWithStatusZero([&] {
            if (!ToTitle())
                return false;
            driver->PressKey(View(), 'J', 0); // the view closes the frame from its key handler
            return true;
        });
    });
}

TEST_P(Conformance, FileExitEndsWithStatusZero) {
    Check([&] {
        ExpectEndsWithStatusZero([&] {
            driver->ChooseMenuItem(*Frame(), ID_APP_EXIT);
            return true;
        });
    });
}

TEST_P(Conformance, CloseButtonEndsWithStatusZero) {
    Check([&] {
        ExpectEndsWithStatusZero([&] {
            driver->ClickCloseButton(*Frame());
            return true;
        });
    });
}

TEST_P(Conformance, AMissingPictureGivesNoWindowStatusOneAndALinePerPicture) {
    Check([&] {
        std::filesystem::remove(dir.Path() / "Q.bmp");
        std::filesystem::remove(dir.Path() / "sprite.bmp");
        const ProgramEnd end = driver->RunWithoutPictures(dir.Path());
        EXPECT_EQ(end.nStatus, 1);
        EXPECT_FALSE(end.bRanItsLoop);
        ASSERT_EQ(end.lines.size(), 3u);
        EXPECT_EQ(end.lines[0].rfind("morvane: no folder holds every picture; looked in ", 0), 0u)
            << end.lines[0];
        EXPECT_EQ(end.lines[1].rfind("morvane: sprite.bmp: ", 0), 0u) << end.lines[1];
        EXPECT_EQ(end.lines[2].rfind("morvane: Q.bmp: ", 0), 0u) << end.lines[2];
    });
}

namespace {
class CTickWnd : public CWnd {
public:
    int m_nTicks = 0;

protected:
    void OnTimer(UINT_PTR) override { ++m_nTicks; }
};
} // namespace

TEST_P(Conformance, ALateTimerDeliversOneTick) {
    Check([&] {
        constexpr UINT PERIOD = 40;
        CTickWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "ticks", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, 0));
        wnd.SetTimer(1, PERIOD, nullptr);
        EXPECT_TRUE(driver->PumpUntil([&] { return wnd.m_nTicks > 0; }, WAIT_MS));
        driver->PumpWaiting();
        wnd.m_nTicks = 0;
        driver->BlockLoop(PERIOD * 6); // six periods fall due while nothing is handled
        driver->PumpWaiting();
        EXPECT_EQ(wnd.m_nTicks, 1);
        wnd.DestroyWindow();
    });
}

} // namespace conformance
