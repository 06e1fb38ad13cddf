// CGameView's end of a game by time: the score and rank, the time-up banner, the result
// screen that builds up in four stages, and the end banner before the logo returns.
#include "game_speech.h"
#include "game_view.h"

int CGameView::RankForScore(int nScore) {
    if (nScore >= RANK_0_SCORE)
        return 0;
    if (nScore >= RANK_1_SCORE)
        return 1;
    if (nScore >= RANK_2_SCORE)
        return 2;
    return 3;
}

int CGameView::Score() const {
    return LowDigitsValue(m_hitDigits) - MISS_WEIGHT * LowDigitsValue(m_missDigits);
}

void CGameView::TimeUp() {
    KillTimer(TIMER_DRAIN);
    KillTimer(TIMER_CLOCK);
    m_nTick = 0;
    m_nPhase = PHASE_RESULT;
    m_nRank = RankForScore(Score());
    SetTimer(TIMER_TIME_UP, PERIOD_ANIMATION, nullptr);
}

void CGameView::DrawResultBackdrop() {
    // The letter, the time bar and any mark are left out once the time is up.
    DrawFrame();
    DrawMissCount();
    DrawGauge(m_nGauge);
}

void CGameView::OnTimeUpTick() {
    const int t = m_nTick;
    m_nTick = t + 1;
    if (t < TIME_UP_TICKS) {
        DrawResultBackdrop();
        DrawTimeUpBanner();
        InvalidateView();
        return;
    }
    // The time-up picture stays until the first result tick.
    m_nTick = 0;
    KillTimer(TIMER_TIME_UP);
    SetTimer(TIMER_RESULT, PERIOD_ANIMATION, nullptr);
}

void CGameView::OnResultTick() {
    const int t = m_nTick;
    m_nTick = t + 1;
    if (t < RESULT_TICKS) {
        DrawResultBackdrop();
        DrawResults();
        if (m_nTick == RESULT_STAMP_AFTER + 1) // the tick the rank stamp first shows
            Announce(SpokenRank(m_nRank));
        InvalidateView();
        return;
    }
    KillTimer(TIMER_RESULT);
    DrawResultBackdrop();
    DrawEndBanner();
    SetTimer(TIMER_RESTART, PERIOD_RESTART, nullptr);
    m_bPlaying = FALSE;
    m_nGauge = 0;
    InvalidateView();
}

void CGameView::DrawResults() {
    const int n = m_nTick;
    DrawRegion(SPRITE_MISS_CAPTION);
    if (n > RESULT_MISSES_AFTER) {
        DrawDigit(m_missDigits[0], RESULT_COUNT_X + 2 * DIGIT_WIDTH, RESULT_COUNT_Y);
        DrawDigit(m_missDigits[1], RESULT_COUNT_X + DIGIT_WIDTH, RESULT_COUNT_Y);
        DrawDigit(m_missDigits[2], RESULT_COUNT_X, RESULT_COUNT_Y);
    }
    if (n > RESULT_RANK_CAPTION_AFTER)
        DrawRegion(SPRITE_RANK_CAPTION);
    if (n > RESULT_STAMP_AFTER)
        m_back.BlitKeyedRect(SPRITE_RANK_STAMP.x, SPRITE_RANK_STAMP.y, m_sprite,
                             SPRITE_RANK_STAMP.w * m_nRank, SPRITE_RANK_STAMP.sy, SPRITE_RANK_STAMP.w,
                             SPRITE_RANK_STAMP.h);
}
