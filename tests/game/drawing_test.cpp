// The drawing steps: where each element lands and which source pixels it takes, the time
// bar's width, the digit counters and the row wipe.
#include "game_harness.h"

#include <cstring>

namespace {

class DrawingTest : public GameTest {
protected:
    void SetUp() override {
        CreateViewOrFail();
        Peer().ResetCounters();
    }
    std::vector<std::uint8_t> BackBytes() const {
        const Surface& b = view->m_back;
        return {b.Bits(), b.Bits() + static_cast<std::size_t>(b.Pitch()) * b.Height()};
    }
};

TEST(TimeBarWidthTest, KnownWidths) {
    const std::pair<DWORD, int> cases[] = {{0, 0},       {234, 0},     {235, 1},
                                           {1000, 4},    {10000, 42},  {30000, 128},
                                           {59900, 255}, {60000, 256}, {0xFFFFFFFFu, 18339510}};
    for (auto [dwTime, nWidth] : cases)
        EXPECT_EQ(CGameView::TimeBarWidth(dwTime), nWidth) << dwTime;
}

TEST(TimeBarWidthTest, AgreesWithTheSinglePrecisionConstantOverTheWholeGame) {
    float fConstant;
    const std::uint32_t nBits = 0x3B8BEB5B;
    std::memcpy(&fConstant, &nBits, sizeof fConstant);
    for (DWORD t = 0; t <= 60000; ++t)
        ASSERT_EQ(CGameView::TimeBarWidth(t),
                  static_cast<int>(double{static_cast<float>(t)} * double{fConstant}))
            << t;
}

TEST_F(DrawingTest, TimeBarAndGaugeAreLeftAlignedStripsOfTheirSourceRows) {
    Access().SetTimeLeft(1000); // 4 pixels
    Access().DrawTimeBar();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Back(32 + i, 184), Packed(testkit::TimeBarColour(i)));
        EXPECT_EQ(Back(32 + i, 199), Packed(testkit::TimeBarColour(i)));
    }
    EXPECT_EQ(Back(36, 184), 0u);
    EXPECT_EQ(Back(32, 200), 0u);

    Access().DrawGauge(128);
    EXPECT_EQ(Back(32, 200), Packed(testkit::GaugeColour(0)));
    EXPECT_EQ(Back(159, 215), Packed(testkit::GaugeColour(127)));
    EXPECT_EQ(Back(160, 200), 0u);
    EXPECT_EQ(Back(32, 216), 0u);
}

TEST_F(DrawingTest, EmptyOrNegativeGaugeAndZeroTimeDrawNothing) {
    const auto before = BackBytes();
    Access().DrawGauge(0);
    Access().DrawGauge(-47);
    Access().SetTimeLeft(234);
    Access().DrawTimeBar();
    EXPECT_EQ(BackBytes(), before);
}

TEST_F(DrawingTest, MissCountShowsTheThreeLowDigitsHundredsFirst) {
    Access().SetMissDigits({7, 4, 2, 1});
    Access().DrawMissCount();
    EXPECT_EQ(Back(260, 64), Packed(testkit::DigitColour(2)));
    EXPECT_EQ(Back(276, 64), Packed(testkit::DigitColour(4)));
    EXPECT_EQ(Back(292, 87), Packed(testkit::DigitColour(7)));
    EXPECT_EQ(Back(307, 64), Packed(testkit::DigitColour(7)));
    EXPECT_EQ(Back(308, 64), 0u);
    EXPECT_EQ(Back(259, 64), 0u) << "the thousands digit is never shown";
}

