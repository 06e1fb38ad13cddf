#include "qt_menu.h"

#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>

namespace {
// Alt pressed and released alone puts the menu bar in keyboard mode, as on Windows,
// whatever the desktop style does.
class AltKeyMenuStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* pOption, const QWidget* pWidget,
                  QStyleHintReturn* pReturn) const override {
        if (hint == QStyle::SH_MenuBar_AltKeyNavigation)
            return 1;
        return QProxyStyle::styleHint(hint, pOption, pWidget, pReturn);
    }
};
} // namespace

void BuildMenuBar(QMenuBar& bar, const MenuResource& menu, const std::function<void(UINT)>& onCommand) {
    auto* pStyle = new AltKeyMenuStyle;
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
