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

// The real view, with what a player reads off the screen made readable to the script.
class ScreenView : public CGameView {
public:
    using CGameView::CGameView;

    int Phase() const { return m_nPhase; }
    int Tick() const { return m_nTick; }
    bool IsPlaying() const { return m_bPlaying != FALSE; }
    bool IsPaused() const { return m_bPaused != FALSE; }
    int Gauge() const { return m_nGauge; }
    int Mark() const { return m_nMark; }
    int Rank() const { return m_nRank; }
    int Hits() const { return LowDigitsValue(m_hitDigits); }
    int Misses() const { return LowDigitsValue(m_missDigits); }
    // The key of the letter on screen, and one that is not it.
    UINT LetterKey() const { return static_cast<unsigned char>(m_letters[m_nLetter].m_chLetter); }
    UINT OtherKey() const { return LetterKey() == 'Z' ? 'A' : LetterKey() + 1; }
};

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

    ScreenView& View() { return *m_pView; }
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
    std::unique_ptr<ScreenView> m_pView;
};

// Throws ScriptError with the message unless the condition holds.
inline void Require(bool bCondition, const std::string& strWhat) {
    if (!bCondition)
        throw ScriptError(strWhat);
}
