// The key rule, once for every desktop: which virtual key a key press is, from what the
// platform reports of it (the character it types on the current layout and its place on the
// keyboard). As on Windows, a key that types a Latin letter is that letter (so Shift, Caps
// Lock and the layout's letter order do not matter: a German Y is Y); a key that types a
// letter of another script is the letter at its place on a US keyboard; a key that types
// punctuation or a digit is never a letter. Keys whose code does not depend on the layout
// (Esc, the function keys, arrows, modifiers) a backend names itself.
#pragma once

#include "wintypes.h"

struct KeyPress {
    char32_t chTyped = 0;        // what the key types on the current layout; 0 when nothing
    bool bTypedIsLetter = false; // whether that is a letter of any script (the platform knows Unicode)
    UINT nPositionVk = 0;        // the virtual key at this key's place on a US keyboard; 0 when unknown
    bool bKeypad = false;        // a key of the numeric keypad
};

// The virtual-key code, or 0 for a key the layer does not know.
UINT AfxVirtualKeyOf(const KeyPress& key);

// The message a key-down is, as Windows sends it: WM_SYSKEYDOWN for F10, for Alt itself and
// for a key pressed with Alt but not Ctrl (Ctrl+Alt is AltGr, which types); else WM_KEYDOWN.
UINT AfxKeyDownMessage(UINT nVirtKey, DWORD modifiers);
