#include "qt_menu.h"

#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace {
// Menu mode as on Windows: Alt pressed and released alone puts the menu bar under the
// keyboard, and the title under the keyboard is drawn highlighted even while no popup is
// open. Some styles (Fusion) highlight a title only while its popup is open, so menu mode
// would show nothing while it takes every key.
class MenuModeStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* pOption, const QWidget* pWidget,
                  QStyleHintReturn* pReturn) const override {
        if (hint == QStyle::SH_MenuBar_AltKeyNavigation)
            return 1;
        return QProxyStyle::styleHint(hint, pOption, pWidget, pReturn);
    }

    void drawControl(ControlElement element, const QStyleOption* pOption, QPainter* pPainter,
                     const QWidget* pWidget) const override {
        const auto* pItem = qstyleoption_cast<const QStyleOptionMenuItem*>(pOption);
        if (element == CE_MenuBarItem && pItem && (pItem->state & State_Selected)) {
            QStyleOptionMenuItem item = *pItem;
            item.state |= State_Sunken;
            QProxyStyle::drawControl(element, &item, pPainter, pWidget);
            return;
        }
        QProxyStyle::drawControl(element, pOption, pPainter, pWidget);
    }
};
} // namespace

void BuildMenuBar(QMenuBar& bar, const MenuResource& menu, const std::function<void(UINT)>& onCommand) {
    auto* pStyle = new MenuModeStyle;
    pStyle->setParent(&bar);
    bar.setStyle(pStyle);
    bar.setNativeMenuBar(false); // the bar belongs inside the window, above the client area
    for (const MenuPopup& popup : menu.popups) {
        QMenu* pMenu = bar.addMenu(QString::fromUtf8(popup.pszText));
        for (const MenuItem& item : popup.items) {
            QAction* pAction = pMenu->addAction(QString::fromUtf8(item.pszText));
            pAction->setData(item.nID);
            const UINT nID = item.nID;
            QObject::connect(pAction, &QAction::triggered, &bar, [onCommand, nID] { onCommand(nID); });
        }
    }
}
