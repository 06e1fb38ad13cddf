// The conformance suite on Qt (the offscreen platform): Qt's event loop, QTest key events on
// the widgets, and what the widgets show. Qt fixes the scale when it starts, so this program
// runs at the factor its command line names (--scale=N), 1 unless told.
#include "conformance_cases.h"

#include "platform/message_loop.h"
#include "platform/qt/qt_peer.h"
#include "platform/qt/qt_window_system.h"
#include "platform/winapp.h"
#include "platform/window_scale.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <map>

namespace conformance {
namespace {

int g_nScale = 1;

// Counts the events of one kind a widget receives.
class EventCounter : public QObject {
public:
    EventCounter(QObject* pTarget, QEvent::Type type) : m_type(type) { pTarget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* pEvent) override {
        if (pEvent->type() == m_type)
            ++count;
        return false;
    }

private:
    QEvent::Type m_type;
};

QWidget* WidgetOf(const CWnd& wnd) {
    QtWndPeer* pPeer = QtPeerOf(wnd);
    return pPeer ? pPeer->Widget() : nullptr;
}

RECT DeviceRect(const QRect& rc, qreal ratio) {
    return RECT{static_cast<LONG>(rc.left() * ratio), static_cast<LONG>(rc.top() * ratio),
                static_cast<LONG>((rc.left() + rc.width()) * ratio),
                static_cast<LONG>((rc.top() + rc.height()) * ratio)};
}

Qt::Key QtKeyOf(UINT nVirtKey) {
    if ((nVirtKey >= 'A' && nVirtKey <= 'Z') || (nVirtKey >= '0' && nVirtKey <= '9'))
        return static_cast<Qt::Key>(nVirtKey); // Qt's letter and digit keys are their ASCII codes
    static const std::map<UINT, Qt::Key> keys = {
        {VK_BACK, Qt::Key_Backspace}, {VK_DELETE, Qt::Key_Delete}, {VK_INSERT, Qt::Key_Insert},
        {VK_F6, Qt::Key_F6},          {VK_ESCAPE, Qt::Key_Escape}, {VK_RETURN, Qt::Key_Return},
    };
    const auto it = keys.find(nVirtKey);
    return it == keys.end() ? Qt::Key_unknown : it->second;
}

class QtDriver : public Driver {
public:
    QtDriver() { m_system.Install(); }
    // The widgets of the case's windows go before the next case starts.
    ~QtDriver() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    bool SetScale(int nScale) override { return nScale == g_nScale; }

    bool PumpUntil(const std::function<bool()>& pred, unsigned ms) override {
        QElapsedTimer elapsed;
        elapsed.start();
        QTimer wake; // waiting for events wakes at least this often to look at pred
        wake.start(10);
        AfxPumpMessages([&] { return pred() || elapsed.elapsed() > ms; });
        return pred();
    }
    int RunLoop() override {
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, &watchdog, [] { AfxPostQuitMessage(99); });
        watchdog.start(60000);
        return AfxRunMessageLoop();
    }
    void BlockLoop(unsigned ms) override {
        QElapsedTimer elapsed;
        elapsed.start();
        while (elapsed.elapsed() < ms) {
        }
    }
    void PumpWaiting() override {
        QCoreApplication::processEvents();
        AfxDeliverDueTimers();
    }
    void CallEvery(unsigned ms, std::function<void()> fn) override {
        m_call.reset(new QTimer);
        QObject::connect(m_call.get(), &QTimer::timeout, m_call.get(), std::move(fn));
        m_call->start(static_cast<int>(ms));
    }
    void StopCalling() override { m_call.reset(); }

    void PressKey(CWnd& target, UINT nVirtKey, DWORD modifiers) override {
        Qt::KeyboardModifiers mods;
        if (modifiers & MOD_SHIFT_DOWN)
            mods |= Qt::ShiftModifier;
        if (modifiers & MOD_CONTROL_DOWN)
            mods |= Qt::ControlModifier;
        if (modifiers & MOD_ALT_DOWN)
            mods |= Qt::AltModifier;
        QTest::keyClick(WidgetOf(target), QtKeyOf(nVirtKey), mods);
    }
    void ChooseMenuItem(CWnd& frame, UINT nID) override {
        for (QAction* pTitle : MenuBarOf(frame)->actions())
            for (QAction* pItem : pTitle->menu()->actions())
                if (pItem->data().toUInt() == nID)
                    QTimer::singleShot(0, pItem, &QAction::trigger);
    }
    void ClickCloseButton(CWnd& frame) override {
        QTimer::singleShot(0, WidgetOf(frame), [pWidget = QPointer<QWidget>(WidgetOf(frame))] {
            if (pWidget)
                pWidget->close(); // the close event the title bar's button makes
        });
    }
    void SendClose(CWnd& frame) override { ClickCloseButton(frame); }
    void PressDialogOk() override {
        QWidget* pDialog = QApplication::activeModalWidget();
        for (QPushButton* pButton : pDialog ? pDialog->findChildren<QPushButton*>() : QList<QPushButton*>{})
            if (pButton->isDefault())
                QTest::mouseClick(pButton, Qt::LeftButton);
    }

