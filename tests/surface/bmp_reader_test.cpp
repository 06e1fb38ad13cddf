#include "surface/surface.h"
#include "testkit/bmp_bytes.h"
#include "testkit/surface_pixel.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

using testkit::BmpRecipe;
using testkit::MakeBmp;
using testkit::Rgb;

using testkit::At;
void ExpectPattern(const Surface& s, int w, int h) {
    ASSERT_EQ(s.Width(), w);
    ASSERT_EQ(s.Height(), h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(At(s, x, y), testkit::PatternColour(x, y)) << "pixel " << x << "," << y;
}

// A surface that already holds a picture, to show that a failed load empties it.
Surface Holding() {
    Surface s;
    EXPECT_TRUE(s.Create(6, 6));
    return s;
}

TEST(BmpLoad, FileOnDiskLoadsWithTopLeftAsTheLastStoredRow) {
    testkit::TempDir dir;
    const auto bytes = MakeBmp({.nWidth = 5, .nHeight = 3});
    testkit::WriteFile(dir.File("pic.bmp"), bytes);
    Surface s;
    std::string reason;
    ASSERT_TRUE(s.LoadBMP(dir.File("pic.bmp").c_str(), reason)) << reason;
    ExpectPattern(s, 5, 3);
    // The last row in the file is what a viewer shows at the top.
    const std::size_t nLastRow = bytes.size() - 16;
    const Rgb top{bytes[nLastRow + 2], bytes[nLastRow + 1], bytes[nLastRow]};
    EXPECT_EQ(At(s, 0, 0), top);
    ASSERT_NE(s.Info(), nullptr);
    EXPECT_EQ(s.Info()->biBitCount, 24);
}

TEST(BmpLoad, MissingFileEmptiesTheSurfaceAndSaysSo) {
    testkit::TempDir dir;
    Surface s = Holding();
    std::string reason;
    EXPECT_FALSE(s.LoadBMP(dir.File("Q.bmp").c_str(), reason));
    EXPECT_EQ(reason, "no such file");
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(s.Width(), 0);

    Surface d = Holding();
    EXPECT_FALSE(d.LoadBMP(dir.Path().string().c_str(), reason)); // a folder is no picture
    EXPECT_TRUE(d.IsEmpty());
    EXPECT_FALSE(reason.empty());
}

TEST(BmpLoad, AcceptsEveryKnownHeaderAndIgnoresUntrustedFields) {
    const BmpRecipe cases[] = {
        {.nHeaderSize = 40},
        {.nHeaderSize = 52},
        {.nHeaderSize = 56},
        {.nHeaderSize = 108},
        {.nHeaderSize = 124},
        {.nHeaderSize = 12},
        {.nGap = 9}, // bytes skipped before the pixels
        {.nFileSizeField = 7, .nImageSizeField = 1u << 31, .nClrUsedField = 0xFFFFFFFF},
        {.nWidth = 1, .nHeight = 1},
        {.nWidth = 7, .nHeight = 2},
    };
    for (const BmpRecipe& recipe : cases) {
        SCOPED_TRACE("header " + std::to_string(recipe.nHeaderSize) + " gap " + std::to_string(recipe.nGap));
        const auto bytes = MakeBmp(recipe);
        Surface s;
        std::string reason;
        ASSERT_TRUE(s.LoadBMPFromMemory(bytes.data(), bytes.size(), reason)) << reason;
        ExpectPattern(s, recipe.nWidth, recipe.nHeight);
    }
}

TEST(BmpLoad, TopDownFileLooksLikeItsBottomUpTwin) {
    for (int h : {1, 2, 5}) {
        const auto up = MakeBmp({.nWidth = 3, .nHeight = h});
        const auto down = MakeBmp({.nWidth = 3, .nHeight = -h});
        ASSERT_NE(up, down);
        Surface a, b;
        std::string reason;
        ASSERT_TRUE(a.LoadBMPFromMemory(up.data(), up.size(), reason)) << reason;
        ASSERT_TRUE(b.LoadBMPFromMemory(down.data(), down.size(), reason)) << reason;
        ASSERT_EQ(b.Height(), h);
        EXPECT_EQ(std::memcmp(a.Bits(), b.Bits(), static_cast<std::size_t>(a.Pitch() * h)), 0);
        EXPECT_GT(b.Info()->biHeight, 0);
    }
}

struct Rejection {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* reason; // the start of the expected reason
};

std::vector<std::uint8_t> Patched(BmpRecipe recipe, std::size_t at, std::vector<std::uint8_t> with) {
    auto v = MakeBmp(recipe);
    std::copy(with.begin(), with.end(), v.begin() + static_cast<std::ptrdiff_t>(at));
    return v;
}

std::vector<std::uint8_t> Cut(BmpRecipe recipe, std::size_t nDrop) {
    auto v = MakeBmp(recipe);
    v.resize(v.size() - nDrop);
    return v;
}

std::vector<Rejection> Rejections() {
    const BmpRecipe good{.nWidth = 5, .nHeight = 3}; // rows of 15 bytes + 1 padding
    return {
        {"empty file", {}, "not a BMP file"},
        {"one byte", {'B'}, "not a BMP file"},
        {"wrong magic", Patched(good, 0, {'B', 'A'}), "not a BMP file"},
        {"headers cut short", Cut(good, MakeBmp(good).size() - 30), "header truncated"},
        {"unknown header size", MakeBmp({.nHeaderSize = 64}), "unknown BMP header size 64"},
        {"8 bits per pixel", MakeBmp({.nBitCount = 8}), "24 bits per pixel required, found 8"},
        {"16 bits per pixel", MakeBmp({.nBitCount = 16}), "24 bits per pixel required, found 16"},
        {"32 bits per pixel", MakeBmp({.nBitCount = 32}), "24 bits per pixel required, found 32"},
        {"core header, 8 bits", MakeBmp({.nHeaderSize = 12, .nBitCount = 8}), "24 bits per pixel required"},
        {"run-length compressed", MakeBmp({.nCompression = 1}), "compressed"},
        {"bit-field masks", MakeBmp({.nHeaderSize = 56, .nCompression = 3}), "compressed or bit-field"},
        {"two planes", MakeBmp({.nPlanes = 2}), "1 plane required, found 2"},
        {"zero width", MakeBmp({.nWidth = 0}), "width must be positive"},
        {"negative width", MakeBmp({.nWidth = -4}), "width must be positive"},
        {"zero height", MakeBmp({.nHeight = 0}), "height is zero"},
        // INT32_MIN cannot be negated; it must be turned away, not wrapped into a huge picture.
        {"INT32_MIN height", Patched({.nWidth = 2, .nHeight = 1}, 22, {0, 0, 0, 0x80}),
         "height out of range"},
        {"too wide", MakeBmp({.nWidth = 16385, .nHeight = 1}), "picture too large"},
        {"too tall", Patched({.nWidth = 1, .nHeight = 1}, 22, {0x01, 0x40, 0, 0}), "picture too large"},
        {"pixel offset inside the headers", MakeBmp({.nOffsetBits = 53}), "pixel offset inside the headers"},
        {"pixel offset past the end", MakeBmp({.nOffsetBits = 100000}), "pixel offset past the end"},
        {"last row's padding missing", Cut(good, 1), "pixel data truncated"},
        {"whole rows missing", Cut(good, 17), "pixel data truncated"},
        {"huge size claimed by a tiny file",
         Patched({.nWidth = 1, .nHeight = 1}, 18, {0, 0x40, 0, 0, 0, 0x40, 0, 0}), "pixel data truncated"},
    };
}

TEST(BmpLoad, RejectsEveryMalformedFileAndLeavesTheSurfaceEmpty) {
    auto cases = Rejections();
    for (const Rejection& c : cases) {
        SCOPED_TRACE(c.name);
        Surface s = Holding();
        std::string reason;
        EXPECT_FALSE(s.LoadBMPFromMemory(c.bytes.data(), c.bytes.size(), reason));
        EXPECT_TRUE(s.IsEmpty());
        EXPECT_EQ(s.Width(), 0);
        EXPECT_EQ(s.Info(), nullptr);
        EXPECT_EQ(reason.rfind(c.reason, 0), 0u) << "reason was: " << reason;
        EXPECT_FALSE(reason.empty());
    }
}

TEST(BmpLoad, RejectionsFromDiskMatchThoseFromMemory) {
    testkit::TempDir dir;
    for (const Rejection& c : Rejections()) {
        SCOPED_TRACE(c.name);
        testkit::WriteFile(dir.File("x.bmp"), c.bytes);
        Surface fromDisk = Holding(), fromMemory;
        std::string diskReason, memoryReason;
        EXPECT_FALSE(fromDisk.LoadBMP(dir.File("x.bmp").c_str(), diskReason));
        EXPECT_TRUE(fromDisk.IsEmpty());
        fromMemory.LoadBMPFromMemory(c.bytes.data(), c.bytes.size(), memoryReason);
        EXPECT_EQ(diskReason, memoryReason);
    }
}

} // namespace
