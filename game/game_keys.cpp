// CGameView's keys: F and J on the title, letters judged by reaction time during play,
// and the quit prompt with Esc, Y and N.
#include "game_speech.h"
#include "game_view.h"

#include "platform/clock.h"
#include "platform/winthread.h"

#include <algorithm>

namespace {
// Reaction-time bounds; each bound belongs to the row below it.
constexpr DWORD REACTION_BOUNDS[] = {100, 500, 1000, 2000, 3000};
constexpr int GAINS[] = {16, 8, 4, 2, 1, 0};
constexpr int PENALTIES[] = {2, 4, 8, 16, 32, 48};

int ReactionRow(DWORD dwReaction) {
    int nRow = 0;
    while (nRow < 5 && dwReaction >= REACTION_BOUNDS[nRow])
        ++nRow;
    return nRow;
}
} // namespace

int CGameView::GainFor(DWORD dwReaction) {
    return GAINS[ReactionRow(dwReaction)];
}

int CGameView::PenaltyFor(DWORD dwReaction) {
    return PENALTIES[ReactionRow(dwReaction)];
}

void CGameView::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/) {
    switch (m_nPhase) {
    case PHASE_TITLE:
        if (nChar == KEY_START) {
            StartGame();
        } else if (nChar == KEY_QUIT) {
            // Closing the main window destroys this view inside the call (and may delete
            // it with the frame): nothing of the view is touched after it.
            if (CWinThread* pThread = AfxGetThread())
                if (CWnd* pMain = pThread->GetMainWnd())
                    pMain->SendMessage(WM_CLOSE, 0, 0);
        }
        return;
    case PHASE_START:
    case PHASE_PLAY:
        if (m_bPlaying) {
            if (nChar >= KEY_FIRST_LETTER && nChar <= KEY_LAST_LETTER)
                JudgeLetter(nChar);
            else if (nChar == VK_ESCAPE)
                Pause();
        } else if (m_bPaused) {
            if (nChar == KEY_YES)
                QuitToLogo();
            else if (nChar == KEY_NO)
                Resume();
        }
        InvalidateView(); // also for keys that changed nothing
        return;
    default:
        return; // logo, intro and result: keys do nothing
    }
}

void CGameView::JudgeLetter(UINT nChar) {
    // Unsigned difference: the clock's wrap-around does not disturb it.
    const DWORD dwReaction = timeGetTime() - m_dwShownAt;
    if (nChar == static_cast<unsigned char>(m_letters[m_nLetter].m_chLetter)) {
        m_nMark = MARK_HIT;
        m_nTick = 0;
        m_nGauge = std::min(m_nGauge + GainFor(dwReaction), GAUGE_MAX);
        StepDigits(m_hitDigits);
    } else {
        m_nMark = MARK_MISS;
        m_nTick = 0;
        m_nGauge -= PenaltyFor(dwReaction); // below zero ends the game, just below
        StepDigits(m_missDigits);
    }
    m_nLetter = static_cast<std::int8_t>(m_pRandom->Rand() % LETTER_COUNT);
    m_dwShownAt = timeGetTime();
    DrawPlayScreen();
    if (m_nMark == MARK_HIT)
        DrawHitMark();
    else
        DrawMissMark();
    Announce(SpokenResult(m_nMark == MARK_HIT, m_letters[m_nLetter].m_chLetter));
    if (m_nGauge < 0)
        GameOver();
}

void CGameView::Pause() {
    m_bPlaying = FALSE;
    m_bPaused = TRUE;
    DrawPlayScreen();
    DrawQuitPrompt();
}

void CGameView::Resume() {
    // The letter keeps its time: the pause counts toward its reaction time.
    m_bPlaying = TRUE;
    m_bPaused = FALSE;
    DrawPlayScreen();
}

void CGameView::QuitToLogo() {
    // The drain and clock timers keep ticking, idle, until the next game replaces them.
    m_back.Clear();
    StartLogo();
}
