// What must hold of the game after every key and every tick, whatever came before: the
// fuzzer and the soak test check it after each step they drive.
#pragma once

#include "game/game_view.h"
#include "platform/headless/headless_system.h"

#include <string>

namespace testkit {

// An empty string when every rule holds, otherwise the first rule broken and the state.
inline std::string BrokenInvariant(const CGameView& view, const HeadlessSystem& system) {
    const GameSnapshot s = view.Snapshot();
    const auto on = [&](UINT_PTR id) { return system.IsTimerRunning(view, id); };
    const int nAnimations = on(TIMER_LOGO) + on(TIMER_FRAME_WIPE) + on(TIMER_INTRO) + on(TIMER_TIME_UP) +
                            on(TIMER_RESULT) + on(TIMER_RESTART);
    const bool bDigitsOk = [&] {
        for (const DigitCounter* d : {&s.m_hitDigits, &s.m_missDigits})
            for (int n : *d)
                if (n < 0 || n > 9)
                    return false;
        return true;
    }();

    const char* pszBroken = nullptr;
    if (s.m_nGauge < 0 || s.m_nGauge > GAUGE_MAX)
        pszBroken = "gauge outside 0..128";
    else if (s.m_dwTimeLeft > PLAY_TIME || s.m_dwTimeLeft % CLOCK_STEP != 0)
        pszBroken = "time left above 60000 or not in steps of 100";
    else if (s.m_nMark != MARK_HIT && s.m_nMark != MARK_MISS && s.m_nMark != MARK_NONE)
        pszBroken = "no such mark";
    else if (s.m_nLetter < 0 || s.m_nLetter >= LETTER_COUNT)
        pszBroken = "letter outside A..Z";
    else if (s.m_nRank < 0 || s.m_nRank >= RANK_COUNT || !bDigitsOk)
        pszBroken = "rank or counter digit out of range";
    else if (s.m_bPlaying && s.m_bPaused)
        pszBroken = "playing and paused at once";
    else if (nAnimations > 1)
        pszBroken = "two animations at once";
    else if (on(TIMER_START_CAPTION) && s.m_nPhase != PHASE_START && s.m_nPhase != PHASE_LOGO)
        pszBroken = "start caption timer outside the start of play";
    else {
        switch (s.m_nPhase) {
        case PHASE_LOGO:
            if (!on(TIMER_LOGO) || s.m_bPlaying)
                pszBroken = "logo without its timer, or playing";
            break;
        case PHASE_TITLE:
            if (nAnimations != 0 || s.m_bPlaying)
                pszBroken = "title with an animation running, or playing";
            break;
        case PHASE_INTRO:
            if (!(on(TIMER_FRAME_WIPE) || on(TIMER_INTRO)) || s.m_bPlaying || s.m_bPaused)
                pszBroken = "intro without its timer, or playing or paused";
            break;
        case PHASE_START:
        case PHASE_PLAY:
            if ((s.m_bPlaying || s.m_bPaused) && (!on(TIMER_DRAIN) || !on(TIMER_CLOCK) || nAnimations != 0))
                pszBroken = "play without its drain and clock, or with an animation";
            else if (!s.m_bPlaying && !s.m_bPaused && !on(TIMER_RESTART))
                pszBroken = "game over without the restart timer";
            break;
        case PHASE_RESULT:
            if (nAnimations != 1 || on(TIMER_DRAIN) || on(TIMER_CLOCK) || s.m_bPaused ||
                bool(s.m_bPlaying) == on(TIMER_RESTART))
                pszBroken = "result timers or flags inconsistent";
            break;
        default:
            pszBroken = "no such phase";
        }
    }
    if (!pszBroken)
        return {};
    std::string text = pszBroken;
    text += " (phase " + std::to_string(s.m_nPhase) + ", tick " + std::to_string(s.m_nTick) + ", gauge " +
            std::to_string(s.m_nGauge) + ", time " + std::to_string(s.m_dwTimeLeft) + ", playing " +
            std::to_string(s.m_bPlaying) + ", paused " + std::to_string(s.m_bPaused) + ", timers";
    for (UINT_PTR id : system.RunningTimers(view))
        text += " " + std::to_string(id);
    return text + ")";
}

} // namespace testkit
