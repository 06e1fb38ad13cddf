// The game's fixed values: phases, timers and their periods, marks, the gauge and clock
// figures, animation lengths, and where every element of the screen comes from and goes.
#pragma once

#include "platform/wintypes.h"

// Phases (5 and 6 are never used).
constexpr int PHASE_LOGO = 0;
constexpr int PHASE_TITLE = 1;
constexpr int PHASE_INTRO = 2;
constexpr int PHASE_START = 3;
constexpr int PHASE_PLAY = 4;
constexpr int PHASE_RESULT = 7;

// Timer ids of the view.
constexpr UINT_PTR TIMER_LOGO = 0;
constexpr UINT_PTR TIMER_FRAME_WIPE = 1;
constexpr UINT_PTR TIMER_INTRO = 2;
constexpr UINT_PTR TIMER_START_CAPTION = 3;
constexpr UINT_PTR TIMER_RESTART = 4;
constexpr UINT_PTR TIMER_DRAIN = 5;
constexpr UINT_PTR TIMER_CLOCK = 6;
constexpr UINT_PTR TIMER_TIME_UP = 7;
constexpr UINT_PTR TIMER_RESULT = 8;

// Timer periods in milliseconds. Every animation ticks at PERIOD_ANIMATION.
constexpr UINT PERIOD_ANIMATION = 33;
constexpr UINT PERIOD_START_CAPTION = 1000;
constexpr UINT PERIOD_RESTART = 5000;
constexpr UINT PERIOD_DRAIN = 2350;
constexpr UINT PERIOD_CLOCK = 100;

// Which judgement mark is on screen.
constexpr int MARK_HIT = 0;
constexpr int MARK_MISS = 1;
constexpr int MARK_NONE = 2;

// Gauge and play clock.
constexpr int GAUGE_MAX = 128;
constexpr int GAUGE_START = 128; // the value the view is made with
constexpr int GAUGE_FILL_STEP = 2;
constexpr int GAUGE_DRAIN_STEP = 2;
constexpr DWORD PLAY_TIME = 60000;
constexpr DWORD CLOCK_STEP = 100;
constexpr int TIME_BAR_MAX_WIDTH = 256;

// Animation lengths, as the last tick value of each stage.
constexpr int WIPE_FIRST_ROW = 1; // ticks before it (from -5 to 0) are idle
constexpr int WIPE_PASSES = 8;
constexpr int LOGO_HOLD_LAST = 100;
constexpr int FRAME_HOLD_LAST = 30;
constexpr int INTRO_FILL_LAST = 128;
constexpr int INTRO_CAPTION_LAST = 187;
constexpr int WIPE_START_TICK = -5;
constexpr int MARK_LIFE_TICKS = 5; // a mark goes on the clock tick that takes its age past this
constexpr int TIME_UP_TICKS = 60;
constexpr int RESULT_TICKS = 300;
constexpr int RESULT_MISSES_AFTER = 50;
constexpr int RESULT_RANK_CAPTION_AFTER = 100;
constexpr int RESULT_STAMP_AFTER = 150;

// Rank thresholds on the score (hits - 5 x misses): rank 0 is the best.
constexpr int RANK_0_SCORE = 176;
constexpr int RANK_1_SCORE = 126;
constexpr int RANK_2_SCORE = 76;
constexpr int MISS_WEIGHT = 5;
constexpr int RANK_COUNT = 4;

constexpr int SCREEN_WIDTH = 320;
constexpr int SCREEN_HEIGHT = 240;
constexpr int LETTER_COUNT = 26;
constexpr int LETTER_X = 88;
constexpr int LETTER_Y = 16;

// A rectangle of the sprite sheet and the screen position of its top-left corner.
struct SpriteRegion {
    int sx, sy, w, h, x, y;
};
constexpr SpriteRegion SPRITE_HIT_MARK{0, 0, 160, 32, 80, 184};
constexpr SpriteRegion SPRITE_MISS_MARK{0, 32, 160, 32, 80, 184};
constexpr SpriteRegion SPRITE_INTRO_CAPTION{160, 0, 160, 32, 80, 184};
constexpr SpriteRegion SPRITE_START_CAPTION{160, 32, 160, 32, 80, 184};
constexpr SpriteRegion SPRITE_END_BANNER{0, 64, 320, 64, 0, 88};
constexpr SpriteRegion SPRITE_QUIT_UPPER{0, 128, 160, 32, 80, 88};
constexpr SpriteRegion SPRITE_QUIT_LOWER{160, 128, 160, 32, 80, 120};
constexpr SpriteRegion SPRITE_TIME_BAR{0, 160, TIME_BAR_MAX_WIDTH, 16, 32, 184}; // width varies
constexpr SpriteRegion SPRITE_GAUGE{0, 176, GAUGE_MAX, 16, 32, 200};             // width varies
constexpr SpriteRegion SPRITE_TIME_UP{0, 192, 160, 64, 80, 88};
constexpr SpriteRegion SPRITE_MISS_CAPTION{0, 256, 160, 32, 0, 96};
constexpr SpriteRegion SPRITE_RANK_CAPTION{160, 256, 160, 32, 0, 144};
constexpr SpriteRegion SPRITE_RANK_STAMP{0, 288, 80, 80, 160, 120}; // rank r at sx = 80 x r

// The digit font: digit d is the cell at (16 x d, 0).
constexpr int DIGIT_WIDTH = 16;
constexpr int DIGIT_HEIGHT = 24;
// Hundreds, tens and units of the miss count on the play screen and on the result screen.
constexpr int MISS_COUNT_X = 260;
constexpr int MISS_COUNT_Y = 64;
constexpr int RESULT_COUNT_X = 192;
constexpr int RESULT_COUNT_Y = 100;

// The letter keys, and the keys with a meaning of their own.
constexpr UINT KEY_FIRST_LETTER = 'A';
constexpr UINT KEY_LAST_LETTER = 'Z';
constexpr UINT KEY_START = 'F';
constexpr UINT KEY_QUIT = 'J';
constexpr UINT KEY_YES = 'Y';
constexpr UINT KEY_NO = 'N';
