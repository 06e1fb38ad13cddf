#include "native_window.h"

#include <windows.h>

namespace native {

w32::Rect WindowRectOf(w32::Handle hWnd) {
    RECT rc{};
    GetWindowRect(static_cast<HWND>(hWnd), &rc);
    return w32::Rect{rc.left, rc.top, rc.right, rc.bottom};
}

w32::Handle OwnerOf(w32::Handle hWnd) {
    return GetWindow(static_cast<HWND>(hWnd), GW_OWNER);
}

void PostCloseButton(w32::Handle hWnd) {
    PostMessageW(static_cast<HWND>(hWnd), WM_SYSCOMMAND, SC_CLOSE, 0);
}

void PostClose(w32::Handle hWnd) {
    PostMessageW(static_cast<HWND>(hWnd), WM_CLOSE, 0, 0);
}

void BlockThread(unsigned ms) {
    Sleep(ms);
}

} // namespace native
