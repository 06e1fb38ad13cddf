#include "web_dialog_peer.h"

#include "web_bridge.h"
#include "web_window_system.h"

#include "platform/dlgunits.h"
#include "platform/wnd.h"

#include <string>

namespace {
constexpr int POINTS_PER_INCH = 72;
constexpr int PAGE_DPI = 96;    // a CSS pixel is a 96th of an inch
constexpr int ICON_PIXELS = 32; // an icon static shows the standard icon size

// The template's face first, then installed faces with the same metrics.
std::string CssFont(const DialogTemplate& dlg) {
    const int nPixels = (dlg.wPointSize ? dlg.wPointSize : 9) * PAGE_DPI / POINTS_PER_INCH;
    std::string font = std::to_string(nPixels) + "px ";
    if (dlg.pszFaceName)
        font += "\"" + std::string(dlg.pszFaceName) + "\", ";
    for (const char* pszFace : DIALOG_FALLBACK_FACES)
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
    const DialogBaseUnits units{AverageCharWidth(nExtent), nHeight};
    const RECT rcClient = MapDialogRect(RECT{0, 0, dlg.cx, dlg.cy}, units);
    web::DialogBegin(Handle(), dlg.pszCaption ? dlg.pszCaption : "", rcClient.right, rcClient.bottom,
                     font.c_str());
    for (const DialogControl& ctl : dlg.controls) {
        const RECT rc = MapDialogRect(RECT{ctl.x, ctl.y, ctl.x + ctl.cx, ctl.y + ctl.cy}, units);
        const int cx = rc.right - rc.left;
        const int cy = rc.bottom - rc.top;
        if (ctl.kind == ControlClass::Static && (ctl.style & SS_TYPEMASK) == SS_ICON) {
            if (const IconResource* pIcon = AfxFindIcon(ctl.nIconID))
                web::DialogIcon(pIcon->ico.data(), pIcon->ico.size(), rc.left, rc.top, ICON_PIXELS);
        } else if (ctl.kind == ControlClass::Static) {
            web::DialogText(StaticControlText(ctl.pszText, ctl.style).c_str(), rc.left, rc.top, cx, cy);
        } else {
            web::DialogButton(ctl.pszText ? ctl.pszText : "", ctl.nID, rc.left, rc.top, cx, cy,
                              (ctl.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        }
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
