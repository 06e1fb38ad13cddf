#include "web_bridge.h"

#include <emscripten.h>

// clang-format off
EM_JS(void, morvane_start, (), { MorvaneWeb.start(); });
EM_JS(std::uint32_t, morvane_now, (), { return MorvaneWeb.now(); });
EM_JS(int, morvane_take, (WebMessage* pMsg), { return MorvaneWeb.take(pMsg); });
EM_ASYNC_JS(void, morvane_wait, (), { await MorvaneWeb.wait(); });
EM_JS(void, morvane_set_wake, (int nTimeout), { MorvaneWeb.setWake(nTimeout); });
EM_JS(void, morvane_invalidate, (int nWindow), { MorvaneWeb.invalidate(nWindow); });
EM_JS(void, morvane_validate, (int nWindow), { MorvaneWeb.validate(nWindow); });
EM_JS(void, morvane_forget, (int nWindow), { MorvaneWeb.forget(nWindow); });
EM_JS(void, morvane_set_focus, (int nWindow), { MorvaneWeb.focusHwnd = nWindow; });
EM_JS(void, morvane_present, (int x, int y, const std::uint8_t* pRGBA, int cx, int cy), {
    MorvaneWeb.present(x, y, pRGBA, cx, cy);
});
EM_JS(void, morvane_set_title, (const char* pszTitle), { document.title = UTF8ToString(pszTitle); });
EM_JS(void, morvane_announce, (const char* pszText), { MorvaneWeb.announce(UTF8ToString(pszText)); });
EM_JS(void, morvane_menu_begin, (int nWindow), { MorvaneWeb.menuBegin(nWindow); });
EM_JS(void, morvane_menu_popup, (const char* pszText), { MorvaneWeb.menuPopup(UTF8ToString(pszText)); });
EM_JS(void, morvane_menu_item, (const char* pszText, UINT nID), {
    MorvaneWeb.menuItem(UTF8ToString(pszText), nID);
});
EM_JS(void, morvane_system_key, (UINT nVirtKey, DWORD modifiers), {
    MorvaneWeb.systemKey(nVirtKey, modifiers);
});
EM_JS(void, morvane_measure_font, (const char* pszFont, int* pOut), {
    var units = MorvaneWeb.dialogUnits(UTF8ToString(pszFont));
    HEAP32[pOut >> 2] = units[0];
    HEAP32[(pOut >> 2) + 1] = units[1];
});
EM_JS(void, morvane_dialog_begin, (int nWindow, const char* pszCaption, int cx, int cy, const char* pszFont), {
    MorvaneWeb.dialogBegin(nWindow, UTF8ToString(pszCaption), cx, cy, UTF8ToString(pszFont));
});
EM_JS(void, morvane_dialog_text, (const char* pszText, int x, int y, int cx, int cy), {
    MorvaneWeb.dialogText(UTF8ToString(pszText), x, y, cx, cy);
});
EM_JS(void, morvane_dialog_icon, (const std::uint8_t* pIco, std::size_t nSize, int x, int y, int nPixels), {
    MorvaneWeb.dialogIcon(HEAPU8.slice(pIco, pIco + nSize), x, y, nPixels);
});
EM_JS(void, morvane_dialog_button, (const char* pszText, int nID, int x, int y, int cx, int cy, int bDefault), {
    MorvaneWeb.dialogButton(UTF8ToString(pszText), nID, x, y, cx, cy, bDefault !== 0);
});
EM_JS(void, morvane_dialog_show, (), { MorvaneWeb.dialogShow(); });
EM_JS(void, morvane_dialog_end, (int nWindow), { MorvaneWeb.dialogEnd(nWindow); });
EM_JS(void, morvane_finish, (int nStatus), { MorvaneWeb.finish(nStatus); });
// clang-format on

namespace web {

void Start() {
    morvane_start();
}
DWORD Now() {
    return morvane_now();
}
bool TakeMessage(WebMessage& msg) {
    return morvane_take(&msg) != 0;
}
void WaitMessage() {
    morvane_wait();
}
void SetWakeTimer(DWORD dwTimeout) {
    // The layer asks for no more than USER_TIMER_MAXIMUM, which an int holds; -1 is never.
    morvane_set_wake(dwTimeout == INFINITE ? -1 : static_cast<int>(dwTimeout));
}
void Invalidate(int nWindow) {
    morvane_invalidate(nWindow);
}
void Validate(int nWindow) {
    morvane_validate(nWindow);
}
void Forget(int nWindow) {
    morvane_forget(nWindow);
}
void SetFocusWindow(int nWindow) {
    morvane_set_focus(nWindow);
}
void Present(int x, int y, const std::uint8_t* pRGBA, int nWidth, int nHeight) {
    morvane_present(x, y, pRGBA, nWidth, nHeight);
}
void SetTitle(const char* pszTitle) {
    morvane_set_title(pszTitle);
}
void Announce(const char* pszText) {
    morvane_announce(pszText);
}
void MenuBegin(int nWindow) {
    morvane_menu_begin(nWindow);
}
void MenuPopup(const char* pszText) {
    morvane_menu_popup(pszText);
}
void MenuItem(const char* pszText, UINT nID) {
    morvane_menu_item(pszText, nID);
}
void SystemKey(UINT nVirtKey, DWORD modifiers) {
    morvane_system_key(nVirtKey, modifiers);
}
void MeasureDialogFont(const char* pszFont, int& nLettersExtent, int& nHeight) {
    int out[2] = {};
    morvane_measure_font(pszFont, out);
    nLettersExtent = out[0];
    nHeight = out[1];
}
void DialogBegin(int nWindow, const char* pszCaption, int cx, int cy, const char* pszFont) {
    morvane_dialog_begin(nWindow, pszCaption, cx, cy, pszFont);
}
void DialogText(const char* pszText, int x, int y, int cx, int cy) {
    morvane_dialog_text(pszText, x, y, cx, cy);
}
void DialogIcon(const std::uint8_t* pIco, std::size_t nSize, int x, int y, int nPixels) {
    morvane_dialog_icon(pIco, nSize, x, y, nPixels);
}
void DialogButton(const char* pszText, int nID, int x, int y, int cx, int cy, bool bDefault) {
    morvane_dialog_button(pszText, nID, x, y, cx, cy, bDefault ? 1 : 0);
}
void DialogShow() {
    morvane_dialog_show();
}
void DialogEnd(int nWindow) {
    morvane_dialog_end(nWindow);
}
void Finish(int nStatus) {
    morvane_finish(nStatus);
}

} // namespace web
