// What the Win32 driver asks of the system beyond the backend's own tests' probe, in plain
// types (the driver includes the window layer, which cannot share a file with <windows.h>).
#pragma once

#include "platform/win32/win32_native.h"

namespace native {

// The window's rectangle on the screen, its frame included.
w32::Rect WindowRectOf(w32::Handle hWnd);
// The window that owns hWnd (a dialog's owner), or null.
w32::Handle OwnerOf(w32::Handle hWnd);
// The close the title bar's button makes (WM_SYSCOMMAND SC_CLOSE, which becomes WM_CLOSE).
void PostCloseButton(w32::Handle hWnd);
// WM_CLOSE from outside the program, as a task manager sends it.
void PostClose(w32::Handle hWnd);
// The thread does nothing for ms: no message is handled meanwhile.
void BlockThread(unsigned ms);

} // namespace native
