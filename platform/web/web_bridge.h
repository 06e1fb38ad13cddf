// The C++ side's view of the page (web_runtime.js): the message queue, the wake-up, the
// clock, painting, the menu bar and the modal dialog. Plain integers, pointers and strings
// only, so the rest of the backend never names Emscripten.
#pragma once

#include "platform/wintypes.h"

#include <cstddef>
#include <cstdint>

// One message as the page queues it: posted input and commands, paints, the wake-up (WM_TIMER
// to window 0). The window is the page's number for a peer (WebWndPeer::Handle), never a
// pointer.
struct WebMessage {
    std::int32_t nWindow = 0;
    std::uint32_t message = 0;
    std::uint32_t wParam = 0;
    std::int32_t lParam = 0;
    std::uint32_t modifiers = 0;
    std::uint32_t chTyped = 0;        // a key's character on the current layout, 0 for none
    std::uint32_t bTypedIsLetter = 0; // whether that is a letter of any script
};

namespace web {

// Hooks the keyboard and the canvas up and starts the clock.
void Start();
// Milliseconds since Start on the page's clock, wrapping at 2^32.
DWORD Now();

// Takes the next waiting message; false when none is waiting.
bool TakeMessage(WebMessage& msg);
// Gives the page back to the browser until a message is waiting.
void WaitMessage();

// Queues the wake-up dwTimeout ms from now on the clock of Now(), INFINITE: never; it
// replaces the last one, a queued one included.
void SetWakeTimer(DWORD dwTimeout);
// Asks for a WM_PAINT of the window with the next animation frame; Validate drops it.
void Invalidate(int nWindow);
void Validate(int nWindow);
// The window is gone: its paints and queued messages go too.
void Forget(int nWindow);
// Keys go to this window from now on (0: to none).
void SetFocusWindow(int nWindow);
// Draws RGBA pixels (4 bytes each, top row first) onto the canvas at (x, y).
void Present(int x, int y, const std::uint8_t* pRGBA, int nWidth, int nHeight);

void SetTitle(const char* pszTitle);
// Says a text (UTF-8) in the page's polite live region, for screen readers.
void Announce(const char* pszText);
// The menu bar of the top-level window nWindow, popup by popup, item by item (UTF-8, '&'
// before the mnemonic); choosing an item posts WM_COMMAND with its id to nWindow.
void MenuBegin(int nWindow);
void MenuPopup(const char* pszText);
void MenuItem(const char* pszText, UINT nID);
// A system key no accelerator took: Alt+mnemonic opens its menu, F10 the menu bar.
void SystemKey(UINT nVirtKey, DWORD modifiers);

// The dialog's average character width extent (of the 52 letters) and height in this font.
void MeasureDialogFont(const char* pszFont, int& nLettersExtent, int& nHeight);
// The modal dialog of window nWindow, its client area in pixels; controls in pixels.
void DialogBegin(int nWindow, const char* pszCaption, int cx, int cy, const char* pszFont);
void DialogText(const char* pszText, int x, int y, int cx, int cy);
void DialogIcon(const std::uint8_t* pIco, std::size_t nSize, int x, int y, int nPixels);
void DialogButton(const char* pszText, int nID, int x, int y, int cx, int cy, bool bDefault);
void DialogShow();
void DialogEnd(int nWindow);

// The program has ended with this status: the page shows its closed (or failed) state.
void Finish(int nStatus);

} // namespace web
