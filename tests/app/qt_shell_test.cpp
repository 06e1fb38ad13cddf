// The program on the Qt desktop (offscreen): what only Qt shows of the real window and its
// about box, F on the title, menu mode, and a failed start-up's search. What every backend
// shares is the conformance suite's.
#include "app/drillapp.h"
#include "app/mainfrm.h"
#include "app/resource.h"
#include "platform/dlgunits.h"
#include "platform/message_loop.h"
#include "platform/qt/qt_dialog_window.h"
#include "platform/qt/qt_peer.h"
#include "platform/qt/qt_window_system.h"
#include "platform/timer_queue.h"
#include "testkit/game_assets.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
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
    void fOnTheTitleStartsAGameAndExitEndsIt();
    void menuModeShowsTheFirstTitleUntilEscOrAClick();
    void aMissingPictureEndsTheProgramWithStatusOneAndAMessage();

private:
    CMainFrame* Frame() const { return static_cast<CMainFrame*>(m_pApp->m_pMainWnd); }
    QMainWindow* FrameWidget() const { return qobject_cast<QMainWindow*>(WidgetOf(*Frame())); }
    QWidget* ViewWidget() const { return WidgetOf(Frame()->m_wndView); }
    bool OnTitle() const { return AfxTimers().Running(Frame()->m_wndView).empty(); }
    // Runs the program's message loop, calling step every 20 ms until it says it is done.
    int RunProgram(const std::function<void()>& step);

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

int QtShellTest::RunProgram(const std::function<void()>& step) {
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, step);
    poll.start(20);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &watchdog, [] { AfxPostQuitMessage(99); });
    watchdog.start(60000);
    return AfxWinMain(AfxRunMessageLoop);
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

void QtShellTest::fOnTheTitleStartsAGameAndExitEndsIt() {
    bool bStarted = false;
    const int nStatus = RunProgram([&] {
        if (!m_pApp->m_pMainWnd || bStarted)
            return;
        if (OnTitle()) {
            QTest::keyClick(ViewWidget(), Qt::Key_F);
            const std::vector<UINT_PTR> timers = AfxTimers().Running(Frame()->m_wndView);
            bStarted = timers == std::vector<UINT_PTR>{TIMER_FRAME_WIPE};
            FrameWidget()->menuBar()->actions()[0]->menu()->actions()[0]->trigger(); // Exit
        }
    });
    QVERIFY(bStarted);
    QCOMPARE(nStatus, 0);
    QCOMPARE(m_pApp->m_pMainWnd, nullptr);
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

void QtShellTest::aMissingPictureEndsTheProgramWithStatusOneAndAMessage() {
    std::filesystem::remove(m_pDir->Path() / "Q.bmp");
    std::filesystem::remove(m_pDir->Path() / "sprite.bmp");
    // A copy of the program with no data folder beside it: the current folder is the fullest.
    const std::filesystem::path copy = m_pDir->Path() / "bin" / "morvane";
    std::filesystem::create_directories(copy.parent_path());
    std::filesystem::copy_file(MORVANE_EXECUTABLE, copy);
    QProcess program;
    program.setWorkingDirectory(QString::fromStdString(m_pDir->Path().string()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // A private runtime folder keeps Qt's own start-up notes out of the error output.
    const std::filesystem::path runtime = m_pDir->Path() / "runtime";
    std::filesystem::create_directory(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime.string()));
    program.setProcessEnvironment(env);
    program.start(QString::fromStdString(copy.string()), QStringList{});
    QVERIFY(program.waitForFinished(120000)); // it ends by itself: there is no window to close
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    const QStringList lines =
        QString::fromUtf8(program.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    const QString dataFolder = QString::fromStdString((m_pDir->Path() / "share" / "morvane").string());
    QVERIFY2(lines[0].startsWith(QStringLiteral("morvane: no folder holds every picture; looked in ")) &&
                 lines[0].endsWith(QStringLiteral(", ") + dataFolder),
             qPrintable(lines[0]));
    QVERIFY2(lines[1].startsWith(QStringLiteral("morvane: sprite.bmp: ")), qPrintable(lines[1]));
    QVERIFY2(lines[2].startsWith(QStringLiteral("morvane: Q.bmp: ")), qPrintable(lines[2]));
    QVERIFY(program.readAllStandardOutput().isEmpty());
}

QTEST_MAIN(QtShellTest)
#include "qt_shell_test.moc"
