// The shipped pictures, read through the game's own reader, rules and layout: each one loads
// and has a size the screens are laid out for, and holds what the blits rely on (a frame
// without the key colour, no empty sprite region or digit cell, 26 different letters).
#include "game/game_view.h"
#include "platform/afxres.h"
#include "platform/headless/headless_system.h"
#include "surface/surface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string PathOf(const std::string& name) {
    return std::string(MORVANE_ASSETS_DIR) + "/" + name;
}

// Loads a shipped picture; a failure is reported with the reader's reason.
::testing::AssertionResult Load(const std::string& name, Surface& s) {
    std::string reason;
    if (!s.LoadBMP(PathOf(name).c_str(), reason))
        return ::testing::AssertionFailure() << name << " did not load: " << reason;
    return ::testing::AssertionSuccess();
}

bool IsKey(const Surface& s, int x, int y) {
    const std::uint8_t* p = s.PixelAt(x, y);
    return p[0] == 0 && p[1] == 0 && p[2] == 0;
}

struct Rect {
    const char* what;
    int x, y, w, h;
    bool acrossScreen = false; // a band meant to run from the screen's left edge to its right
};

// A region of the sprite sheet, where it lies on the sheet.
Rect OnSheet(const char* what, const SpriteRegion& r) {
    return {what, r.sx, r.sy, r.w, r.h, r.w == SCREEN_WIDTH};
}

int CountNotKey(const Surface& s, const Rect& r) {
    int n = 0;
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x)
            n += IsKey(s, x, y) ? 0 : 1;
    return n;
}

// Pixels on the rectangle's outermost rows and columns that are not the key colour (only the
// rows for a band that runs across the screen).
int CountEdgeNotKey(const Surface& s, const Rect& r) {
    int n = 0;
    for (int x = r.x; x < r.x + r.w; ++x)
        n += (IsKey(s, x, r.y) ? 0 : 1) + (IsKey(s, x, r.y + r.h - 1) ? 0 : 1);
    if (r.acrossScreen)
        return n;
    for (int y = r.y + 1; y < r.y + r.h - 1; ++y)
        n += (IsKey(s, r.x, y) ? 0 : 1) + (IsKey(s, r.x + r.w - 1, y) ? 0 : 1);
    return n;
}

std::vector<std::uint8_t> Pixels(const Surface& s, const Rect& r) {
    std::vector<std::uint8_t> out;
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x)
            out.insert(out.end(), s.PixelAt(x, y), s.PixelAt(x, y) + 3);
    return out;
}

// ---- every file loads and fits where the game draws it ----

TEST(AssetFiles, EveryPictureLoadsThroughTheGamesOwnRules) {
    HeadlessSystem system;
    system.Install();
    FixedSeedRandom random(1);
    CGameView view(random);
    view.SetAssetDirectory(MORVANE_ASSETS_DIR);
    const bool bMade = view.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT,
                                     nullptr, AFX_IDW_PANE_FIRST);
    for (const AssetFailure& failure : view.GetLoadFailures())
        ADD_FAILURE() << failure.strFile << ": " << failure.strReason;
    EXPECT_TRUE(bMade);
}

// ---- the frame ----

TEST(AssetFrame, HasNoKeyColouredPixel) {
    // Each play-screen redraw starts with a keyed copy of the frame: a black pixel there would
    // let the previous letter or mark show through.
    Surface frame;
    ASSERT_TRUE(Load("frame.bmp", frame));
    for (int y = 0; y < frame.Height(); ++y)
        for (int x = 0; x < frame.Width(); ++x)
            ASSERT_FALSE(IsKey(frame, x, y)) << "black pixel at " << x << "," << y;
}

bool SameColour(const Surface& s, int x, int y, const std::uint8_t* c) {
    const std::uint8_t* p = s.PixelAt(x, y);
    return p[0] == c[0] && p[1] == c[1] && p[2] == c[2];
}

// Where the game draws over the frame (screen coordinates).
const Rect kResultDigits{"result digits", RESULT_COUNT_X, RESULT_COUNT_Y, 3 * DIGIT_WIDTH, DIGIT_HEIGHT};

// Where the letters land: at their place, at the shipped letters' size.
Rect LetterBox() {
    Surface letter;
    EXPECT_TRUE(Load("A.bmp", letter));
    return {"letter", LETTER_X, LETTER_Y, letter.Width(), letter.Height()};
}

