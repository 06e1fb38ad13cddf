// Accelerator translation: a key-down that matches an entry of an accelerator table becomes
// that entry's command, before any window sees the key.
#pragma once

#include "resources.h"
#include "wintypes.h"

#include <span>

// The command of the first entry that matches a WM_KEYDOWN or WM_SYSKEYDOWN: the same
// virtual key and exactly the same Shift, Ctrl and Alt state. 0 when nothing matches.
// Entries on characters rather than virtual keys never match: the layer delivers no
// character messages.
UINT AfxTranslateAccelerator(std::span<const ACCEL> table, const MSG& msg);
