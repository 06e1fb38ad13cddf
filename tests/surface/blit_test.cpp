#include "surface/surface.h"
#include "testkit/bmp_bytes.h"
#include "testkit/surface_pixel.h"

#include <gtest/gtest.h>

namespace {

using testkit::Rgb;

using testkit::At;
void Set(Surface& s, int x, int y, Rgb c) {
    std::uint8_t* p = s.PixelAt(x, y);
    p[0] = c.b;
    p[1] = c.g;
    p[2] = c.r;
}

Surface Filled(int w, int h, Rgb c) {
    Surface s;
    EXPECT_TRUE(s.Create(w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            Set(s, x, y, c);
    return s;
}

Surface Patterned(int w, int h) {
    Surface s;
    EXPECT_TRUE(s.Create(w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            Set(s, x, y, testkit::PatternColour(x, y));
    return s;
}

constexpr Rgb SENTINEL{200, 100, 50};

TEST(BlitKeyed, OnlyExactBlackIsTransparent) {
    const struct {
        Rgb src;
        bool bCopied;
    } cases[] = {
        {{0, 0, 0}, false}, {{0, 0, 1}, true}, {{0, 1, 0}, true}, {{1, 0, 0}, true}, {{255, 255, 255}, true}};
    for (const auto& c : cases) {
        Surface src = Filled(1, 1, c.src);
        for (bool bRect : {false, true}) {
            Surface dst = Filled(2, 2, SENTINEL);
            if (bRect)
                dst.BlitKeyedRect(1, 1, src, 0, 0, 1, 1);
            else
                dst.BlitKeyed(1, 1, src);
            EXPECT_EQ(At(dst, 1, 1), c.bCopied ? c.src : SENTINEL)
                << int{c.src.r} << "," << int{c.src.g} << "," << int{c.src.b};
            EXPECT_EQ(At(dst, 0, 0), SENTINEL);
        }
    }
}

TEST(BlitKeyed, WholeSourceLandsAtItsOffsetTopDown) {
    Surface src = Patterned(3, 4);
    Set(src, 1, 2, Rgb{0, 0, 0}); // a transparent hole
    Surface dst = Filled(8, 8, SENTINEL);
    dst.BlitKeyed(2, 3, src);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool bInside = x >= 2 && x < 5 && y >= 3 && y < 7 && !(x == 3 && y == 5);
            EXPECT_EQ(At(dst, x, y), bInside ? testkit::PatternColour(x - 2, y - 3) : SENTINEL)
                << x << "," << y;
        }
}

TEST(BlitKeyedRect, CopiesExactlyTheAskedRectangle) {
    const struct {
        int x, y, sx, sy, w, h;
    } cases[] = {
        {0, 0, 0, 0, 10, 8}, {3, 2, 4, 5, 2, 3},  {9, 7, 9, 7, 1, 1},  {1, 1, 2, 2, 0, 3},
        {1, 1, 2, 2, 3, 0},  {1, 1, 2, 2, -2, 3}, {1, 1, 2, 2, 3, -1}, {0, 0, 0, 0, -5, -5},
    };
    const Surface src = Patterned(10, 8);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.x << "," << c.y << " from " << c.sx << "," << c.sy << " " << c.w << "x" << c.h);
        Surface dst = Filled(10, 8, SENTINEL);
        dst.BlitKeyedRect(c.x, c.y, src, c.sx, c.sy, c.w, c.h);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 10; ++x) {
                const bool bInside =
                    c.w > 0 && c.h > 0 && x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h;
                ASSERT_EQ(At(dst, x, y),
                          bInside ? testkit::PatternColour(c.sx + x - c.x, c.sy + y - c.y) : SENTINEL)
                    << x << "," << y;
            }
    }
}

TEST(Blend, AveragesEachByteRoundingDown) {
    const struct {
        std::uint8_t src, dst, result;
    } cases[] = {{255, 0, 127}, {255, 255, 255}, {1, 0, 0}, {3, 4, 3}, {0, 200, 100}};
    for (const auto& c : cases) {
        Surface src = Filled(2, 1, Rgb{c.src, c.src, c.src});
        Surface dst = Filled(3, 2, Rgb{c.dst, c.dst, c.dst});
        dst.Blend(1, 1, src);
        EXPECT_EQ(At(dst, 1, 1), (Rgb{c.result, c.result, c.result})) << int{c.src} << " over " << int{c.dst};
        EXPECT_EQ(At(dst, 2, 1), (Rgb{c.result, c.result, c.result}));
        EXPECT_EQ(At(dst, 0, 1), (Rgb{c.dst, c.dst, c.dst}));
        EXPECT_EQ(At(dst, 1, 0), (Rgb{c.dst, c.dst, c.dst}));
    }
}

TEST(BlitClipped, ClipsAgainstBothSurfacesAndCopiesBlack) {
    const struct {
        int x, y, sx, sy, w, h;
        int nCopied; // pixels expected to change
    } cases[] = {
        {0, 0, 0, 0, 4, 4, 16},
        {-10, 0, 0, 0, 12, 2, 4},
        {2, 2, 0, 0, 10, 10, 16},
        {0, -3, 0, 0, 2, 5, 4},
        {7, 0, 0, 0, 4, 4, 0},
        {0, 7, 0, 0, 4, 4, 0},
        {6, 6, 0, 0, 4, 4, 0},
        {0, 0, 10, 10, 4, 4, 4},
        {0, 0, 12, 12, 4, 4, 0},
        {0, 0, -2, -1, 4, 4, 6},
        {INT32_MIN, INT32_MIN, 0, 0, INT32_MAX, INT32_MAX, 0},
        {0, 0, 0, 0, INT32_MAX, INT32_MAX, 36},
    };
    Surface src = Patterned(12, 12);
    Set(src, 0, 0, Rgb{0, 0, 0}); // black is copied too: this copy has no key
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " from " << c.sx << "," << c.sy);
        Surface dst = Filled(6, 6, SENTINEL);
        dst.BlitClipped(c.x, c.y, src, c.sx, c.sy, c.w, c.h);
        int nChanged = 0;
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x) {
                if (At(dst, x, y) == SENTINEL)
                    continue;
                ++nChanged;
                // Every changed pixel came from the source pixel the shift maps it to.
                const int srcX = c.sx + x - c.x, srcY = c.sy + y - c.y;
                const Rgb expected =
                    srcX == 0 && srcY == 0 ? Rgb{0, 0, 0} : testkit::PatternColour(srcX, srcY);
                ASSERT_EQ(At(dst, x, y), expected) << x << "," << y;
            }
        EXPECT_EQ(nChanged, c.nCopied);
    }
}

TEST(BlitClipped, NegativeOriginStartsFurtherIntoTheSource) {
    Surface src = Patterned(20, 2);
    Surface dst = Filled(5, 2, SENTINEL);
    dst.BlitClipped(-10, 0, src, 1, 0, 15, 1);
    EXPECT_EQ(At(dst, 0, 0), testkit::PatternColour(11, 0));
    EXPECT_EQ(At(dst, 4, 0), testkit::PatternColour(15, 0));
    EXPECT_EQ(At(dst, 0, 1), SENTINEL);
}

} // namespace
