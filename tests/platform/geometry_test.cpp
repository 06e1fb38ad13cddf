// Window geometry: centring, the outer size for a client area, the work area, and dialog units.
#include "platform/dlgunits.h"
#include "platform/headless/headless_system.h"
#include "platform/sysmetrics.h"

#include <climits>

#include <gtest/gtest.h>

namespace {

TEST(CentreOriginTest, TruncatesTowardZeroAndFollowsTheAreasOrigin) {
    struct Case {
        int lo, hi, extent, expected;
    };
    const Case cases[] = {
        {0, 1024, 327, 348},   // 697 / 2
        {0, 300, 327, -13},    // -27 / 2 truncates to -13, not -14
        {0, 299, 327, -14},    // -28 / 2
        {0, 301, 327, -13},    // -26 / 2
        {100, 1124, 327, 448}, // a task bar on the left shifts the window by its width
        {-1024, 0, 327, -676}, // a work area left of the primary screen
        {40, 808, 291, 278},   // a task bar at the top
        {0, 327, 327, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lo << ".." << c.hi << " extent " << c.extent);
        EXPECT_EQ(CentreOrigin(c.lo, c.hi, c.extent), c.expected);
    }
}

TEST(AdjustWindowRectExTest, AddsFrameCaptionMenuAndEdgeForTheStyle) {
    AfxSetSystemMetrics(SystemMetrics{});
    struct Case {
        const char* name;
        DWORD style;
        BOOL bMenu;
        DWORD exStyle;
        RECT expected;
    };
    const Case cases[] = {
        {"fixed frame, menu, client edge",
         WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
         TRUE,
         WS_EX_CLIENTEDGE,
         {-5, -43, 325, 245}},
        {"fixed frame without menu", WS_CAPTION | WS_SYSMENU, FALSE, 0, {-3, -22, 323, 243}},
        {"sizing border", WS_OVERLAPPEDWINDOW, FALSE, 0, {-4, -23, 324, 244}},
        {"thin border only", WS_CHILD | WS_BORDER, FALSE, 0, {-1, -1, 321, 241}},
        {"no border", WS_CHILD, FALSE, 0, {0, 0, 320, 240}},
        {"client edge only", WS_CHILD, FALSE, WS_EX_CLIENTEDGE, {-2, -2, 322, 242}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RECT rc{0, 0, 320, 240};
        ASSERT_TRUE(AdjustWindowRectEx(&rc, c.style, c.bMenu, c.exStyle));
        EXPECT_EQ(rc.left, c.expected.left);
        EXPECT_EQ(rc.top, c.expected.top);
        EXPECT_EQ(rc.right, c.expected.right);
        EXPECT_EQ(rc.bottom, c.expected.bottom);
    }
    EXPECT_FALSE(AdjustWindowRectEx(nullptr, WS_CAPTION, TRUE, 0));
}

TEST(SystemParametersInfoTest, ReadsTheWorkAreaAndRefusesWhatItCannotGive) {
    HeadlessSystem system;
    system.Install();
    system.SetWorkArea(RECT{48, 0, 1280, 1000});
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work.left, 48);
    EXPECT_EQ(work.right, 1280);
    EXPECT_EQ(work.bottom, 1000);

    EXPECT_FALSE(SystemParametersInfoA(SPI_GETWORKAREA, 0, nullptr, 0));
    EXPECT_FALSE(SystemParametersInfoA(0x0001, 0, &work, 0));
    system.SetWorkArea(RECT{10, 10, 10, 500}); // no width: unknown
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
}

TEST(DialogUnitsTest, MulDivRoundsHalvesAwayFromZero) {
    struct Case {
        int a, b, c, expected;
    };
    const Case cases[] = {
        {149, 6, 4, 224},         {101, 12, 8, 152}, {3, 1, 2, 2},        {-3, 1, 2, -2},
        {7, -1, 2, -4},           {5, 1, 3, 2},      {4, 1, 3, 1},        {5, 1, 0, -1},
        {INT_MAX, 2, 2, INT_MAX}, {-7, 3, -2, 11},   {INT_MAX, 2, 1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " * " << c.b << " / " << c.c);
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected);
    }
}

TEST(DialogUnitsTest, MapsRectanglesByQuarterWidthsAndEighthHeights) {
    const DialogBaseUnits units{6, 12};
    const RECT box = MapDialogRect(RECT{0, 0, 149, 101}, units);
    EXPECT_EQ(box.right, 224);
    EXPECT_EQ(box.bottom, 152);
    const RECT ok = MapDialogRect(RECT{49, 80, 99, 94}, units);
    EXPECT_EQ(ok.left, 74); // 73.5
    EXPECT_EQ(ok.top, 120);
    EXPECT_EQ(ok.right, 149); // 148.5
    EXPECT_EQ(ok.bottom, 141);
}

} // namespace
