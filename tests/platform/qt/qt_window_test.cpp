// The Qt backend under the layer's frame and pane: keys and accelerators, focus, timers,
// painting, and a window closed from inside its own key handler.
#include "qt_test_windows.h"

#include "platform/message_loop.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QTest>

#include <memory>

using namespace qttest;

class QtWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void acceleratorsAreUsedUpAsCommands();
    void altCombinationsAndF10GoToTheMenuBar();
    void tabAndAutoRepeatReachThePane();
    void closingFromInsideAKeyHandlerIsSafe();
    void thePaneHoldsTheFocusWheneverTheFrameIsActive();
    void paintingCopiesThePixelsUnchanged();

private:
    QMainWindow* FrameWidget() const { return qobject_cast<QMainWindow*>(WidgetOf(*m_pFrame)); }
    QWidget* PaneWidget() const { return WidgetOf(m_pFrame->m_wndPane); }
    bool ShowAndActivate();

    std::unique_ptr<QtWindowSystem> m_pSystem;
    Log m_log;
    std::unique_ptr<TestApp> m_pApp;
    TestFrame* m_pFrame = nullptr;
    bool m_bFrameDeleted = true;
};

void QtWindowTest::init() {
    m_pSystem = std::make_unique<QtWindowSystem>();
    m_pSystem->Install();
    AfxSetResourceHandle(&MODULE);
    m_log.clear();
    m_pApp = std::make_unique<TestApp>(m_log);
    m_pFrame = new TestFrame(m_log, m_bFrameDeleted);
    m_pApp->m_pMainWnd = m_pFrame;
    QVERIFY(m_pFrame->LoadFrame(ID_FRAME, WS_OVERLAPPEDWINDOW));
}

void QtWindowTest::cleanup() {
    if (!m_bFrameDeleted)
        m_pFrame->DestroyWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_pApp.reset();
    m_pSystem.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

bool QtWindowTest::ShowAndActivate() {
    m_pFrame->ShowWindow(SW_SHOW);
    return QTest::qWaitForWindowActive(FrameWidget());
}

void QtWindowTest::acceleratorsAreUsedUpAsCommands() {
    QWidget* pPane = PaneWidget();
    QTest::keyClick(pPane, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(pPane, Qt::Key_Backspace, Qt::AltModifier);
    QTest::keyClick(pPane, Qt::Key_C);
    QTest::keyClick(pPane, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier); // not in the table
    // Ctrl and Shift are keys too; Alt is the menu bar's.
    QCOMPARE(m_log, (Log{"key:17", "command:" + std::to_string(ID_EDIT_COPY),
                         "command:" + std::to_string(ID_EDIT_UNDO), "key:67", "key:16", "key:17", "key:67"}));
}

void QtWindowTest::altCombinationsAndF10GoToTheMenuBar() {
    QVERIFY(ShowAndActivate());
    QWidget* pPane = PaneWidget();
    QTest::keyClick(pPane, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTRY_VERIFY(!QApplication::activePopupWidget());

    // F10 puts the bar under the keyboard, its first title chosen, no popup open.
    QTest::keyClick(pPane, Qt::Key_F10);
    QCOMPARE(FrameWidget()->menuBar()->activeAction(), FrameWidget()->menuBar()->actions().first());
    QVERIFY(!QApplication::activePopupWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(FrameWidget()->menuBar()->activeAction(), nullptr);

    QTest::keyClick(pPane, Qt::Key_J, Qt::AltModifier); // no such mnemonic: still not the pane's
    QVERIFY(m_log.empty());
}

void QtWindowTest::tabAndAutoRepeatReachThePane() {
    QVERIFY(ShowAndActivate());
    QWidget* pPane = PaneWidget();
    QTest::keyClick(pPane, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), pPane); // Tab did not move the focus
    QKeyEvent first(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), false);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), true);
    QApplication::sendEvent(pPane, &first);
    QApplication::sendEvent(pPane, &repeat);
    QApplication::sendEvent(pPane, &repeat);
    QCOMPARE(m_log, (Log{"key:9", "key:65", "key:65", "key:65"}));
    const std::vector<UINT>& flags = m_pFrame->m_wndPane.keyFlags;
    constexpr UINT WAS_DOWN = 0x4000; // the previous-state bit, as OnKeyDown's flags carry it
    QCOMPARE(flags[1] & WAS_DOWN, 0u);
    QCOMPARE(flags[2] & WAS_DOWN, WAS_DOWN);
    QCOMPARE(flags[3] & WAS_DOWN, WAS_DOWN);
}

void QtWindowTest::closingFromInsideAKeyHandlerIsSafe() {
    m_pFrame->m_wndPane.onKey = [this](UINT nChar) {
        if (nChar == 'J')
            m_pFrame->SendMessage(WM_CLOSE);
    };
    QPointer<QWidget> pPane = PaneWidget();
    QPointer<QWidget> pMain = FrameWidget();
    QTest::keyClick(pPane, Qt::Key_J);
    QVERIFY(m_bFrameDeleted);
    QVERIFY(AfxIsQuitPosted());
    QCOMPARE(m_pApp->m_pMainWnd, nullptr);
    // The widgets outlive the handler; keys that still reach them go nowhere.
    QVERIFY(pPane && pMain);
    QTest::keyClick(pPane, Qt::Key_K);
    QCOMPARE(m_log, Log{"key:74"});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!pPane && !pMain);
}

void QtWindowTest::thePaneHoldsTheFocusWheneverTheFrameIsActive() {
    QVERIFY(ShowAndActivate());
    QCOMPARE(QApplication::focusWidget(), PaneWidget());
    QCOMPARE(m_pSystem->GetFocus(), &m_pFrame->m_wndPane);

    // Another window takes the activation, the pane loses the focus inside its frame ...
    QWidget other;
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    PaneWidget()->clearFocus();
    // ... and activating the frame again gives the focus back to the pane.
    FrameWidget()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FrameWidget()));
    QTRY_COMPARE(QApplication::focusWidget(), PaneWidget());

    // Minimising and restoring keep the pane's size and the focus.
    m_pFrame->ShowWindow(SW_MINIMIZE);
    QTRY_VERIFY(FrameWidget()->isMinimized());
    m_pFrame->ShowWindow(SW_RESTORE);
    QVERIFY(QTest::qWaitForWindowActive(FrameWidget()));
    QCOMPARE(PaneWidget()->size(), QSize(CLIENT_W, CLIENT_H));
    QTRY_COMPARE(QApplication::focusWidget(), PaneWidget());
}

void QtWindowTest::paintingCopiesThePixelsUnchanged() {
    Surface picture;
    QVERIFY(picture.Create(200, 100));
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            std::uint8_t* p = picture.PixelAt(x, y); // blue, green, red
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y * 2);
            p[2] = static_cast<std::uint8_t>(x ^ y);
        }
    m_pFrame->m_wndPane.pPicture = &picture;
    m_pFrame->m_wndPane.Invalidate(FALSE);
    const QImage image = PaneWidget()->grab().toImage();
    QCOMPARE(image.size(), QSize(CLIENT_W, CLIENT_H));
    QVERIFY(m_pFrame->m_wndPane.nPaints > 0);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if (image.pixel(x, y) != qRgb(x ^ y, y * 2, x))
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
    // What the window leaves uncovered shows its class colour.
    QCOMPARE(image.pixel(250, 50), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(10, 200), qRgb(255, 255, 255));
}

QTEST_MAIN(QtWindowTest)
#include "qt_window_test.moc"
