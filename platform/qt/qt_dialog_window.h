// A dialog's widget, built from its template: static texts and icons, push buttons, the
// template's font (or a metric-compatible Japanese Gothic when that is not installed), and
// every size from dialog units of that font. Its peer shows it modal while the layer's
// loop runs.
#pragma once

#include "qt_host.h"
#include "qt_peer.h"

#include "platform/dialog.h"
#include "platform/dlgunits.h"

#include <QDialog>
#include <QFont>
#include <QPointer>

#include <memory>

class QtDialogWidget : public QtHostWidget<QDialog> {
public:
    explicit QtDialogWidget(QWidget* pOwner);

protected:
    // The dialog's keys are its own (Enter, Esc, Tab between controls), not the layer's.
    void keyPressEvent(QKeyEvent* pEvent) override { QDialog::keyPressEvent(pEvent); }
    void closeEvent(QCloseEvent* pEvent) override;
    void accept() override;
    void reject() override;
};

class QtDialogPeer : public QtWndPeer, public IDialogPeer {
public:
    QtDialogPeer(CWnd& wnd, QtDialogWidget* pWidget);

    void BeginModal() override;
    void EndModal() override;

private:
    QPointer<QWidget> m_pOwner; // the window that gets the input back
};

// The template's font: its face when installed, else the fallback Japanese Gothic; its
// point size at the 96 dots per inch dialog units were laid out for.
QFont DialogFont(const DialogTemplate& dlg);
DialogBaseUnits DialogUnitsOf(const QFont& font);

std::unique_ptr<IDialogPeer> CreateQtDialogPeer(CWnd& wnd, const CREATESTRUCT& cs, const DialogTemplate& dlg);
