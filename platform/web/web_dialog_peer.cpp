#include "web_dialog_peer.h"

#include "web_bridge.h"
#include "web_window_system.h"

#include "platform/dlgunits.h"
#include "platform/wnd.h"

#include <string>

namespace {
constexpr int PAGE_DPI = 96; // a CSS pixel is a 96th of an inch

// The faces in the layer's order, then the page's last resort.
std::string CssFont(const DialogTemplate& dlg) {
    std::string font = std::to_string(DialogFontPixels(dlg, PAGE_DPI)) + "px ";
    for (const char* pszFace : DialogFaces(dlg))
        font += "\"" + std::string(pszFace) + "\", ";
    return font + "sans-serif";
}

} // namespace

WebDialogPeer::WebDialogPeer(WebWindowSystem& system, CWnd& wnd, const CREATESTRUCT& cs,
                             const DialogTemplate& dlg)
    : WebWndPeer(system, wnd, cs), m_pOwner(cs.hwndParent) {
    const std::string font = CssFont(dlg);
    int nExtent = 0;
    int nHeight = 0;
    web::MeasureDialogFont(font.c_str(), nExtent, nHeight);
    const DialogLayout layout = AfxLayOutDialog(dlg, DialogBaseUnits{AverageCharWidth(nExtent), nHeight});
    web::DialogBegin(Handle(), dlg.pszCaption ? dlg.pszCaption : "", layout.cxClient, layout.cyClient,
                     font.c_str());
    for (const DialogItem& item : layout.items) {
        const RECT& rc = item.rc;
        if (item.kind == DialogItemKind::Icon && item.pIcon)
            web::DialogIcon(item.pIcon->ico.data(), item.pIcon->ico.size(), rc.left, rc.top,
                            rc.right - rc.left);
        else if (item.kind == DialogItemKind::Text)
            web::DialogText(item.text.c_str(), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
        else if (item.kind == DialogItemKind::Button)
            web::DialogButton(item.text.c_str(), item.nID, rc.left, rc.top, rc.right - rc.left,
                              rc.bottom - rc.top, item.bDefault);
    }
}

WebDialogPeer::~WebDialogPeer() {
    Close(); // a dialog that never ran modal (ended in its OnInitDialog) was still built
}

void WebDialogPeer::Show(int nCmdShow) {
    WebWndPeer::Show(nCmdShow);
    if (nCmdShow != SW_HIDE)
        web::DialogShow();
}

void WebDialogPeer::BeginModal() {
    // The page's modal <dialog> holds back every click on the rest of the page, and the
    // page's keys go to the dialog alone while it is open.
    Show(SW_SHOW);
}

void WebDialogPeer::EndModal() {
    // The window may be gone by now (its owner was closed from outside): only the peer's
    // own state and the page are touched.
    WebWndPeer::Show(SW_HIDE);
    Close();
}

void WebDialogPeer::Close() {
    if (m_bClosed)
        return;
    m_bClosed = true;
    web::DialogEnd(Handle());
    // As when a desktop dialog ends, its owner becomes the active window again.
    System().Activate(m_pOwner);
}
