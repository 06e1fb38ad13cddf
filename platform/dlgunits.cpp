#include "dlgunits.h"

#include "resources.h"

#include <cstdint>
#include <limits>
#include <utility>

int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = (c < 0 ? -static_cast<std::int64_t>(c) : c) / 2;
    const bool bNegative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (product < 0 ? -product : product) + half;
    const std::int64_t quotient = magnitude / (c < 0 ? -static_cast<std::int64_t>(c) : c);
    const std::int64_t result = bNegative ? -quotient : quotient;
    if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min())
        return -1;
    return static_cast<int>(result);
}

RECT MapDialogRect(const RECT& rc, DialogBaseUnits units) {
    return RECT{MulDiv(rc.left, units.cx, 4), MulDiv(rc.top, units.cy, 8), MulDiv(rc.right, units.cx, 4),
                MulDiv(rc.bottom, units.cy, 8)};
}

std::string StaticControlText(const char* pszText, DWORD dwStyle) {
    const std::string text = pszText ? pszText : "";
    if (dwStyle & SS_NOPREFIX)
        return text;
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

namespace {
constexpr int ICON_PIXELS = 32; // an icon static shows the standard icon size, whatever its rectangle
constexpr int POINTS_PER_INCH = 72;
constexpr WORD DEFAULT_POINT_SIZE = 9;
} // namespace

DialogLayout AfxLayOutDialog(const DialogTemplate& dlg, DialogBaseUnits units) {
    DialogLayout layout;
    const RECT rcClient = MapDialogRect(RECT{0, 0, dlg.cx, dlg.cy}, units);
    layout.cxClient = rcClient.right;
    layout.cyClient = rcClient.bottom;
    for (const DialogControl& ctl : dlg.controls) {
        DialogItem item;
        item.rc = MapDialogRect(RECT{ctl.x, ctl.y, ctl.x + ctl.cx, ctl.y + ctl.cy}, units);
        item.nID = ctl.nID;
        item.bTabStop = (ctl.style & WS_TABSTOP) != 0;
        if (ctl.kind == ControlClass::Static && (ctl.style & SS_TYPEMASK) == SS_ICON) {
            item.kind = DialogItemKind::Icon;
            item.rc.right = item.rc.left + ICON_PIXELS;
            item.rc.bottom = item.rc.top + ICON_PIXELS;
            item.pIcon = AfxFindIcon(ctl.nIconID);
        } else if (ctl.kind == ControlClass::Static) {
            item.text = StaticControlText(ctl.pszText, ctl.style);
        } else {
            item.kind = DialogItemKind::Button;
            item.text = ctl.pszText ? ctl.pszText : "";
            item.bDefault = (ctl.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        }
        layout.items.push_back(std::move(item));
    }
    return layout;
}

int DialogFontPixels(const DialogTemplate& dlg, int nDpi) {
    return MulDiv(dlg.wPointSize ? dlg.wPointSize : DEFAULT_POINT_SIZE, nDpi, POINTS_PER_INCH);
}

std::vector<const char*> DialogFaces(const DialogTemplate& dlg) {
    std::vector<const char*> faces;
    if (dlg.pszFaceName && *dlg.pszFaceName)
        faces.push_back(dlg.pszFaceName);
    for (const char* pszFace : DIALOG_FALLBACK_FACES)
        faces.push_back(pszFace);
    return faces;
}
