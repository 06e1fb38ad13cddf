// Qt key events in the window layer's terms: virtual-key codes by the Windows rules, the
// modifier bits, and which key-downs are system keys (the menu bar's, never the game's).
#pragma once

#include "platform/wintypes.h"

#include <QtCore/qglobal.h>
#include <QtCore/qnamespace.h>

// The virtual-key code of a key, or 0 for a key the layer does not know. As on Windows, a
// key that types a Latin letter is that letter (so Shift and Caps Lock do not matter, and a
// German keyboard's Y is Y); a key that types a letter of another script is the letter at
// its place on a US keyboard, read from its X keyboard scan code (bXkbScanCodes: the
// platform reports those); a key that types punctuation or a digit is never a letter.
UINT VirtualKeyFromQt(int nQtKey, quint32 nNativeScanCode, Qt::KeyboardModifiers modifiers,
                      bool bXkbScanCodes);

DWORD ModifiersFromQt(Qt::KeyboardModifiers modifiers);

// WM_SYSKEYDOWN for the Alt key, F10 and keys pressed with Alt but without Ctrl (Ctrl+Alt
// is AltGr on many layouts and types characters); WM_KEYDOWN for all others.
UINT KeyDownMessage(UINT nVirtKey, DWORD modifiers);

// Whether the running Qt platform reports X keyboard scan codes (xcb, wayland).
bool PlatformHasXkbScanCodes();
