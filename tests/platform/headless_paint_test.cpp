// Painting on the headless desktop: what OnPaint presents is captured, repaints merge,
// erasing is counted and done with the class brush, hidden windows are not painted.
#include "platform/wndclass.h"
#include "recording_wnd.h"
#include "testkit/synthetic_bitmaps.h"

namespace {

class PaintTest : public HeadlessTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(picture.Create(4, 3));
        SetPixel(0, 0, 0x102030);
        SetPixel(3, 2, 0xA0B0C0);
    }
    void SetPixel(int x, int y, std::uint32_t rgb) {
        std::uint8_t* p = picture.PixelAt(x, y);
        p[0] = static_cast<std::uint8_t>(rgb);
        p[1] = static_cast<std::uint8_t>(rgb >> 8);
        p[2] = static_cast<std::uint8_t>(rgb >> 16);
    }
    // A window whose OnPaint presents `picture` at (x, y).
    void PresentsPicture(RecordingWnd& wnd, int x, int y) {
        wnd.onPaint = [this, &wnd, x, y] {
            CPaintDC dc(&wnd);
            picture.Present(dc, x, y);
        };
    }
    Surface picture;
};

TEST_F(PaintTest, PaintCapturesWhatOnPaintPresented) {
    RecordingWnd wnd("W", log, system);
    ASSERT_TRUE(wnd.CreateSimple());
    PresentsPicture(wnd, 10, 20);
    EXPECT_EQ(system.Paint(), 1) << "a newly shown window is exposed";
    const CapturedPicture& shot = system.PeerOf(wnd)->Picture();
    EXPECT_EQ(shot.Width(), 320);
    EXPECT_EQ(shot.Height(), 240);
    EXPECT_EQ(shot.PixelAt(10, 20), 0x102030u);
    EXPECT_EQ(shot.PixelAt(13, 22), 0xA0B0C0u);
    EXPECT_EQ(shot.PixelAt(11, 20), 0u);
    EXPECT_EQ(system.Paint(), 0) << "nothing pending";

    const std::uint64_t before = shot.Hash();
    SetPixel(1, 1, 0x000001);
    wnd.InvalidateRect(nullptr, FALSE);
    system.Paint();
    EXPECT_NE(shot.Hash(), before) << "one changed byte changes the hash";
    SetPixel(1, 1, 0);
    wnd.InvalidateRect(nullptr, FALSE);
    system.Paint();
    EXPECT_EQ(shot.Hash(), before);
}

TEST_F(PaintTest, RepaintRequestsMergeAndErasingIsCounted) {
    RecordingWnd wnd("W", log, system);
    ASSERT_TRUE(wnd.CreateSimple());
    system.Paint();
    HeadlessPeer& peer = *system.PeerOf(wnd);
    peer.ResetCounters();
    wnd.InvalidateRect(nullptr, FALSE);
    wnd.InvalidateRect(nullptr, FALSE);
    EXPECT_TRUE(peer.IsInvalid());
    EXPECT_FALSE(peer.IsErasePending());
    wnd.Invalidate(); // erase by default
    EXPECT_TRUE(peer.IsErasePending());
    EXPECT_EQ(peer.InvalidateCount(), 3);
    EXPECT_EQ(peer.EraseRequestCount(), 1);
    EXPECT_EQ(system.Paint(), 1);
    EXPECT_EQ(peer.PaintCount(), 1);
    EXPECT_FALSE(peer.IsInvalid());
}

TEST_F(PaintTest, ErasingFillsWithTheClassBrushBeforeOnPaint) {
    RecordingWnd wnd("W", log, system);
    const LPCSTR lpszClass = AfxRegisterWndClass(0, nullptr, COLOR_WINDOW + 1);
    ASSERT_TRUE(wnd.CreateSimple(nullptr, lpszClass));
    PresentsPicture(wnd, 0, 0);
    system.Paint();
    const CapturedPicture& shot = system.PeerOf(wnd)->Picture();
    EXPECT_EQ(shot.PixelAt(0, 0), 0x102030u);
    EXPECT_EQ(shot.PixelAt(100, 100), 0xFFFFFFu) << "outside the presented picture the brush shows";
}

TEST_F(PaintTest, HiddenWindowsAndChildrenOfHiddenWindowsAreNotPainted) {
    RecordingWnd parent("P", log, system), child("C", log, system);
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "P", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, 0));
    ASSERT_TRUE(child.CreateSimple(&parent));
    child.InvalidateRect(nullptr, FALSE);
    EXPECT_EQ(system.Paint(), 0);
    parent.ShowWindow(SW_SHOW);
    EXPECT_EQ(system.Paint(), 2);
    EXPECT_EQ(Logged(WM_PAINT), (std::vector<std::string>{"P:0", "C:0"}));
}

TEST_F(PaintTest, PresentingOutsideAPaintDrawsNothingAndUpdatePaintsAtOnce) {
    RecordingWnd wnd("W", log, system);
    ASSERT_TRUE(wnd.CreateSimple());
    system.Paint();
    {
        CPaintDC dc(&wnd); // not inside WM_PAINT: no target
        picture.Present(dc, 0, 0);
    }
    EXPECT_EQ(system.PeerOf(wnd)->Picture().PixelAt(0, 0), 0u);
    PresentsPicture(wnd, 0, 0);
    wnd.InvalidateRect(nullptr, FALSE);
    wnd.UpdateWindow();
    EXPECT_EQ(system.PeerOf(wnd)->Picture().PixelAt(0, 0), 0x102030u);
}

TEST_F(PaintTest, AutoPaintPaintsAfterEveryTickAndCallsTheHook) {
    RecordingWnd wnd("W", log, system);
    ASSERT_TRUE(wnd.CreateSimple());
    system.Paint();
    wnd.onTimer = [&](UINT_PTR) { wnd.InvalidateRect(nullptr, FALSE); };
    int nHooked = 0;
    system.SetPaintHook([&](CWnd& painted, const CapturedPicture&) {
        EXPECT_EQ(&painted, &wnd);
        ++nHooked;
    });
    system.SetAutoPaint(true);
    wnd.SetTimer(1, 10, nullptr);
    system.Advance(50);
    EXPECT_EQ(nHooked, 5);
}

} // namespace
