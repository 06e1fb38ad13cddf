// The millisecond clock used for reaction times.
#pragma once

#include "wintypes.h"

// Milliseconds since the backend's clock started, wrapping at 2^32.
DWORD timeGetTime();
