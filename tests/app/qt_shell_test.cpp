// The program on the Qt desktop (offscreen): what only Qt shows of the real window, its
// about box and its menu mode. What every backend shares is the conformance suite's.
#include "app/drillapp.h"
#include "app/mainfrm.h"
#include "app/resource.h"
#include "platform/dlgunits.h"
#include "platform/qt/qt_dialog_window.h"
#include "platform/qt/qt_peer.h"
#include "platform/qt/qt_window_system.h"
#include "testkit/game_assets.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <memory>

namespace {

QWidget* WidgetOf(const CWnd& wnd) {
    QtWndPeer* pPeer = QtPeerOf(wnd);
    return pPeer ? pPeer->Widget() : nullptr;
}

} // namespace

class QtShellTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void theWindowHasItsTitleAFixedSizeAndABlackFirstPicture();
    void theAboutBoxShowsItsTemplateAndHandsTheKeyboardBack();
    void menuModeShowsTheFirstTitleUntilEscOrAClick();

private:
    CMainFrame* Frame() const { return static_cast<CMainFrame*>(m_pApp->m_pMainWnd); }
    QMainWindow* FrameWidget() const { return qobject_cast<QMainWindow*>(WidgetOf(*Frame())); }
    QWidget* ViewWidget() const { return WidgetOf(Frame()->m_wndView); }

    std::unique_ptr<testkit::TempDir> m_pDir;
    std::filesystem::path m_oldDir;
    std::unique_ptr<QtWindowSystem> m_pSystem;
    std::unique_ptr<CDrillApp> m_pApp;
};

void QtShellTest::init() {
    m_pDir = std::make_unique<testkit::TempDir>();
    testkit::WriteGameAssets(m_pDir->Path());
    m_oldDir = std::filesystem::current_path();
    std::filesystem::current_path(m_pDir->Path());
    m_pSystem = std::make_unique<QtWindowSystem>();
    m_pSystem->Install();
    m_pApp = std::make_unique<CDrillApp>();
}

void QtShellTest::cleanup() {
    if (m_pApp->m_pMainWnd)
        m_pApp->m_pMainWnd->DestroyWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_pApp.reset();
    m_pSystem.reset();
    std::filesystem::current_path(m_oldDir);
    m_pDir.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void QtShellTest::theWindowHasItsTitleAFixedSizeAndABlackFirstPicture() {
    QVERIFY(m_pApp->InitApplication());
    QVERIFY(m_pApp->InitInstance());
    QMainWindow* pMain = FrameWidget();
    QVERIFY(pMain && pMain->isVisible());
    QCOMPARE(pMain->windowTitle(), QStringLiteral("Morvane"));
    QCOMPARE(ViewWidget()->pos(), QPoint(0, 0));
    QCOMPARE(pMain->minimumSize(), pMain->maximumSize());
    QVERIFY(pMain->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(pMain->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!pMain->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

    // Before the logo wipe reaches its first rows, the view shows its black back buffer.
    const QImage first = ViewWidget()->grab().toImage();
    QCOMPARE(first.size(), QSize(320, 240));
    QCOMPARE(first.pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(first.pixel(319, 239), qRgb(0, 0, 0));
}

void QtShellTest::theAboutBoxShowsItsTemplateAndHandsTheKeyboardBack() {
    QVERIFY(m_pApp->InitInstance());
    QVERIFY(QTest::qWaitForWindowActive(FrameWidget()));
    QTRY_COMPARE(QApplication::focusWidget(), ViewWidget());
    bool bChecked = false;
    QTimer::singleShot(0, this, [&] {
        auto* pDialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(pDialog);
        QCOMPARE(pDialog->windowTitle(), QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報"));
        QStringList texts;
        QLabel* pIcon = nullptr;
        for (QLabel* pLabel : pDialog->findChildren<QLabel*>()) {
            if (!pLabel->pixmap().isNull())
                pIcon = pLabel;
            else
                texts << pLabel->text();
        }
        QVERIFY(pIcon);
        QCOMPARE(pIcon->pixmap().size(), QSize(32, 32));
        QCOMPARE(texts.size(), 2);
        QCOMPARE(texts[0], QString::fromUtf8("～　Morvane　～"));
        QVERIFY(!texts[1].isEmpty());
        const DialogTemplate& dlg = *AfxFindDialog(IDD_ABOUTBOX);
        const QFont font = DialogFont(dlg);
        const RECT rc = MapDialogRect(RECT{0, 0, 149, 101}, DialogUnitsOf(font));
        QCOMPARE(pDialog->size(), QSize(rc.right, rc.bottom));
        QPushButton* pOk = pDialog->findChild<QPushButton*>();
        QVERIFY(pOk && pOk->isDefault());
        QCOMPARE(pOk->text(), QStringLiteral("OK"));
        bChecked = true;
        QTest::mouseClick(pOk, Qt::LeftButton);
    });
    FrameWidget()->menuBar()->actions()[1]->menu()->actions()[0]->trigger();
    QVERIFY(bChecked);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(QtPeerOf(*Frame())->Widget()->isVisible(), true);
    // The view has the keyboard again once its frame is active.
    QVERIFY(QTest::qWaitForWindowActive(FrameWidget()));
    QTRY_COMPARE(QApplication::focusWidget(), ViewWidget());
}

void QtShellTest::menuModeShowsTheFirstTitleUntilEscOrAClick() {
    QVERIFY(m_pApp->InitInstance());
    QVERIFY(QTest::qWaitForWindowActive(FrameWidget()));
    QTRY_COMPARE(QApplication::focusWidget(), ViewWidget());
    QMenuBar* pBar = FrameWidget()->menuBar();
    QAction* pFirst = pBar->actions()[0];
    const QRect title = pBar->actionGeometry(pFirst);
    const QImage plain = pBar->grab(title).toImage();
    const auto tapAlt = [this] {
        QTest::keyPress(ViewWidget(), Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(ViewWidget(), Qt::Key_Alt, Qt::NoModifier);
    };
    const auto inMenuMode = [&] {
        return pBar->activeAction() == pFirst && !QApplication::activePopupWidget() &&
               pBar->grab(title).toImage() != plain;
    };

    const auto leftMenuMode = [&] {
        return !pBar->activeAction() && QApplication::focusWidget() == ViewWidget();
    };

    tapAlt();
    QVERIFY(inMenuMode());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(leftMenuMode());

    tapAlt();
    QVERIFY(inMenuMode());
    QTest::mouseClick(ViewWidget(), Qt::LeftButton);
    QVERIFY(leftMenuMode());

    QTest::keyClick(ViewWidget(), Qt::Key_F10);
    QVERIFY(inMenuMode());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(leftMenuMode());
}

QTEST_MAIN(QtShellTest)
#include "qt_shell_test.moc"
