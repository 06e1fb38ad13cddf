// The real shell and game on the headless desktop, started in a folder of synthetic
// pictures, with helpers that run the game to a given stage.
#pragma once

#include "app/drillapp.h"
#include "app/mainfrm.h"
#include "platform/headless/headless_system.h"
#include "testkit/game_assets.h"

#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

class ShellTest : public ::testing::Test {
public:
    ShellTest() : m_oldDir(std::filesystem::current_path()) {
        testkit::WriteGameAssets(dir.Path());
        std::filesystem::current_path(dir.Path()); // the program reads the current folder
        system->Install();
    }
    ~ShellTest() override {
        if (app.m_pMainWnd)
            app.m_pMainWnd->DestroyWindow();
        std::filesystem::current_path(m_oldDir);
    }

    // A fresh desktop for a test that starts the program more than once.
    void NewDesktop() {
        system = std::make_unique<HeadlessSystem>();
        system->Install();
    }

    CMainFrame* Frame() const { return static_cast<CMainFrame*>(app.m_pMainWnd); }
    CGameView& View() const { return Frame()->m_wndView; }
    bool Running(UINT_PTR id) const { return system->IsTimerRunning(View(), id); }

    // Delivers ticks until pred holds; false if the timers run out first.
    template <typename Pred> bool TickUntil(Pred pred, int nMaxTicks = 100000) {
        for (int i = 0; i < nMaxTicks; ++i) {
            if (pred())
                return true;
            if (!system->DeliverNextTick())
                return false;
        }
        return pred();
    }
    bool ToTitle() {
        return TickUntil([this] { return !Running(TIMER_LOGO); });
    }
    bool ToPlay() {
        if (!ToTitle())
            return false;
        system->PressKey(View(), 'F');
        return TickUntil([this] { return Running(TIMER_CLOCK); });
    }

    testkit::TempDir dir;
    std::unique_ptr<HeadlessSystem> system = std::make_unique<HeadlessSystem>();
    CDrillApp app;

private:
    std::filesystem::path m_oldDir;
};
