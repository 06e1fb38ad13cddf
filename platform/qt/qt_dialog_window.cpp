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
constexpr int DIALOG_DPI = 96;
constexpr int ICON_SIZE = 32; // an SS_ICON static shows the standard icon size
constexpr int BN_CLICKED = 0;

QRect PixelRect(const DialogControl& ctl, DialogBaseUnits units) {
    const RECT rc = MapDialogRect(RECT{ctl.x, ctl.y, ctl.x + ctl.cx, ctl.y + ctl.cy}, units);
    return QRect(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

void AddControl(QtDialogWidget* pDialog, const DialogControl& ctl, const QFont& font, DialogBaseUnits units) {
    const QRect rc = PixelRect(ctl, units);
    if (ctl.kind == ControlClass::Static && (ctl.style & SS_TYPEMASK) == SS_ICON) {
        auto* pLabel = new QLabel(pDialog);
        if (const IconResource* pIcon = AfxFindIcon(ctl.nIconID))
            pLabel->setPixmap(IconPixmap(*pIcon, ICON_SIZE));
        pLabel->setGeometry(rc.x(), rc.y(), ICON_SIZE, ICON_SIZE);
        pLabel->setObjectName(QStringLiteral("icon"));
        return;
    }
    if (ctl.kind == ControlClass::Static) {
        auto* pLabel = new QLabel(QString::fromStdString(StaticControlText(ctl.pszText, ctl.style)), pDialog);
        pLabel->setFont(font);
        pLabel->setTextFormat(Qt::PlainText);
        pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        pLabel->setWordWrap(true);
        pLabel->setGeometry(rc);
        return;
    }
    auto* pButton = new QPushButton(QString::fromUtf8(ctl.pszText ? ctl.pszText : ""), pDialog);
    pButton->setFont(font);
    pButton->setGeometry(rc);
    const bool bDefault = (ctl.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    pButton->setDefault(bDefault);
    pButton->setAutoDefault(bDefault);
    if (ctl.style & WS_TABSTOP)
        pButton->setFocusPolicy(Qt::StrongFocus);
    const int nID = ctl.nID;
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
    if (dlg.pszFaceName && installed.contains(QString::fromUtf8(dlg.pszFaceName)))
        faces << QString::fromUtf8(dlg.pszFaceName);
    for (const char* pszFace : DIALOG_FALLBACK_FACES)
        if (installed.contains(QString::fromUtf8(pszFace)))
            faces << QString::fromUtf8(pszFace);
    if (!faces.isEmpty())
        font.setFamilies(faces);
    font.setPixelSize(MulDiv(dlg.wPointSize ? dlg.wPointSize : 9, DIALOG_DPI, 72));
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
    const DialogBaseUnits units = DialogUnitsOf(font);
    pDialog->setFont(font);
    const RECT rcClient = MapDialogRect(RECT{0, 0, dlg.cx, dlg.cy}, units);
    pDialog->setFixedSize(rcClient.right, rcClient.bottom);
    for (const DialogControl& ctl : dlg.controls)
        AddControl(pDialog, ctl, font, units);
    return std::make_unique<QtDialogPeer>(wnd, pDialog);
}
