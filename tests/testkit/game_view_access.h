// The one way tests and benchmarks reach inside the game view: the few changes of state
// that put it where play would take minutes to, the single drawing steps checked by
// themselves, and the pictures it holds. Everything else is read from its snapshot.
#pragma once

#include "game/game_view.h"

#include <array>

class GameViewTestAccess {
public:
    explicit GameViewTestAccess(CGameView& view) : m_view(view) {}

    void SetLetter(int nLetter) { m_view.m_nLetter = static_cast<std::int8_t>(nLetter); }
    void SetGauge(int nGauge) { m_view.m_nGauge = nGauge; }
    void SetTimeLeft(DWORD dwTimeLeft) { m_view.m_dwTimeLeft = dwTimeLeft; }
    void SetHitDigits(const DigitCounter& digits) { m_view.m_hitDigits = digits; }
    void SetMissDigits(const DigitCounter& digits) { m_view.m_missDigits = digits; }
    void SetRank(int nRank) { m_view.m_nRank = nRank; }
    // Puts back all that Snapshot() reads, and the screen (the game fuzzer's restarts).
    void Restore(const GameSnapshot& s, const Surface& back) {
        m_view.m_nLetter = s.m_nLetter;
        m_view.m_dwShownAt = s.m_dwShownAt;
        m_view.m_nGauge = s.m_nGauge;
        m_view.m_bPlaying = s.m_bPlaying;
        m_view.m_bPaused = s.m_bPaused;
        m_view.m_dwTimeLeft = s.m_dwTimeLeft;
        m_view.m_nRank = s.m_nRank;
        m_view.m_hitDigits = s.m_hitDigits;
        m_view.m_missDigits = s.m_missDigits;
        m_view.m_nMark = s.m_nMark;
        m_view.m_nPhase = s.m_nPhase;
        m_view.m_nTick = s.m_nTick;
        m_view.m_back.CopyFrom(back);
    }

    void DrawTimeBar() { m_view.DrawTimeBar(); }
    void DrawGauge(int nWidth) { m_view.DrawGauge(nWidth); }
    void DrawMissCount() { m_view.DrawMissCount(); }
    void DrawPlayScreen() { m_view.DrawPlayScreen(); }
    void DrawResults() { m_view.DrawResults(); }
    bool WipeRows(const Surface& source, int nStart) {
        return m_view.WipeRows(m_view.m_back, source, nStart);
    }

    // The back buffer to write into directly, and the logo to wipe from.
    Surface& Back() { return m_view.m_back; }
    const Surface& Logo() const { return m_view.m_logo; }
    // The back buffer and the five named pictures, which go with the window.
    std::array<const Surface*, 6> WindowPictures() const {
        return {&m_view.m_back,  &m_view.m_frame, &m_view.m_sprite,
                &m_view.m_title, &m_view.m_logo,  &m_view.m_font};
    }
    const std::array<LetterImage, LETTER_COUNT>& Letters() const { return m_view.m_letters; }

private:
    CGameView& m_view;
};
