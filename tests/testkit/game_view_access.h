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
