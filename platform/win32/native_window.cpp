// The native half of a window: window classes, creation, the window procedure that hands
// the layer its messages, painting with one SetDIBitsToDevice (or StretchDIBits at a factor
// above 1), and the window services.
#include "native_shared.h"
#include "win32_native.h"

#include <windows.h>

#include <imm.h>

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
    PaintDC(HDC hDC, int nFactor) : m_hDC(hDC), m_nFactor(nFactor) {
        // Each picture pixel becomes a square of whole pixels, never a blend of neighbours.
        SetStretchBltMode(m_hDC, COLORONCOLOR);
    }

    void DrawBits(int x, int y, const Bits& bits) override {
        if (!bits.pBits || bits.nWidth <= 0 || bits.nHeight <= 0)
            return;
        if (m_nFactor > 1) {
            DrawScaled(x, y, bits);
            return;
        }
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
    void DrawScaled(int x, int y, const Bits& bits) {
        const int f = m_nFactor;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = bits.nWidth;
        info.bmiHeader.biHeight = bits.nHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        if (bits.nPitch == ((bits.nWidth * 3 + 3) & ~3)) {
            StretchDIBits(m_hDC, x * f, y * f, bits.nWidth * f, bits.nHeight * f, 0, 0, bits.nWidth,
                          bits.nHeight, bits.pBits, &info, DIB_RGB_COLORS, SRCCOPY);
            return;
        }
        info.bmiHeader.biHeight = 1;
        for (int r = 0; r < bits.nHeight; ++r)
            StretchDIBits(m_hDC, x * f, (y + bits.nHeight - 1 - r) * f, bits.nWidth * f, f, 0, 0, bits.nWidth,
                          1, bits.pBits + static_cast<std::ptrdiff_t>(r) * bits.nPitch, &info, DIB_RGB_COLORS,
                          SRCCOPY);
    }

    HDC m_hDC;
    int m_nFactor;
};

LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    IWindowEvents* pEvents = EventsOf(hWnd);
    if (!pEvents)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hDC = BeginPaint(hWnd, &ps);
        PaintDC dc(hDC, FactorOf(hWnd));
        pEvents->OnPaint(dc);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // A key an input method keeps for itself is no letter of the game's.
        if (wParam == VK_PROCESSKEY)
            return DefWindowProcW(hWnd, message, wParam, lParam);
        // The window may be gone after the key (the quit key); only locals below.
        if (!pEvents->OnKeyDown(message, static_cast<std::uint32_t>(wParam), lParam, HeldModifiers()) &&
            message == WM_SYSKEYDOWN && IsWindow(hWnd))
            return DefWindowProcW(hWnd, message, wParam, lParam);
        return 0;
    case WM_SETFOCUS:
        pEvents->OnMessage(message, 0, 0);
        return 0;
    case WM_SIZE: {
        const int nFactor = FactorOf(hWnd);
        pEvents->OnMessage(message, wParam, MAKELPARAM(LOWORD(lParam) / nFactor, HIWORD(lParam) / nFactor));
        return 0;
    }
    case WM_DPICHANGED:
        if (GetAncestor(hWnd, GA_ROOT) == hWnd)
            OnDpiChanged(hWnd, LOWORD(wParam), reinterpret_cast<const void*>(lParam));
        return 0;
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
    // A child's place is in the layer's pixels; its top-level window's factor makes them the system's.
    const int f = bChild ? FactorOf(desc.hParent) : 1;
    // Created hidden: the layer shows a window when it is ready.
    HWND hWnd = CreateWindowExW(desc.dwExStyle, strClass.c_str(), strTitle.c_str(),
                                desc.dwStyle & ~WS_VISIBLE, desc.rcWindow.left * f, desc.rcWindow.top * f,
                                (desc.rcWindow.right - desc.rcWindow.left) * f,
                                (desc.rcWindow.bottom - desc.rcWindow.top) * f,
                                static_cast<HWND>(desc.hParent), hMenu, GetModuleHandleW(nullptr), nullptr);
    if (!hWnd) {
        if (hMenu && !bChild)
            DestroyMenu(hMenu);
        return nullptr;
    }
    if (!bChild)
        ScaleNewTopLevel(hWnd);
    // The game reads keys, not text: an input method (a Japanese one, say) would take the
    // letters for its composition and show its window over the game.
    ImmAssociateContextEx(hWnd, nullptr, 0);
    // Messages of the creation itself had the default handling; the layer hears from now on.
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pEvents));
    return hWnd;
}

void DestroyNativeWindow(Handle hWnd) {
    HWND h = static_cast<HWND>(hWnd);
    if (!IsWindow(h))
        return;
    SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    ::DestroyWindow(h); // its menu goes with it
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

void PlaceWindow(Handle hWindow, const Rect& rc) {
    HWND hWnd = static_cast<HWND>(hWindow);
    const int f = FactorOf(hWnd);
    if (GetAncestor(hWnd, GA_ROOT) != hWnd) {
        ::MoveWindow(hWnd, rc.left * f, rc.top * f, (rc.right - rc.left) * f, (rc.bottom - rc.top) * f, TRUE);
        return;
    }
    ::MoveWindow(hWnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    RECT rcClient;
    if (f > 1 && ::GetClientRect(hWnd, &rcClient))
        FitClientArea(hWnd, rcClient.right * f, rcClient.bottom * f);
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