TEST(AssetFrame, LetterAndResultDigitsLandOnOneFlatPaper) {
    // The letters' edges are blended against the panel's paper, and the result digits must sit
    // on that same clean paper, not on the panel's rim.
    Surface frame;
    ASSERT_TRUE(Load("frame.bmp", frame));
    const Rect letterBox = LetterBox();
    const std::uint8_t* paper = frame.PixelAt(letterBox.x, letterBox.y);
    for (const Rect& r : {letterBox, kResultDigits})
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x)
                ASSERT_TRUE(SameColour(frame, x, y, paper)) << r.what << " at " << x << "," << y;
}

TEST(AssetFrame, RankStampsStayOnThePaperAndClearOfTheResultDigits) {
    // The stamp's cell overlaps the result digits' row and the dashboard; its seal keeps to the
    // paper between them, with a pixel of paper all round.
    Surface frame, sheet;
    ASSERT_TRUE(Load("frame.bmp", frame));
    ASSERT_TRUE(Load("sprite.bmp", sheet));
    const std::uint8_t* paper = frame.PixelAt(LETTER_X, LETTER_Y);
    const SpriteRegion& stamp = SPRITE_RANK_STAMP;
    for (int r = 0; r < RANK_COUNT; ++r)
        for (int y = 0; y < stamp.h; ++y)
            for (int x = 0; x < stamp.w; ++x) {
                if (IsKey(sheet, stamp.w * r + x, stamp.sy + y))
                    continue;
                const int sx = stamp.x + x, sy = stamp.y + y;
                ASSERT_FALSE(sx >= kResultDigits.x - 1 && sx <= kResultDigits.x + kResultDigits.w &&
                             sy <= kResultDigits.y + kResultDigits.h)
                    << "stamp " << r << " touches the result digits at " << sx << "," << sy;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        ASSERT_TRUE(SameColour(frame, sx + dx, sy + dy, paper))
                            << "stamp " << r << " leaves the paper at " << sx << "," << sy;
            }
}

// ---- the splash and the title ----

// True when every pixel on the picture's outermost rows and columns is the key colour.
bool BorderIsBlack(const Surface& s) {
    return CountEdgeNotKey(s, {"border", 0, 0, s.Width(), s.Height()}) == 0;
}

TEST(AssetSplash, HasAOnePixelBlackBorder) {
    // The wipe that brings the splash in never copies its top row, which stays black on screen;
    // a black border on all four sides makes that row part of a frame. Only one pixel wide:
    // the splash inside it is never black.
    Surface vel;
    ASSERT_TRUE(Load("vel.bmp", vel));
    EXPECT_TRUE(BorderIsBlack(vel));
    EXPECT_EQ(CountNotKey(vel, {"inside", 1, 1, vel.Width() - 2, vel.Height() - 2}),
              (vel.Width() - 2) * (vel.Height() - 2));
}

TEST(AssetTitle, KeepsTheSplashBorderVisible) {
    // The title is drawn keyed over the splash from (0,0): black edge pixels let its border show.
    Surface title, vel;
    ASSERT_TRUE(Load("title.bmp", title));
    ASSERT_TRUE(Load("vel.bmp", vel));
    ASSERT_EQ(title.Width(), vel.Width());
    ASSERT_EQ(title.Height(), vel.Height());
    EXPECT_TRUE(BorderIsBlack(title));
}

// ---- the sprite sheet ----

const Rect kCaptions[] = {
    OnSheet("hit mark", SPRITE_HIT_MARK),
    OnSheet("miss mark", SPRITE_MISS_MARK),
    OnSheet("intro caption", SPRITE_INTRO_CAPTION),
    OnSheet("start caption", SPRITE_START_CAPTION),
    OnSheet("end banner", SPRITE_END_BANNER),
    OnSheet("quit prompt upper", SPRITE_QUIT_UPPER),
    OnSheet("quit prompt lower", SPRITE_QUIT_LOWER),
    OnSheet("time-up banner", SPRITE_TIME_UP),
    OnSheet("misses caption", SPRITE_MISS_CAPTION),
    OnSheet("rank caption", SPRITE_RANK_CAPTION),
};
const Rect kBars[] = {OnSheet("time bar", SPRITE_TIME_BAR), OnSheet("gauge bar", SPRITE_GAUGE)};

