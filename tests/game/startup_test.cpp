// Start-up and the end of the view: the window class and style, the loading of the 31
// pictures with every failure reported in table order, and what is released when.
#include "game/random_source.h"
#include "game_harness.h"
#include "platform/wndclass.h"

#include <ctime>

namespace {

using StartupTest = GameTest;

TEST_F(StartupTest, SuccessfulStartShowsBlackAndStartsTheLogoTimer) {
    CreateViewOrFail();
    EXPECT_TRUE(view->GetLoadFailures().empty());
    EXPECT_EQ(view->m_nPhase, PHASE_LOGO);
    EXPECT_EQ(view->m_nTick, -5);
    EXPECT_FALSE(view->m_bPlaying);
    EXPECT_FALSE(view->m_bPaused);
    EXPECT_EQ(system.RunningTimers(*view), (std::vector<UINT_PTR>{TIMER_LOGO}));
    EXPECT_EQ(system.TimerPeriod(*view, TIMER_LOGO), 33u);
    ASSERT_EQ(view->m_back.Width(), 320);
    ASSERT_EQ(view->m_back.Height(), 240);
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(Access().Letters()[i].m_chLetter, 'A' + i);
        EXPECT_EQ(testkit::At(Access().Letters()[i].m_image, 0, 0), testkit::LetterColour(i));
    }
    EXPECT_EQ(system.Paint(), 1);
    const CapturedPicture& shot = Peer().Picture();
    for (auto [x, y] : {std::pair{0, 0}, {319, 239}, {160, 120}})
        EXPECT_EQ(shot.PixelAt(x, y), 0u) << "the first paint covers the brush with the black back buffer";
}

TEST_F(StartupTest, ViewDropsTheBorderAndUsesItsOwnWindowClass) {
    CreateViewOrFail();
    EXPECT_EQ(view->GetStyle(), WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(view->GetExStyle(), 0u);
    const WndClassInfo* pClass = AfxLookupWndClass(view->GetCreateStruct().lpszClass);
    ASSERT_NE(pClass, nullptr);
    EXPECT_EQ(pClass->nClassStyle, 0x000Bu);
    EXPECT_EQ(pClass->hCursor, IDC_ARROW);
    EXPECT_EQ(pClass->hbrBackground, 6);
    EXPECT_EQ(pClass->hIcon, nullptr);
}

TEST_F(StartupTest, MissingLetterStillTriesEveryFileAndFailsQuietly) {
    std::filesystem::remove(File("Q.bmp"));
    EXPECT_FALSE(CreateView());
    ASSERT_EQ(view->GetLoadFailures().size(), 1u);
    EXPECT_EQ(view->GetLoadFailures()[0].strFile, "Q.bmp");
    EXPECT_EQ(view->GetLoadFailures()[0].strReason, "no such file");
    EXPECT_FALSE(system.IsAlive(*view)) << "a refused creation destroys the view";
    EXPECT_TRUE(system.Peers().empty()) << "and with it every timer";
    // The letters after Q were tried (and stay until the destructor); the named pictures
    // and the back buffer went with the window.
    EXPECT_FALSE(Access().Letters()[25].m_image.IsEmpty());
    EXPECT_TRUE(Access().Letters()[16].m_image.IsEmpty());
    for (const Surface* p : Access().WindowPictures())
        EXPECT_TRUE(p->IsEmpty());
}

TEST_F(StartupTest, EveryFailureIsReportedInTableOrder) {
    std::filesystem::remove(File("sprite.bmp"));
    testkit::WriteFile(File("title.bmp"), testkit::MakeBmpOfDepth(320, 240, 8));
    std::filesystem::remove(File("Q.bmp"));
    testkit::WriteFile(File("Z.bmp"), testkit::MakeSolidBmp24(233, 10, {1, 2, 3}));
    EXPECT_FALSE(CreateView());
    std::vector<std::string> files;
    for (const AssetFailure& f : view->GetLoadFailures())
        files.push_back(f.strFile);
    EXPECT_EQ(files, (std::vector<std::string>{"sprite.bmp", "title.bmp", "Q.bmp", "Z.bmp"}));
}

struct BadPicture {
    const char* file;
    int w, h, bits;
    const char* reason; // part of the reason given
};

TEST_F(StartupTest, PicturesOfTheWrongDepthOrSizeFailStartUp) {
    const BadPicture cases[] = {
        {"fonts.bmp", 160, 24, 8, "24 bits per pixel required"},
        {"fonts.bmp", 160, 24, 32, "24 bits per pixel required"},
        {"frame.bmp", 320, 239, 24, "exactly 240 high"},
        {"frame.bmp", 321, 240, 24, "at most 320 wide"},
        {"sprite.bmp", 319, 368, 24, "at least 320 wide and 368 high"},
        {"sprite.bmp", 320, 367, 24, "at least 320 wide and 368 high"},
        {"vel.bmp", 320, 239, 24, "at least 240 high"},
        {"vel.bmp", 321, 240, 24, "at most 320 wide"},
        {"title.bmp", 320, 241, 24, "at most 320 wide and 240 high"},
        {"fonts.bmp", 159, 24, 24, "at least 160 wide and 24 high"},
        {"fonts.bmp", 160, 23, 24, "at least 160 wide and 24 high"},
        {"A.bmp", 233, 10, 24, "at most 232 wide and 224 high"},
        {"M.bmp", 10, 225, 24, "at most 232 wide and 224 high"},
    };
    for (const BadPicture& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + std::to_string(c.w) + "x" + std::to_string(c.h));
        testkit::WriteGameAssets(dir.Path());
        testkit::WriteFile(File(c.file), c.bits == 24 ? testkit::MakeSolidBmp24(c.w, c.h, {9, 9, 9})
                                                      : testkit::MakeBmpOfDepth(c.w, c.h, c.bits));
        EXPECT_FALSE(CreateView());
        ASSERT_EQ(view->GetLoadFailures().size(), 1u);
        EXPECT_EQ(view->GetLoadFailures()[0].strFile, c.file);
        EXPECT_NE(view->GetLoadFailures()[0].strReason.find(c.reason), std::string::npos)
            << view->GetLoadFailures()[0].strReason;
    }
}

