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
    web::DialogEnd(Handle());
    // As when a desktop dialog ends, its owner becomes the active window again.
    System().Activate(m_pOwner);
}

void WebDialogPeer::Show(int nCmdShow) {
    WebWndPeer::Show(nCmdShow);
    if (nCmdShow != SW_HIDE)
        web::DialogShow();
}

void WebDialogPeer::RunModalLoop() {
    Show(SW_SHOW);
    // Nothing of this peer is touched after the loop: the dialog may be gone by then.
    System().RunModal(Handle());
}

void WebDialogPeer::EndModalLoop() {
    m_bEnded = true;
}
