#include "surface/surface.h"
#include "testkit/bmp_bytes.h"
#include "testkit/surface_pixel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace {

using testkit::Rgb;

using testkit::At;
void ExpectEmpty(const Surface& s) {
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(s.Width(), 0);
    EXPECT_EQ(s.Height(), 0);
    EXPECT_EQ(s.Pitch(), 0);
    EXPECT_EQ(s.BytesPerPixel(), 0);
    EXPECT_EQ(s.Info(), nullptr);
}

TEST(SurfaceLayout, PitchIsThreeBytesAPixelRoundedUpToFour) {
    const struct {
        int nWidth, nPitch;
    } cases[] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {25, 76}, {320, 960}};
    for (const auto& c : cases) {
        Surface s;
        ASSERT_TRUE(s.Create(c.nWidth, 2));
        EXPECT_EQ(s.Pitch(), c.nPitch) << "width " << c.nWidth;
        EXPECT_EQ(s.BytesPerPixel(), 3);
    }
    // A loaded picture gets the same pitch as a created one.
    Surface loaded;
    std::string reason;
    const auto bytes = testkit::MakeBmp({.nWidth = 25, .nHeight = 2});
    ASSERT_TRUE(loaded.LoadBMPFromMemory(bytes.data(), bytes.size(), reason)) << reason;
    EXPECT_EQ(loaded.Pitch(), 76);
}

TEST(SurfaceLayout, BackBufferIsBlackAndStoredBottomUp) {
    Surface s;
    ASSERT_TRUE(s.Create(320, 240));
    const std::uint8_t* pBase = s.Bits();
    EXPECT_EQ(s.PixelAt(0, 0) - pBase, 229440);
    EXPECT_EQ(s.PixelAt(319, 239) - pBase, 957);
    EXPECT_EQ(s.PixelAt(0, 239) - pBase, 0);
    for (int i = 0; i < 240 * 960; ++i)
        ASSERT_EQ(pBase[i], 0) << "byte " << i;
    ASSERT_NE(s.Info(), nullptr);
    EXPECT_EQ(s.Info()->biSize, 40u);
    EXPECT_EQ(s.Info()->biHeight, 240);
    EXPECT_EQ(s.Info()->biBitCount, 24);
}

TEST(SurfaceLayout, CreateRefusesSizesItCannotHold) {
    const struct {
        int w, h;
    } cases[] = {{0, 10}, {10, 0}, {-1, 10}, {10, -3}, {100000, 100000}, {INT32_MAX, 1}};
    for (const auto& c : cases) {
        Surface s;
        ASSERT_TRUE(s.Create(8, 8));
        EXPECT_FALSE(s.Create(c.w, c.h)) << c.w << " x " << c.h;
        ExpectEmpty(s);
    }
}

TEST(SurfaceState, ClearAndReleaseOnEmptyChangeNothing) {
    Surface s;
    s.Clear();
    s.Release();
    s.Release();
    ExpectEmpty(s);
    ASSERT_TRUE(s.Create(3, 3));
    s.Release();
    s.Release();
    ExpectEmpty(s);
}

TEST(SurfaceState, ClearBlanksEveryByteIncludingRowPadding) {
    Surface s;
    ASSERT_TRUE(s.Create(5, 4)); // pitch 16: one padding byte a row
    std::memset(const_cast<std::uint8_t*>(s.Bits()), 0xAB, 16 * 4);
    s.Clear();
    for (int i = 0; i < 16 * 4; ++i)
        ASSERT_EQ(s.Bits()[i], 0);
}

Surface Patterned(int w, int h, int seed) {
    Surface s;
    EXPECT_TRUE(s.Create(w, h));
    for (int i = 0; i < h * s.Pitch(); ++i)
        const_cast<std::uint8_t*>(s.Bits())[i] = static_cast<std::uint8_t>(i * 7 + seed);
    return s;
}

TEST(SurfaceCopy, EqualSizeKeepsTheBufferAndCopiesEveryByte) {
    Surface src = Patterned(5, 3, 1);
    Surface dst;
    ASSERT_TRUE(dst.Create(5, 3));
    const std::uint8_t* pBefore = dst.Bits();
    dst.CopyFrom(src);
    EXPECT_EQ(dst.Bits(), pBefore);
    EXPECT_EQ(std::memcmp(dst.Bits(), src.Bits(), 16 * 3), 0);
}