TEST_F(DrawingTest, PlayScreenComposesFrameLetterGaugeTimeAndMisses) {
    Access().SetLetter(3);
    Access().SetGauge(10);
    Access().SetTimeLeft(60000);
    Access().SetMissDigits({5, 0, 0, 0});
    Access().DrawPlayScreen();
    EXPECT_EQ(Back(0, 0), FRAME);
    EXPECT_EQ(Back(88, 16), Packed(testkit::LetterColour(3)));
    EXPECT_EQ(Back(88 + testkit::LETTER_W - 1, 16 + testkit::LETTER_H - 1), Packed(testkit::LetterColour(3)));
    EXPECT_EQ(Back(88 + testkit::LETTER_W, 16), FRAME);
    EXPECT_EQ(Back(41, 200), Packed(testkit::GaugeColour(9)));
    EXPECT_EQ(Back(42, 200), FRAME);
    EXPECT_EQ(Back(287, 184), Packed(testkit::TimeBarColour(255)));
    EXPECT_EQ(Back(292, 64), Packed(testkit::DigitColour(5)));
    EXPECT_EQ(Back(260, 64), Packed(testkit::DigitColour(0)));
    EXPECT_EQ(Invalidations(), 0) << "drawing steps leave the repaint to their caller";
}

TEST_F(DrawingTest, BlackFramePixelsLeaveWhatWasThere) {
    // A frame with a black square where the marks go: an old mark shows through it.
    testkit::WriteFile(File("frame.bmp"), testkit::MakeBmp24(320, 240, [](int x, int y) {
                           return x >= 80 && x < 100 && y >= 184 && y < 190 ? testkit::Rgb{}
                                                                            : testkit::FRAME_COLOUR;
                       }));
    view.reset();
    CreateViewOrFail();
    std::memset(Access().Back().PixelAt(0, 187), 0x7F, 320 * 3);
    Access().DrawPlayScreen();
    EXPECT_EQ(Back(80, 187), 0x7F7F7Fu);
    EXPECT_EQ(Back(100, 187), FRAME);
}

TEST(StepDigitsTest, CarriesAndWraps) {
    const std::pair<DigitCounter, DigitCounter> cases[] = {
        {{0, 0, 0, 0}, {1, 0, 0, 0}}, {{9, 0, 0, 0}, {0, 1, 0, 0}}, {{9, 9, 0, 0}, {0, 0, 1, 0}},
        {{9, 9, 9, 0}, {0, 0, 0, 1}}, {{9, 9, 9, 9}, {0, 0, 0, 0}}, {{8, 9, 9, 9}, {9, 9, 9, 9}},
    };
    for (auto [before, after] : cases) {
        DigitCounter d = before;
        StepDigits(d);
        EXPECT_EQ(d, after);
    }
    EXPECT_EQ(LowDigitsValue({3, 0, 0, 1}), 3);
    EXPECT_EQ(LowDigitsValue({7, 4, 2, 9}), 247);
}

TEST_F(DrawingTest, WipeRowsCopiesEveryEighthRowAndSaysWhenItIsDone) {
    struct Case {
        int start;
        bool result;
        int firstRow; // -1: nothing copied
    };
    for (const Case& c : {Case{0, false, -1}, Case{-5, false, -1}, Case{3, false, 3}, Case{8, true, 8}}) {
        SCOPED_TRACE(c.start);
        Access().Back().Clear();
        Peer().ResetCounters();
        EXPECT_EQ(Access().WipeRows(Access().Logo(), c.start), c.result);
        EXPECT_EQ(Invalidations(), c.firstRow < 0 ? 0 : 1);
        EXPECT_EQ(Peer().EraseRequestCount(), 0);
        for (int row = 0; row < 240; ++row) {
            const bool bCopied = c.firstRow >= 0 && row >= c.firstRow && (row - c.firstRow) % 8 == 0;
            ASSERT_EQ(Back(0, row), bCopied ? LOGO : 0u) << row;
            ASSERT_EQ(Back(319, row), bCopied ? LOGO : 0u) << row;
        }
    }
}

TEST_F(DrawingTest, WipeFromANarrowerPictureLeavesTheRestOfTheRow) {
    Surface narrow;
    ASSERT_TRUE(narrow.Create(318, 240)); // rows padded to 956 bytes
    std::memset(Access().Back().PixelAt(0, 8), 0x55, 320 * 3);
    Access().WipeRows(narrow, 8);
    EXPECT_EQ(Back(317, 8), 0u);
    EXPECT_EQ(Back(318, 8), 0x555555u) << "the row's padding must not land on the next pixel";
    EXPECT_EQ(Back(319, 8), 0x555555u);
}

} // namespace
