// Painting with Qt: the pixel copy, whole-factor scaling, and what a window shows on a
// denser screen (this test runs with QT_SCALE_FACTOR=2 and again with 1.5).
#include "qt_test_windows.h"

#include "platform/qt/qt_paint.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

#include <memory>

using namespace qttest;

class QtPaintTest : public QObject {
    Q_OBJECT

private slots:
    void wholeScale_data();
    void wholeScale();
    void blocksBecomeTopDownImagesWithEveryColourKept();
    void aDenserScreenShowsEveryPixelAsACrispSquareCentredOnBlack();
};

void QtPaintTest::wholeScale_data() {
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("expected");
    QTest::newRow("1") << 1.0 << 1;
    QTest::newRow("1.25") << 1.25 << 1;
    QTest::newRow("1.5") << 1.5 << 1;
    QTest::newRow("1.999") << 1.999 << 1;
    QTest::newRow("2") << 2.0 << 2;
    QTest::newRow("2 less rounding noise") << 2.0 - 1e-9 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("3") << 3.0 << 3;
    QTest::newRow("0.75 is never below 1") << 0.75 << 1;
}

void QtPaintTest::wholeScale() {
    QFETCH(qreal, ratio);
    QFETCH(int, expected);
    QCOMPARE(WholeScale(ratio), expected);
}

void QtPaintTest::blocksBecomeTopDownImagesWithEveryColourKept() {
    // 3 x 2 pixels, rows padded to 12 bytes, bottom row first: B, G, R.
    const std::uint8_t bits[24] = {
        1,  2,  3,  4,  5,  6,  7,   8, 9,   0xEE, 0xEE, 0xEE, // bottom row (y = 1)
        10, 20, 30, 40, 50, 60, 255, 0, 128, 0xEE, 0xEE, 0xEE, // top row (y = 0)
    };
    const PixelBlock block{bits, 3, 2, 12};
    QImage image;
    CopyBlockToImage(block, image);
    QCOMPARE(image.size(), QSize(3, 2));
    QCOMPARE(image.pixel(0, 0), qRgb(30, 20, 10));
    QCOMPARE(image.pixel(2, 0), qRgb(128, 0, 255));
    QCOMPARE(image.pixel(0, 1), qRgb(3, 2, 1));
    QCOMPARE(image.pixel(2, 1), qRgb(9, 8, 7));
    // The same buffer is reused for a block of the same size.
    const uchar* pBefore = image.constBits();
    CopyBlockToImage(block, image);
    QCOMPARE(image.constBits(), pBefore);
}

void QtPaintTest::aDenserScreenShowsEveryPixelAsACrispSquareCentredOnBlack() {
    QtWindowSystem system;
    system.Install();
    AfxSetResourceHandle(&MODULE);
    Log log;
    TestApp app(log);
    bool bDeleted = false;
    auto* pFrame = new TestFrame(log, bDeleted);
    app.m_pMainWnd = pFrame;
    QVERIFY(pFrame->LoadFrame(ID_FRAME, WS_OVERLAPPEDWINDOW));
    pFrame->ShowWindow(SW_SHOW);
    QWidget* pPane = WidgetOf(pFrame->m_wndPane);
    const qreal ratio = pPane->devicePixelRatioF();
    QVERIFY(ratio == 2.0 || ratio == 1.5);
    // Two device pixels per pixel fill the window; at 1.5 the picture stays at one, centred.
    const int nScale = ratio == 2.0 ? 2 : 1;
    const QPoint origin = ratio == 2.0 ? QPoint(0, 0) : QPoint(CLIENT_W / 4, CLIENT_H / 4);

    Surface picture;
    QVERIFY(picture.Create(CLIENT_W, CLIENT_H));
    for (int y = 0; y < CLIENT_H; ++y)
        for (int x = 0; x < CLIENT_W; ++x) {
            std::uint8_t* p = picture.PixelAt(x, y);
            p[0] = static_cast<std::uint8_t>((x * 7) ^ y);
            p[1] = static_cast<std::uint8_t>(y | 1); // never black, unlike the margin
            p[2] = static_cast<std::uint8_t>(x);
        }
    pFrame->m_wndPane.pPicture = &picture;
    const QImage image = pPane->grab().toImage();
    QCOMPARE(image.size(), QSize(CLIENT_W, CLIENT_H) * ratio);
    for (int dy = 0; dy < image.height(); ++dy)
        for (int dx = 0; dx < image.width(); ++dx) {
            const int x = (dx - origin.x()) / nScale;
            const int y = (dy - origin.y()) / nScale;
            const bool bInside = dx >= origin.x() && dy >= origin.y() && x < CLIENT_W && y < CLIENT_H;
            const QRgb expected = bInside ? qRgb(x & 0xFF, y | 1, ((x * 7) ^ y) & 0xFF) : qRgb(0, 0, 0);
            if (image.pixel(dx, dy) != expected)
                QFAIL(qPrintable(QStringLiteral("device pixel %1,%2").arg(dx).arg(dy)));
        }
    pFrame->DestroyWindow();
    QVERIFY(bDeleted);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QTEST_MAIN(QtPaintTest)
#include "qt_paint_test.moc"
