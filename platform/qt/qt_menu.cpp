#include "qt_menu.h"

#include <QMenu>
#include <QMenuBar>

void BuildMenuBar(QMenuBar& bar, const MenuResource& menu, const std::function<void(UINT)>& onCommand) {
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
