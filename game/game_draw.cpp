// CGameView's drawing steps: every element of the screen as a colour-keyed copy into the
// back buffer at its fixed place, the play screen, and the row wipe.
#include "game_view.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

int CGameView::TimeBarWidth(DWORD dwTimeLeft) {
    // 427 / 100000 is the bar's 256 pixels over 60000 ms, a hair over; in 64 bits the
    // product never overflows, so the width is exact for every value of the clock.
    return static_cast<int>(std::uint64_t{dwTimeLeft} * 427u / 100000u);
}

void CGameView::DrawRegion(const SpriteRegion& region) {
    m_back.BlitKeyedRect(region.x, region.y, m_sprite, region.sx, region.sy, region.w, region.h);
}

void CGameView::DrawDigit(int nDigit, int x, int y) {
    m_back.BlitKeyedRect(x, y, m_font, DIGIT_WIDTH * nDigit, 0, DIGIT_WIDTH, DIGIT_HEIGHT);
}

void CGameView::DrawFrame() {
    m_back.BlitKeyed(0, 0, m_frame);
}

void CGameView::DrawLetter(int nLetter) {
    m_back.BlitKeyed(LETTER_X, LETTER_Y, m_letters[nLetter].m_image);
}

void CGameView::DrawGauge(int nWidth) {
    if (nWidth <= 0)
        return;
    m_back.BlitKeyedRect(SPRITE_GAUGE.x, SPRITE_GAUGE.y, m_sprite, SPRITE_GAUGE.sx, SPRITE_GAUGE.sy,
                         std::min(nWidth, GAUGE_MAX), SPRITE_GAUGE.h);
}

void CGameView::DrawTimeBar() {
    // Within a game the time left is 0 to 60000 and the width at most 256; the bound only
    // keeps the copy inside both surfaces should the time ever hold something else.
    const int nWidth = std::min(TimeBarWidth(m_dwTimeLeft), TIME_BAR_MAX_WIDTH);
    m_back.BlitKeyedRect(SPRITE_TIME_BAR.x, SPRITE_TIME_BAR.y, m_sprite, SPRITE_TIME_BAR.sx,
                         SPRITE_TIME_BAR.sy, nWidth, SPRITE_TIME_BAR.h);
}

void CGameView::DrawMissCount() {
    DrawDigit(m_missDigits[0], MISS_COUNT_X + 2 * DIGIT_WIDTH, MISS_COUNT_Y);
    DrawDigit(m_missDigits[1], MISS_COUNT_X + DIGIT_WIDTH, MISS_COUNT_Y);
    DrawDigit(m_missDigits[2], MISS_COUNT_X, MISS_COUNT_Y);
}

void CGameView::DrawHitMark() {
    DrawRegion(SPRITE_HIT_MARK);
}
void CGameView::DrawMissMark() {
    DrawRegion(SPRITE_MISS_MARK);
}
void CGameView::DrawIntroCaption() {
    DrawRegion(SPRITE_INTRO_CAPTION);
}
void CGameView::DrawStartCaption() {
    DrawRegion(SPRITE_START_CAPTION);
}
void CGameView::DrawEndBanner() {
    DrawRegion(SPRITE_END_BANNER);
}
void CGameView::DrawTimeUpBanner() {
    DrawRegion(SPRITE_TIME_UP);
}

void CGameView::DrawQuitPrompt() {
    DrawRegion(SPRITE_QUIT_UPPER);
    DrawRegion(SPRITE_QUIT_LOWER);
}

void CGameView::DrawPlayScreen() {
    DrawFrame();
    DrawLetter(m_nLetter);
    DrawGauge(m_nGauge);
    DrawTimeBar();
    DrawMissCount();
}

bool CGameView::WipeRows(Surface& target, const Surface& source, int nStart) {
    if (nStart <= 0)
        return false;
    // Only the source's pixels are copied, not the padding at the end of its rows, which
    // would land on the next pixel of the target when the source is narrower.
    const auto nBytes = static_cast<std::size_t>(std::min(source.Width(), target.Width())) * 3;
    const int nRows = std::min(target.Height(), source.Height());
    for (int row = nStart; row < nRows; row += WIPE_PASSES)
        std::memcpy(target.PixelAt(0, row), source.PixelAt(0, row), nBytes);
    InvalidateView();
    return nStart >= WIPE_PASSES;
}
