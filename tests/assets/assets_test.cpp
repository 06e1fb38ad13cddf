// The shipped pictures, read back with the game's own BMP reader: each one loads, has a size the
// screens are laid out for, and holds what the blits rely on (a frame without the key colour, no
// empty sprite region or digit cell, 26 different letters).
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

struct SizeRule {
    std::string name;
    int minW, maxW, minH, maxH;
};

void PrintTo(const SizeRule& r, std::ostream* os) {
    *os << r.name;
}

std::vector<SizeRule> SizeRules() {
    const int any = 1 << 20;
    std::vector<SizeRule> rules = {
        {"frame.bmp", 1, 320, 240, 240}, {"sprite.bmp", 320, any, 368, any}, {"vel.bmp", 1, 320, 240, any},
        {"title.bmp", 1, 320, 1, 240},   {"fonts.bmp", 160, any, 24, any},
    };
    for (char c = 'A'; c <= 'Z'; ++c)
        rules.push_back({std::string(1, c) + ".bmp", 1, 232, 1, 224});
    return rules;
}

class AssetFiles : public ::testing::TestWithParam<SizeRule> {};

TEST_P(AssetFiles, LoadsWithinItsSizeRule) {
    const SizeRule& r = GetParam();
    Surface s;
    ASSERT_TRUE(Load(r.name, s));
    EXPECT_GE(s.Width(), r.minW);
    EXPECT_LE(s.Width(), r.maxW);
    EXPECT_GE(s.Height(), r.minH);
    EXPECT_LE(s.Height(), r.maxH);
}

INSTANTIATE_TEST_SUITE_P(Shipped, AssetFiles, ::testing::ValuesIn(SizeRules()),
                         [](const ::testing::TestParamInfo<SizeRule>& info) {
                             std::string n = info.param.name;
                             return n.substr(0, n.find('.'));
                         });

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
const Rect kLetterBox{"letter", 88, 16, 144, 160};
const Rect kResultDigits{"result digits", 192, 100, 48, 24};
const int kStampX = 160, kStampY = 120;

TEST(AssetFrame, LetterAndResultDigitsLandOnOneFlatPaper) {
    // The letters' edges are blended against the panel's paper, and the result digits must sit
    // on that same clean paper, not on the panel's rim.
    Surface frame;
    ASSERT_TRUE(Load("frame.bmp", frame));
    const std::uint8_t* paper = frame.PixelAt(kLetterBox.x, kLetterBox.y);
    for (const Rect& r : {kLetterBox, kResultDigits})
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
    const std::uint8_t* paper = frame.PixelAt(kLetterBox.x, kLetterBox.y);
    for (int r = 0; r < 4; ++r)
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 80; ++x) {
                if (IsKey(sheet, 80 * r + x, 288 + y))
                    continue;
                const int sx = kStampX + x, sy = kStampY + y;
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
    {"hit mark", 0, 0, 160, 32},
    {"miss mark", 0, 32, 160, 32},
    {"intro caption", 160, 0, 160, 32},
    {"start caption", 160, 32, 160, 32},
    {"end banner", 0, 64, 320, 64, true},
    {"quit prompt upper", 0, 128, 160, 32},
    {"quit prompt lower", 160, 128, 160, 32},
    {"time-up banner", 0, 192, 160, 64},
    {"misses caption", 0, 256, 160, 32},
    {"rank caption", 160, 256, 160, 32},
    {"stamp 0", 0, 288, 80, 80},
    {"stamp 1", 80, 288, 80, 80},
    {"stamp 2", 160, 288, 80, 80},
    {"stamp 3", 240, 288, 80, 80},
};
const Rect kBars[] = {{"time bar", 0, 160, 256, 16}, {"gauge bar", 0, 176, 128, 16}};

TEST(AssetSprite, EveryCaptionHoldsSomethingAndStaysInsideItsRegion) {
    Surface sheet;
    ASSERT_TRUE(Load("sprite.bmp", sheet));
    for (const Rect& r : kCaptions) {
        // a caption that is mostly see-through would vanish on screen
        EXPECT_GT(CountNotKey(sheet, r), r.w * r.h / 3) << r.what;
        // content touching the region's edge would be cut off, or bleed into a neighbour
        EXPECT_EQ(CountEdgeNotKey(sheet, r), 0) << r.what;
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
    for (int a = 10; a < 14; ++a)
        for (int b = a + 1; b < 14; ++b)
            EXPECT_NE(Pixels(sheet, kCaptions[a]), Pixels(sheet, kCaptions[b]))
                << kCaptions[a].what << " vs " << kCaptions[b].what;
}

// ---- the digit font ----

TEST(AssetDigits, EveryCellHoldsItsOwnFigure) {
    Surface font;
    ASSERT_TRUE(Load("fonts.bmp", font));
    std::vector<std::vector<std::uint8_t>> cells;
    for (int d = 0; d < 10; ++d) {
        const Rect cell{"digit", 16 * d, 0, 16, 24};
        EXPECT_GT(CountNotKey(font, cell), 16 * 24 / 6) << "digit " << d;
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
