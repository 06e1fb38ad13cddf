// CGameView's flow: the timer ticks that run the logo, the title, the intro of a game and
// the drill, and the steps that start a phase or end a game.
#include "game_speech.h"
#include "game_view.h"

#include "platform/clock.h"

#include <algorithm>

void CGameView::OnTimer(UINT_PTR nIDEvent) {
    switch (nIDEvent) {
    case TIMER_LOGO:
        OnLogoTick();
        break;
    case TIMER_FRAME_WIPE:
        OnFrameWipeTick();
        break;
    case TIMER_INTRO:
        OnIntroTick();
        break;
    case TIMER_START_CAPTION:
        OnStartCaptionTick();
        break;
    case TIMER_RESTART:
        OnRestartTick();
        break;
    case TIMER_DRAIN:
        OnDrainTick();
        break;
    case TIMER_CLOCK:
        OnClockTick();
        break;
    case TIMER_TIME_UP:
        OnTimeUpTick();
        break;
    case TIMER_RESULT:
        OnResultTick();
        break;
    default:
        Default();
        break;
    }
}

void CGameView::StartLogo() {
    m_nTick = WIPE_START_TICK;
    m_nPhase = PHASE_LOGO;
    SetTimer(TIMER_LOGO, PERIOD_ANIMATION, nullptr);
}

void CGameView::ShowTitle() {
    KillTimer(TIMER_LOGO);
    m_nTick = 0;
    m_nPhase = PHASE_TITLE;
    // Over the logo, not a cleared screen: where the title is black the logo shows.
    m_back.BlitKeyed(0, 0, m_title);
    InvalidateView();
}

void CGameView::StartGame() {
    m_nPhase = PHASE_INTRO;
    m_bPlaying = FALSE;
    m_bPaused = FALSE;
    m_nTick = WIPE_START_TICK;
    m_dwTimeLeft = PLAY_TIME;
    m_missDigits = {0, 0, 0, 0};
    m_hitDigits = {0, 0, 0, 0};
    m_nGauge = 0;
    m_back.Clear();
    SetTimer(TIMER_FRAME_WIPE, PERIOD_ANIMATION, nullptr);
    InvalidateView();
}

void CGameView::GameOver() {
    KillTimer(TIMER_DRAIN);
    KillTimer(TIMER_CLOCK);
    DrawEndBanner();
    SetTimer(TIMER_RESTART, PERIOD_RESTART, nullptr);
    m_bPlaying = FALSE;
    m_nGauge = 0;
}

bool CGameView::StepWipe(const Surface& source, int nHoldLast) {
    const int t = m_nTick;
    if (t > nHoldLast)
        return true;
    // Idle ticks first, then one pass of the wipe a tick, then the picture is held.
    if (t >= WIPE_FIRST_ROW && t <= WIPE_PASSES)
        WipeRows(m_back, source, t);
    m_nTick = t + 1;
    return false;
}

void CGameView::OnLogoTick() {
    if (StepWipe(m_logo, LOGO_HOLD_LAST))
        ShowTitle();
}

void CGameView::OnFrameWipeTick() {
    if (StepWipe(m_frame, FRAME_HOLD_LAST)) {
        KillTimer(TIMER_FRAME_WIPE);
        m_nTick = 0;
        DrawFrame();
        DrawMissCount();
        DrawTimeBar();
        SetTimer(TIMER_INTRO, PERIOD_ANIMATION, nullptr);
        InvalidateView();
    }
}

void CGameView::OnIntroTick() {
    const int t = m_nTick;
    if (t <= INTRO_CAPTION_LAST) {
        DrawFrame();
        DrawGauge(m_nGauge);
        DrawMissCount();
        DrawTimeBar();
        if (t <= INTRO_FILL_LAST)
            m_nGauge = std::min(m_nGauge + GAUGE_FILL_STEP, GAUGE_MAX); // drawn before it grows
        else
            DrawIntroCaption();
        m_nTick = t + 1;
        InvalidateView();
        return;
    }
    // Play begins: the first letter, timed from now, with the start caption over it.
    m_nLetter = static_cast<std::int8_t>(m_pRandom->Rand() % LETTER_COUNT);
    m_dwShownAt = timeGetTime();
    KillTimer(TIMER_INTRO);
    m_nPhase = PHASE_START;
    m_bPlaying = TRUE;
    m_nMark = MARK_NONE;
    DrawPlayScreen();
    DrawStartCaption();
    Announce(SpokenLetter(m_letters[m_nLetter].m_chLetter));
    SetTimer(TIMER_START_CAPTION, PERIOD_START_CAPTION, nullptr);
    SetTimer(TIMER_DRAIN, PERIOD_DRAIN, nullptr);
    SetTimer(TIMER_CLOCK, PERIOD_CLOCK, nullptr);
    InvalidateView();
}

void CGameView::OnStartCaptionTick() {
    KillTimer(TIMER_START_CAPTION);
    // With the quit prompt up, after Y, or after the game ended within its first second,
    // the caption is no longer on screen to take away, and the phase must stay as it is.
    if (!m_bPlaying)
        return;
    m_nPhase = PHASE_PLAY;
    DrawPlayScreen();
    InvalidateView();
}

void CGameView::OnRestartTick() {
    KillTimer(TIMER_RESTART);
    m_back.Clear();
    InvalidateView();
    m_bPlaying = FALSE;
    m_bPaused = FALSE;
    StartLogo();
}

void CGameView::OnDrainTick() {
    if (!m_bPlaying)
        return; // paused, or a timer left running after Y
    m_nGauge -= GAUGE_DRAIN_STEP;
    DrawPlayScreen();
    if (m_nGauge < 0)
        GameOver();
    InvalidateView();
}

void CGameView::OnClockTick() {
    if (!m_bPlaying) {
        InvalidateView(); // the time stands still while the quit prompt is up
        return;
    }
    if (m_nMark != MARK_NONE) {
        ++m_nTick;
        if (m_nTick > MARK_LIFE_TICKS) {
            DrawPlayScreen();
            m_nMark = MARK_NONE;
        }
    }
    // The time runs in whole steps from 60000, so it meets 0 exactly; it is never
    // allowed to pass below it.
    m_dwTimeLeft = m_dwTimeLeft > CLOCK_STEP ? m_dwTimeLeft - CLOCK_STEP : 0;
    if (m_dwTimeLeft == 0)
        TimeUp();
    InvalidateView();
}
