// Qt key events in the window layer's terms: virtual-key codes by the Windows rules, the
// modifier bits, and which key-downs are system keys (the menu bar's, never the game's).
#pragma once

#include "platform/wintypes.h"

#include <QtCore/qglobal.h>
#include <QtCore/qnamespace.h>

// The virtual-key code of a key, or 0 for a key the layer does not know: Qt's named keys
// here, every other key by the layer's key rule (platform/keymap.h) from the character it
// types and its place, read from its X keyboard scan code (bXkbScanCodes: the platform
// reports those).
UINT VirtualKeyFromQt(int nQtKey, quint32 nNativeScanCode, Qt::KeyboardModifiers modifiers,
                      bool bXkbScanCodes);

DWORD ModifiersFromQt(Qt::KeyboardModifiers modifiers);

// Whether the running Qt platform reports X keyboard scan codes (xcb, wayland).
bool PlatformHasXkbScanCodes();