    RECT WindowRect(const CWnd& wnd) override {
        const QWidget* pWidget = WidgetOf(wnd);
        return DeviceRect(pWidget->frameGeometry(), pWidget->devicePixelRatioF());
    }
    Size ClientSize(const CWnd& wnd) override {
        const QWidget* pClient = QtPeerOf(wnd)->ClientWidget();
        const qreal ratio = pClient->devicePixelRatioF();
        return {static_cast<int>(pClient->width() * ratio), static_cast<int>(pClient->height() * ratio)};
    }
    RECT WorkArea() override {
        const QScreen* pScreen = QGuiApplication::primaryScreen();
        return DeviceRect(pScreen->availableGeometry(), pScreen->devicePixelRatio());
    }
    std::vector<MenuEntry> MenuBar(const CWnd& frame) override {
        std::vector<MenuEntry> entries;
        for (QAction* pTitle : MenuBarOf(frame)->actions()) {
            entries.push_back({pTitle->text().toStdString(), 0, 0});
            for (QAction* pItem : pTitle->menu()->actions())
                entries.push_back({pItem->text().toStdString(), pItem->data().toUInt(), 1});
        }
        return entries;
    }
    std::optional<NativeDialog> OpenDialog() override {
        QWidget* pDialog = QApplication::activeModalWidget();
        if (!pDialog)
            return std::nullopt;
        NativeDialog dialog;
        dialog.rcWindow = DeviceRect(pDialog->frameGeometry(), pDialog->devicePixelRatioF());
        dialog.bVisible = pDialog->isVisible();
        dialog.bOwnerBlocked = pDialog->windowModality() == Qt::ApplicationModal ||
                               (pDialog->windowModality() == Qt::WindowModal && pDialog->parentWidget());
        return dialog;
    }
    void CountPaints(const CWnd& wnd) override {
        m_pPaints = std::make_unique<EventCounter>(WidgetOf(wnd), QEvent::Paint);
    }
    int Paints() override { return m_pPaints->count; }

    // The real program, copied into a folder of its own with no data folder beside it.
    ProgramEnd RunWithoutPictures(const std::filesystem::path& folder) override {
        const std::filesystem::path copy = folder / "bin" / "morvane";
        std::filesystem::create_directories(copy.parent_path());
        std::filesystem::copy_file(MORVANE_EXECUTABLE, copy);
        QProcess program;
        program.setWorkingDirectory(QString::fromStdString(folder.string()));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // A private runtime folder keeps Qt's own start-up notes out of the error output.
        const std::filesystem::path runtime = folder / "runtime";
        std::filesystem::create_directory(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime.string()));
        program.setProcessEnvironment(env);
        program.start(QString::fromStdString(copy.string()), QStringList{});
        ProgramEnd end;
        // A program that shows a window waits for the player and is not done in time.
        end.bRanItsLoop = !program.waitForFinished(60000);
        if (end.bRanItsLoop)
            program.kill();
        end.nStatus = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
        for (const QString& line :
             QString::fromUtf8(program.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts))
            end.lines.push_back(line.toStdString());
        return end;
    }

private:
    static QMenuBar* MenuBarOf(const CWnd& frame) {
        return qobject_cast<QMainWindow*>(WidgetOf(frame))->menuBar();
    }

    QtWindowSystem m_system;
    std::unique_ptr<QTimer> m_call;
    std::unique_ptr<EventCounter> m_pPaints;
};

std::unique_ptr<Driver> MakeDriver() {
    return std::make_unique<QtDriver>();
}

} // namespace

INSTANTIATE_CONFORMANCE(Qt, (Backend{"qt", &MakeDriver}));

} // namespace conformance

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS(); // listing the cases needs no display
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--scale=", 8) == 0)
            conformance::g_nScale = std::atoi(argv[i] + 8);
    // As the program's start does for its --scale: the factor multiplies Qt's scale factor.
    if (conformance::g_nScale > 1)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(conformance::g_nScale));
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    AfxSetWindowScale(conformance::g_nScale);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