TEST_F(StartupTest, PicturesAtTheLimitsOfTheirSizesAreAccepted) {
    testkit::WriteFile(File("frame.bmp"), testkit::MakeSolidBmp24(1, 240, {9, 9, 9}));
    testkit::WriteFile(File("sprite.bmp"), testkit::MakeBmp24(400, 400, testkit::SheetPixel));
    testkit::WriteFile(File("vel.bmp"), testkit::MakeSolidBmp24(320, 300, {9, 9, 9}));
    testkit::WriteFile(File("title.bmp"), testkit::MakeSolidBmp24(320, 240, {9, 9, 9}));
    testkit::WriteFile(File("fonts.bmp"), testkit::MakeSolidBmp24(160, 24, {9, 9, 9}));
    testkit::WriteFile(File("A.bmp"), testkit::MakeSolidBmp24(232, 224, {9, 9, 9}));
    EXPECT_TRUE(CreateView());
    EXPECT_TRUE(view->GetLoadFailures().empty());
}

TEST_F(StartupTest, DestroyReleasesTheNamedPicturesAndLeavesTheLettersToTheDestructor) {
    CreateViewOrFail();
    view->DestroyWindow();
    for (const Surface* p : Access().WindowPictures())
        EXPECT_TRUE(p->IsEmpty());
    for (const LetterImage& letter : Access().Letters())
        EXPECT_FALSE(letter.m_image.IsEmpty());
}

// Counts how the view uses its generator.
class CountingRandom : public RandomSource {
public:
    void Seed(unsigned int nSeed) override {
        seeds.push_back(nSeed);
        m_inner.Seed(nSeed);
    }
    int Rand() override {
        ++nDraws;
        return m_inner.Rand();
    }
    std::vector<unsigned int> seeds;
    int nDraws = 0;

private:
    FixedSeedRandom m_inner{7};
};

TEST_F(StartupTest, ConstructionSeedsOnceWithTheTimeAndDrawsOneLetter) {
    CountingRandom counting;
    const auto before = static_cast<unsigned int>(std::time(nullptr));
    const CGameView made(counting);
    const GameSnapshot fresh = made.Snapshot();
    const auto after = static_cast<unsigned int>(std::time(nullptr));
    ASSERT_EQ(counting.seeds.size(), 1u);
    EXPECT_GE(counting.seeds[0], before);
    EXPECT_LE(counting.seeds[0], after);
    EXPECT_EQ(counting.nDraws, 1);
    EXPECT_EQ(fresh.m_nGauge, 128);
    EXPECT_FALSE(fresh.m_bPlaying);
    EXPECT_EQ(fresh.m_dwShownAt, 0u);
    EXPECT_GE(fresh.m_nLetter, 0);
    EXPECT_LT(fresh.m_nLetter, 26);
}

TEST(RandomSourceTest, FixedSeedGivesTheClassicRuntimeSequence) {
    // The classic runtime's first values after srand(1).
    FixedSeedRandom random(1);
    random.Seed(12345); // ignored: the fixed seed wins
    EXPECT_EQ(random.Rand(), 41);
    EXPECT_EQ(random.Rand(), 18467);
    EXPECT_EQ(random.Rand(), 6334);
}

} // namespace
