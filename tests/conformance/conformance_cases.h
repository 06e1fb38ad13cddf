// The conformance suite: the real program started on one backend, with the game's pictures
// (or without them) in a folder of its own. A backend's test program instantiates it once,
// inside namespace conformance:
//   INSTANTIATE_CONFORMANCE(Headless, (Backend{"headless", &MakeDriver}));
#pragma once

#include "conformance_driver.h"

#include "app/drillapp.h"
#include "platform/afxres.h"
#include "platform/wnd.h"
#include "testkit/game_assets.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

class CMainFrame;
class CGameView;
struct GameSnapshot;

namespace conformance {

// The program's application, writing down every command that reaches it (the last stop of
// the routing, where the commands of unhandled accelerators end).
class RecordingApp : public CDrillApp {
public:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override {
        if (nCode == CN_COMMAND)
            commands.push_back(nID);
        return CDrillApp::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    std::vector<UINT> commands;
};

class Conformance : public ::testing::TestWithParam<Backend> {
protected:
    Conformance();
    ~Conformance() override;

    // Runs the case's checks; where the backend is known to differ they must fail, and the
    // log says why.
    void Check(const std::function<void()>& body);

    const char* BackendName() const { return GetParam().pszName; }
    CMainFrame* Frame() const;
    CGameView& View() const;
    GameSnapshot Game() const;
    // The start-up the program's entry does, without its message loop.
    bool Start();
    bool ToTitle();
    // The whole program: start-up, then act, then the message loop to its end; its status.
    int RunProgram(const std::function<bool()>& act);
    // RunProgram, and then the program must have ended as a close does: status 0, no main window.
    void ExpectEndsWithStatusZero(const std::function<bool()>& act);
    // Opens the about box from the menu and calls done every 20 ms while it is open, until
    // done says so or time runs out; then presses its OK. Whether done said so.
    bool WithAboutBox(const std::function<bool(const NativeDialog&)>& done);

    testkit::TempDir dir;
    std::unique_ptr<Driver> driver;
    RecordingApp app;

private:
    std::filesystem::path m_oldDir;
};

std::string BackendLabel(const ::testing::TestParamInfo<Backend>& info);

} // namespace conformance

#define INSTANTIATE_CONFORMANCE(prefix, backend)                                                             \
    INSTANTIATE_TEST_SUITE_P(prefix, Conformance, ::testing::Values(backend), ::conformance::BackendLabel)