// The rank stamps side by side: stamp r at 80 x r.
Rect Stamp(int r) {
    const SpriteRegion& s = SPRITE_RANK_STAMP;
    return {"stamp", s.w * r, s.sy, s.w, s.h};
}

TEST(AssetSprite, EveryCaptionHoldsSomethingAndStaysInsideItsRegion) {
    Surface sheet;
    ASSERT_TRUE(Load("sprite.bmp", sheet));
    std::vector<Rect> regions(std::begin(kCaptions), std::end(kCaptions));
    for (int r = 0; r < RANK_COUNT; ++r)
        regions.push_back(Stamp(r));
    for (const Rect& r : regions) {
        // a caption that is mostly see-through would vanish on screen
        EXPECT_GT(CountNotKey(sheet, r), r.w * r.h / 3) << r.what << " at " << r.x << "," << r.y;
        // content touching the region's edge would be cut off, or bleed into a neighbour
        EXPECT_EQ(CountEdgeNotKey(sheet, r), 0) << r.what << " at " << r.x << "," << r.y;
    }
}

TEST(AssetSprite, BarsAreSolidAtEveryWidth) {
    // The game shows a bar's left part of any width, so no column may have a see-through row.
    Surface sheet;
    ASSERT_TRUE(Load("sprite.bmp", sheet));
    for (const Rect& r : kBars)
        EXPECT_EQ(CountNotKey(sheet, r), r.w * r.h) << r.what;
}

TEST(AssetSprite, MarksAndStampsAllDiffer) {
    Surface sheet;
    ASSERT_TRUE(Load("sprite.bmp", sheet));
    EXPECT_NE(Pixels(sheet, kCaptions[0]), Pixels(sheet, kCaptions[1])) << "hit and miss marks";
    for (int a = 0; a < RANK_COUNT; ++a)
        for (int b = a + 1; b < RANK_COUNT; ++b)
            EXPECT_NE(Pixels(sheet, Stamp(a)), Pixels(sheet, Stamp(b))) << "stamps " << a << " and " << b;
}

// ---- the digit font ----

TEST(AssetDigits, EveryCellHoldsItsOwnFigure) {
    Surface font;
    ASSERT_TRUE(Load("fonts.bmp", font));
    std::vector<std::vector<std::uint8_t>> cells;
    for (int d = 0; d < 10; ++d) {
        const Rect cell{"digit", DIGIT_WIDTH * d, 0, DIGIT_WIDTH, DIGIT_HEIGHT};
        EXPECT_GT(CountNotKey(font, cell), DIGIT_WIDTH * DIGIT_HEIGHT / 6) << "digit " << d;
        EXPECT_EQ(CountEdgeNotKey(font, cell), 0) << "digit " << d << " touches its cell's edge";
        cells.push_back(Pixels(font, cell));
        for (int e = 0; e < d; ++e)
            EXPECT_NE(cells[d], cells[e]) << "digits " << e << " and " << d;
    }
}

// ---- the letters ----

TEST(AssetLetters, AllShareOneSizeAndEachIsDifferent) {
    std::vector<Surface> letters(26);
    for (int i = 0; i < 26; ++i)
        ASSERT_TRUE(Load(std::string(1, static_cast<char>('A' + i)) + ".bmp", letters[i]));
    const int w = letters[0].Width();
    const int h = letters[0].Height();
    std::vector<std::vector<std::uint8_t>> pixels;
    for (int i = 0; i < 26; ++i) {
        const char c = static_cast<char>('A' + i);
        ASSERT_EQ(letters[i].Width(), w) << c;
        ASSERT_EQ(letters[i].Height(), h) << c;
        const Rect all{"letter", 0, 0, w, h};
        // on a see-through ground, and big: at least a tenth of the picture is ink
        EXPECT_EQ(CountEdgeNotKey(letters[i], all), 0) << c;
        EXPECT_GT(CountNotKey(letters[i], all), w * h / 10) << c;
        pixels.push_back(Pixels(letters[i], all));
        for (int j = 0; j < i; ++j)
            EXPECT_NE(pixels[i], pixels[j]) << static_cast<char>('A' + j) << " and " << c;
    }
}

} // namespace
