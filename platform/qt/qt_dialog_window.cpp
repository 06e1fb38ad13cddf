#include "qt_dialog_window.h"

#include "qt_icon.h"
#include "qt_style.h"

#include "platform/afxres.h"
#include "platform/wnd.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace {
constexpr int DIALOG_DPI = 96; // dialog units were laid out for 96 dots per inch
constexpr int BN_CLICKED = 0;

QRect ToQRect(const RECT& rc) {
    return QRect(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

void AddControl(QtDialogWidget* pDialog, const DialogItem& item, const QFont& font) {
    if (item.kind == DialogItemKind::Icon) {
        auto* pLabel = new QLabel(pDialog);
        if (item.pIcon)
            pLabel->setPixmap(IconPixmap(*item.pIcon, item.rc.right - item.rc.left));
        pLabel->setGeometry(ToQRect(item.rc));
        pLabel->setObjectName(QStringLiteral("icon"));
        return;
    }
    if (item.kind == DialogItemKind::Text) {
        auto* pLabel = new QLabel(QString::fromStdString(item.text), pDialog);
        pLabel->setFont(font);
        pLabel->setTextFormat(Qt::PlainText);
        pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        pLabel->setWordWrap(true);
        pLabel->setGeometry(ToQRect(item.rc));
        return;
    }
    auto* pButton = new QPushButton(QString::fromStdString(item.text), pDialog);
    pButton->setFont(font);
    pButton->setGeometry(ToQRect(item.rc));
    pButton->setDefault(item.bDefault);
    pButton->setAutoDefault(item.bDefault);
    if (item.bTabStop)
        pButton->setFocusPolicy(Qt::StrongFocus);
    const int nID = item.nID;
    QObject::connect(pButton, &QPushButton::clicked, pDialog, [pDialog, pButton, nID] {
        if (CWnd* pWnd = pDialog->Wnd())
            pWnd->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<UINT>(nID), BN_CLICKED),
                              reinterpret_cast<LPARAM>(pButton));
    });
}
} // namespace

QtDialogWidget::QtDialogWidget(QWidget* pOwner) : QtHostWidget<QDialog>(pOwner) {}

void QtDialogWidget::closeEvent(QCloseEvent* pEvent) {
    pEvent->ignore();
    if (CWnd* pWnd = Wnd())
        pWnd->SendMessage(WM_CLOSE);
}

void QtDialogWidget::accept() {
    if (CWnd* pWnd = Wnd())
        pWnd->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
}

void QtDialogWidget::reject() {
    if (CWnd* pWnd = Wnd())
        pWnd->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
}

QtDialogPeer::QtDialogPeer(CWnd& wnd, QtDialogWidget* pWidget) : QtWndPeer(wnd, pWidget, pWidget, pWidget) {}

void QtDialogPeer::BeginModal() {
    // Application-modal from its creation: shown, it holds back every other window's input.
    if (QWidget* pDialog = Widget()) {
        m_pOwner = pDialog->parentWidget();
        pDialog->show();
    }
}

void QtDialogPeer::EndModal() {
    if (QWidget* pDialog = Widget())
        pDialog->hide();
    // As when a Windows dialog ends, its owner becomes the active window again (and so the
    // owner's view gets the focus back).
    if (m_pOwner && m_pOwner->isVisible())
        m_pOwner->activateWindow();
}

QFont DialogFont(const DialogTemplate& dlg) {
    QFont font;
    QStringList faces;
    const QStringList installed = QFontDatabase::families();
    for (const char* pszFace : DialogFaces(dlg))
        if (installed.contains(QString::fromUtf8(pszFace)))
            faces << QString::fromUtf8(pszFace);
    if (!faces.isEmpty())
        font.setFamilies(faces);
    font.setPixelSize(DialogFontPixels(dlg, DIALOG_DPI));
    return font;
}

DialogBaseUnits DialogUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int nExtent =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return DialogBaseUnits{AverageCharWidth(nExtent), metrics.height()};
}

std::unique_ptr<IDialogPeer> CreateQtDialogPeer(CWnd& wnd, const CREATESTRUCT& cs,
                                                const DialogTemplate& dlg) {
    QtWndPeer* pOwnerPeer = cs.hwndParent ? QtPeerOf(*cs.hwndParent) : nullptr;
    QWidget* pOwner = pOwnerPeer && pOwnerPeer->Widget() ? pOwnerPeer->Widget()->window() : nullptr;
    auto* pDialog = new QtDialogWidget(pOwner);
    pDialog->setWindowFlags(TopLevelWindowFlags(cs.style, true));
    pDialog->setWindowTitle(QString::fromUtf8(cs.lpszName ? cs.lpszName : ""));
    pDialog->setWindowModality(Qt::ApplicationModal);

    const QFont font = DialogFont(dlg);
    pDialog->setFont(font);
    const DialogLayout layout = AfxLayOutDialog(dlg, DialogUnitsOf(font));
    pDialog->setFixedSize(layout.cxClient, layout.cyClient);
    for (const DialogItem& item : layout.items)
        AddControl(pDialog, item, font);
    return std::make_unique<QtDialogPeer>(wnd, pDialog);
}