TEST(SurfaceCopy, DifferentSizeRecreatesAtTheSourceSize) {
    Surface src = Patterned(7, 2, 3);
    Surface dst;
    ASSERT_TRUE(dst.Create(2, 9));
    dst.CopyFrom(src);
    EXPECT_EQ(dst.Width(), 7);
    EXPECT_EQ(dst.Height(), 2);
    EXPECT_EQ(dst.Pitch(), 24);
    EXPECT_EQ(std::memcmp(dst.Bits(), src.Bits(), 24 * 2), 0);
    EXPECT_NE(dst.Bits(), src.Bits());
}

TEST(SurfaceCopy, CopyConstructorAndAssignmentMakeIndependentCopies) {
    Surface src = Patterned(4, 4, 9);
    Surface copy(src);
    Surface assigned;
    ASSERT_TRUE(assigned.Create(4, 4));
    assigned = src;
    for (const Surface* p : {&copy, &assigned}) {
        ASSERT_EQ(p->Width(), 4);
        EXPECT_NE(p->Bits(), src.Bits());
        EXPECT_EQ(std::memcmp(p->Bits(), src.Bits(), 12 * 4), 0);
    }
    src.Clear();
    EXPECT_NE(At(copy, 1, 1), At(src, 1, 1));

    Surface empty;
    Surface fromEmpty(empty);
    ExpectEmpty(fromEmpty);
    assigned = empty;
    ExpectEmpty(assigned);

    // Assigning a surface to itself keeps its picture.
    Surface& same = copy;
    copy = same;
    ASSERT_EQ(copy.Width(), 4);
    EXPECT_NE(At(copy, 1, 1), At(src, 1, 1));
    EXPECT_EQ(std::memcmp(copy.Bits(), Patterned(4, 4, 9).Bits(), 12 * 4), 0);
}

// A move hands over the very buffers, so the picture reads the same through the taken
// tables, and leaves the source empty with nothing pointing at what it gave away.
void ExpectMoved(const Surface& dst, const std::uint8_t* pBits, Surface& src) {
    EXPECT_EQ(dst.Bits(), pBits);
    ASSERT_EQ(dst.Width(), 5);
    EXPECT_EQ(At(dst, 4, 2), At(Patterned(5, 3, 1), 4, 2));
    ExpectEmpty(src);
    EXPECT_EQ(src.Bits(), nullptr);
    EXPECT_TRUE(src.Create(2, 2)) << "a moved-from surface is usable again";
}

TEST(SurfaceMove, ConstructionTakesTheBuffers) {
    Surface src = Patterned(5, 3, 1);
    const std::uint8_t* pBits = src.Bits();
    Surface dst(std::move(src));
    ExpectMoved(dst, pBits, src);
}

TEST(SurfaceMove, AssignmentReleasesWhatItHeldAndTakesTheBuffers) {
    Surface src = Patterned(5, 3, 1);
    const std::uint8_t* pBits = src.Bits();
    Surface dst = Patterned(2, 7, 4);
    dst = std::move(src);
    ExpectMoved(dst, pBits, src);
}

struct RecordingTarget : PresentTarget {
    int nCalls = 0, nX = 0, nY = 0;
    PixelBlock block;
    void DrawPixels(int x, int y, const PixelBlock& b) override {
        ++nCalls;
        nX = x;
        nY = y;
        block = b;
    }
};

TEST(SurfacePresent, HandsTheWholeBufferToTheTarget) {
    Surface s;
    ASSERT_TRUE(s.Create(320, 240));
    RecordingTarget target;
    s.Present(target, 0, 0);
    ASSERT_EQ(target.nCalls, 1);
    EXPECT_EQ(target.block.pBits, s.Bits());
    EXPECT_EQ(target.block.nWidth, 320);
    EXPECT_EQ(target.block.nHeight, 240);
    EXPECT_EQ(target.block.nPitch, 960);

    Surface empty;
    empty.Present(target, 3, 4);
    EXPECT_EQ(target.nCalls, 1); // nothing to show, nothing drawn
}

} // namespace
