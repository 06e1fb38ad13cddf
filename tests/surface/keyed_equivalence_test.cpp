// Every way this build has of making a keyed row gives, byte for byte, what the plain
// per-pixel copy gives: on random pictures, at every width and offset, and on the shipped
// pictures at their places on the screen.
#include "surface/keyed_row.h"
#include "surface/surface.h"
#include "testkit/keyed_reference.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// Random bytes where about a third of the pixels are exact black and some have a single
// non-zero byte, so that blocks are opaque, transparent and mixed.
Surface RandomPicture(int w, int h, std::mt19937& rng) {
    Surface s;
    EXPECT_TRUE(s.Create(w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = s.PixelAt(x, y);
            const unsigned kind = rng() % 6;
            for (int k = 0; k < 3; ++k)
                p[k] = kind < 2 ? 0 : static_cast<std::uint8_t>(rng());
            if (kind == 2) // one byte set, the others zero
                p[0] = p[1] = 0, p[2] = static_cast<std::uint8_t>(1 + rng() % 255);
            if (kind == 3 && (rng() & 1)) // a long run of black from here
                for (int k = 1; k < 40 && x < w - 1; ++k)
                    std::memset(s.PixelAt(++x, y), 0, 3);
        }
    return s;
}

struct Variant {
    const char* name;
    keyed::RowFn row;
};

std::vector<Variant> Variants() {
    std::vector<Variant> v{{"portable", keyed::RowPortable}, {"best", keyed::BestRow()}};
#if defined(MORVANE_KEYED_SSE2)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("sse2"))
        v.push_back({"sse2", keyed::RowSse2});
#endif
#if defined(MORVANE_KEYED_AVX512)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512bw"))
        v.push_back({"avx512", keyed::RowAvx512});
#endif
    return v;
}

// Copies the rectangle with the row function, row by row, as the blits do.
void BlitWith(keyed::RowFn row, Surface& dst, int x, int y, const Surface& src, int sx, int sy, int w,
              int h) {
    for (int i = 0; i < h; ++i)
        row(dst.PixelAt(x, y + i), src.PixelAt(sx, sy + i), w);
}

bool SameBytes(const Surface& a, const Surface& b) {
    return std::memcmp(a.Bits(), b.Bits(), static_cast<std::size_t>(a.Pitch()) * a.Height()) == 0;
}

TEST(KeyedRow, MatchesThePerPixelRuleAtEveryWidthAndOffset) {
    std::mt19937 rng(20240611);
    const Surface src = RandomPicture(200, 6, rng);
    const Surface background = RandomPicture(200, 6, rng);
    for (const Variant& v : Variants())
        for (int w = 1; w <= 200; ++w) {
            // Offsets in the source and the destination move the copy across every
            // alignment; rectangles reach the right and bottom edges of both surfaces.
            const int sx = (w * 7) % (201 - w), x = 200 - w - (w * 3) % (201 - w);
            Surface expected = background, actual = background;
            testkit::ReferenceBlitKeyedRect(expected, x, 1, src, sx, 0, w, 5);
            BlitWith(v.row, actual, x, 1, src, sx, 0, w, 5);
            ASSERT_TRUE(SameBytes(expected, actual))
                << v.name << " width " << w << " from " << sx << " to " << x;
        }
}

// Pixels one step from black are opaque: a variant that looked at fewer than all three bytes,
// or at bytes across the pixel's border, would take them for transparent.
TEST(KeyedRow, NearBlackPixelsAreCopiedAndOnlyExactBlackIsSkipped) {
    const std::uint8_t kinds[][3] = {{0, 0, 1}, {0, 1, 0}, {1, 0, 0}, {1, 1, 1}, {0, 0, 0}};
    std::mt19937 rng(5);
    Surface src, background;
    ASSERT_TRUE(src.Create(130, 1) && background.Create(130, 1));
    for (int x = 0; x < 130; ++x) {
        std::memcpy(src.PixelAt(x, 0), kinds[rng() % 5], 3);
        std::memset(background.PixelAt(x, 0), 0x77, 3);
    }
    for (const Variant& v : Variants())
        for (int w = 1; w <= 130; ++w) {
            Surface expected = background, actual = background;
            testkit::ReferenceBlitKeyedRect(expected, 0, 0, src, 130 - w, 0, w, 1);
            BlitWith(v.row, actual, 0, 0, src, 130 - w, 0, w, 1);
            ASSERT_TRUE(SameBytes(expected, actual)) << v.name << " width " << w;
        }
}

TEST(KeyedRow, MatchesThePerPixelRuleOnTheShippedPictures) {
    const auto load = [](const std::string& name) {
        Surface s;
        EXPECT_TRUE(s.LoadBMP((std::string(MORVANE_ASSETS_DIR) + "/" + name).c_str())) << name;
        return s;
    };
    const Surface frame = load("frame.bmp"), title = load("title.bmp"), sprite = load("sprite.bmp"),
                  font = load("fonts.bmp"), letter = load("W.bmp");
    const struct {
        const Surface& src;
        int x, y, sx, sy, w, h;
    } copies[] = {
        {title, 0, 0, 0, 0, 320, 240},        {frame, 0, 0, 0, 0, 320, 240},
        {letter, 88, 16, 0, 0, 144, 160},     {sprite, 0, 88, 0, 64, 320, 64},
        {sprite, 32, 200, 0, 176, 77, 16},    {sprite, 32, 184, 0, 160, 255, 16},
        {sprite, 160, 120, 240, 288, 80, 80}, {font, 260, 64, 112, 0, 16, 24},
    };
    std::mt19937 rng(7);
    const Surface background = RandomPicture(320, 240, rng);
    for (const Variant& v : Variants()) {
        Surface expected = background, actual = background;
        for (const auto& c : copies) {
            testkit::ReferenceBlitKeyedRect(expected, c.x, c.y, c.src, c.sx, c.sy, c.w, c.h);
            BlitWith(v.row, actual, c.x, c.y, c.src, c.sx, c.sy, c.w, c.h);
            ASSERT_TRUE(SameBytes(expected, actual)) << v.name << " at " << c.x << "," << c.y;
        }
    }
}

} // namespace
