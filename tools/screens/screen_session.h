// The game on the headless desktop, played by a script as a player would: time passes only
// when told, keys go in through the window layer, and what the window shows now can be
// saved as an enlarged PNG.
#pragma once

#include "game/game_view.h"
#include "platform/headless/headless_system.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

// A step of the script that did not go as the script expects.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ScreenSession {
public:
    // The view reads its pictures from strAssetDir; shots go to outDir at nScale times size.
    ScreenSession(std::string strAssetDir, std::filesystem::path outDir, unsigned int nSeed, int nScale);
    ~ScreenSession();
    ScreenSession(const ScreenSession&) = delete;
    ScreenSession& operator=(const ScreenSession&) = delete;

    // Makes the view as the main window does: a visible 320 x 240 child. Throws ScriptError
    // naming every picture that failed to load.
    void Start();

    GameSnapshot State() const { return m_pView->Snapshot(); }
    std::uint64_t Elapsed() const { return m_system.Elapsed(); }
    bool IsTimerRunning(UINT_PTR nIDEvent) const { return m_system.IsTimerRunning(*m_pView, nIDEvent); }

    // Lets ms milliseconds pass, with every timer tick on the way.
    void Wait(std::uint64_t ms) { m_system.Advance(ms); }
    // Lets time pass tick by tick until bDone holds; throws ScriptError (naming strWhat)
    // when it has not come after qwLimit ms or no timer is left to move things on.
    void WaitUntil(const std::function<bool()>& bDone, std::uint64_t qwLimit, const std::string& strWhat);
    void Press(UINT nVirtKey) { m_system.PressKey(*m_pView, nVirtKey); }

    // Saves what the window shows now as <strName>.png; the path written.
    std::filesystem::path Shoot(const std::string& strName);

private:
    HeadlessSystem m_system;
    FixedSeedRandom m_random;
    std::string m_strAssetDir;
    std::filesystem::path m_outDir;
    int m_nScale;
    std::unique_ptr<CGameView> m_pView;
};

// Throws ScriptError with the message unless the condition holds.
inline void Require(bool bCondition, const std::string& strWhat) {
    if (!bCondition)
        throw ScriptError(strWhat);
}
