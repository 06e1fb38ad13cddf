// The native half of a window: window classes, creation, the window procedure that hands
// the layer its messages, painting with one SetDIBitsToDevice, and the window services.
#include "native_shared.h"
#include "win32_native.h"

#include <windows.h>

#include <set>

namespace w32 {
namespace {

IWindowEvents* EventsOf(HWND hWnd) {
    return reinterpret_cast<IWindowEvents*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
}

std::uint32_t HeldModifiers() {
    std::uint32_t modifiers = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        modifiers |= SHIFT_DOWN;
    if (GetKeyState(VK_CONTROL) < 0)
        modifiers |= CONTROL_DOWN;
    if (GetKeyState(VK_MENU) < 0)
        modifiers |= ALT_DOWN;
    return modifiers;
}

// The paint context of one WM_PAINT.
class PaintDC : public IPaintTarget {
public:
    explicit PaintDC(HDC hDC) : m_hDC(hDC) {}

    void DrawBits(int x, int y, const Bits& bits) override {
        if (!bits.pBits || bits.nWidth <= 0 || bits.nHeight <= 0)
            return;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = bits.nWidth;
        info.bmiHeader.biHeight = bits.nHeight; // positive: bottom-up rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        const int nDibPitch = (bits.nWidth * 3 + 3) & ~3;
        if (bits.nPitch == nDibPitch) {
            SetDIBitsToDevice(m_hDC, x, y, bits.nWidth, bits.nHeight, 0, 0, 0, bits.nHeight, bits.pBits,
                              &info, DIB_RGB_COLORS);
            return;
        }
        // Rows padded otherwise than a DIB's go one at a time (row r from the bottom).
        info.bmiHeader.biHeight = 1;
        for (int r = 0; r < bits.nHeight; ++r)
            SetDIBitsToDevice(m_hDC, x, y + bits.nHeight - 1 - r, bits.nWidth, 1, 0, 0, 0, 1,
                              bits.pBits + static_cast<std::ptrdiff_t>(r) * bits.nPitch, &info,
                              DIB_RGB_COLORS);
    }

private:
    HDC m_hDC;
};

LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    IWindowEvents* pEvents = EventsOf(hWnd);
    if (!pEvents)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hDC = BeginPaint(hWnd, &ps);
        PaintDC dc(hDC);
        pEvents->OnPaint(dc);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // The window may be gone after the key (the quit key); only locals below.
        if (!pEvents->OnKeyDown(message, static_cast<std::uint32_t>(wParam), lParam, HeldModifiers()) &&
            message == WM_SYSKEYDOWN && IsWindow(hWnd))
            return DefWindowProcW(hWnd, message, wParam, lParam);
        return 0;
    case WM_SETFOCUS:
        pEvents->OnMessage(message, 0, 0);
        return 0;
    case WM_TIMER:
    case WM_SIZE:
    case WM_CLOSE:
    case WM_COMMAND:
        pEvents->OnMessage(message, wParam, lParam);
        return 0;
    default:
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
}

// Registers the class once per name; its brush lives as long as the program.
bool EnsureClass(const ClassDesc& desc, const std::wstring& strName) {
    static std::set<std::wstring> registered;
    if (registered.count(strName))
        return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = desc.nStyle;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = desc.bArrowCursor ? LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)) : nullptr;
    if (desc.bBrush)
        wc.hbrBackground = CreateSolidBrush(
            RGB((desc.rgbBrush >> 16) & 0xFF, (desc.rgbBrush >> 8) & 0xFF, desc.rgbBrush & 0xFF));
    wc.lpszClassName = strName.c_str();
    if (!RegisterClassExW(&wc))
        return false;
    registered.insert(strName);
    return true;
}

} // namespace

Handle CreateNativeWindow(const WindowDesc& desc, IWindowEvents* pEvents) {
    const std::wstring strClass = Widen("Morvane:" + desc.wndClass.strName);
    if (!EnsureClass(desc.wndClass, strClass))
        return nullptr;
    const bool bChild = (desc.dwStyle & WS_CHILD) != 0;
    HMENU hMenu = nullptr;
    if (bChild)
        hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(desc.nIDorMenu));
    else if (desc.nIDorMenu)
        hMenu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(desc.nIDorMenu));
    const std::wstring strTitle = Widen(desc.strTitle);
    // Created hidden: the layer shows a window when it is ready.
    HWND hWnd = CreateWindowExW(
        desc.dwExStyle, strClass.c_str(), strTitle.c_str(), desc.dwStyle & ~WS_VISIBLE, desc.rcWindow.left,
        desc.rcWindow.top, desc.rcWindow.right - desc.rcWindow.left, desc.rcWindow.bottom - desc.rcWindow.top,
        static_cast<HWND>(desc.hParent), hMenu, GetModuleHandleW(nullptr), nullptr);
    if (!hWnd) {
        if (hMenu && !bChild)
            DestroyMenu(hMenu);
        return nullptr;
    }
    // Messages of the creation itself had the default handling; the layer hears from now on.
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pEvents));
    return hWnd;
}

void DestroyNativeWindow(Handle hWnd) {
    HWND h = static_cast<HWND>(hWnd);
    if (!IsWindow(h))
        return;
    SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    ::DestroyWindow(h); // its menu and timers go with it
}

void StartTimer(Handle hWnd, std::uintptr_t nIDEvent, std::uint32_t nElapse) {
    ::SetTimer(static_cast<HWND>(hWnd), nIDEvent, nElapse, nullptr);
}

void StopTimer(Handle hWnd, std::uintptr_t nIDEvent) {
    ::KillTimer(static_cast<HWND>(hWnd), nIDEvent);
}

void InvalidateWindow(Handle hWnd, bool bErase) {
    ::InvalidateRect(static_cast<HWND>(hWnd), nullptr, bErase ? TRUE : FALSE);
}

void FocusWindow(Handle hWnd) {
    ::SetFocus(static_cast<HWND>(hWnd));
}

void ShowNativeWindow(Handle hWnd, int nCmdShow) {
    ::ShowWindow(static_cast<HWND>(hWnd), nCmdShow);
}

void UpdateNativeWindow(Handle hWnd) {
    ::UpdateWindow(static_cast<HWND>(hWnd));
}

void PlaceWindow(Handle hWnd, const Rect& rc) {
    ::MoveWindow(static_cast<HWND>(hWnd), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

Rect ClientRectOf(Handle hWnd) {
    RECT rc{};
    if (!::GetClientRect(static_cast<HWND>(hWnd), &rc))
        return Rect{};
    return Rect{rc.left, rc.top, rc.right, rc.bottom};
}

Rect WindowRectOf(Handle hWnd) {
    RECT rc{};
    if (!::GetWindowRect(static_cast<HWND>(hWnd), &rc))
        return Rect{};
    return Rect{rc.left, rc.top, rc.right, rc.bottom};
}

IWindowEvents* FocusEvents() {
    HWND hFocus = ::GetFocus();
    return hFocus ? EventsOf(hFocus) : nullptr;
}

} // namespace w32
