// Top-level windows at their display's DPI. The program declares itself aware of each
// monitor's DPI, so the system stretches nothing: a window shows its pictures at a whole
// factor (crisp squares) and follows a move to a display of another DPI.
#include "native_shared.h"

#include <windows.h>

namespace w32 {
namespace {

constexpr wchar_t FACTOR_PROPERTY[] = L"Morvane.Factor";
FactorRule s_pfnRule = nullptr;

// The functions that know a window's own DPI come with Windows 10; older systems have one
// DPI for the whole desktop.
UINT DpiOfWindow(HWND hWnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto pfn = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (pfn)
        if (const UINT nDpi = pfn(hWnd))
            return nDpi;
    HDC hDC = GetDC(nullptr);
    const int nDpi = hDC ? GetDeviceCaps(hDC, LOGPIXELSX) : 96;
    if (hDC)
        ReleaseDC(nullptr, hDC);
    return nDpi > 0 ? static_cast<UINT>(nDpi) : 96;
}

int FactorForDpi(UINT nDpi) {
    const int nFactor = s_pfnRule ? s_pfnRule(nDpi) : 1;
    return nFactor < 1 ? 1 : nFactor;
}

void SetFactor(HWND hWnd, int nFactor) {
    SetPropW(hWnd, FACTOR_PROPERTY, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(nFactor)));
}

} // namespace

void SetFactorRule(FactorRule rule) {
    s_pfnRule = rule;
}

int FactorOf(Handle hWnd) {
    HWND hRoot = GetAncestor(static_cast<HWND>(hWnd), GA_ROOT);
    const auto nFactor = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(hRoot, FACTOR_PROPERTY)));
    return nFactor < 1 ? 1 : nFactor;
}

void FitClientArea(Handle hWindow, int nWidth, int nHeight) {
    HWND hWnd = static_cast<HWND>(hWindow);
    // The frame around the client area (caption, menu bar, edges) is measured, not computed:
    // the menu bar may wrap. A second pass settles a menu bar that changed its lines.
    for (int nPass = 0; nPass < 2; ++nPass) {
        RECT rcWindow, rcClient;
        if (!GetWindowRect(hWnd, &rcWindow) || !GetClientRect(hWnd, &rcClient))
            return;
        const int dx = nWidth - rcClient.right, dy = nHeight - rcClient.bottom;
        if (dx == 0 && dy == 0)
            return;
        const int cx = rcWindow.right - rcWindow.left + dx, cy = rcWindow.bottom - rcWindow.top + dy;
        SetWindowPos(hWnd, nullptr, rcWindow.left - dx / 2, rcWindow.top - dy / 2, cx, cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ScaleNewTopLevel(Handle hWindow) {
    HWND hWnd = static_cast<HWND>(hWindow);
    const int nFactor = FactorForDpi(DpiOfWindow(hWnd));
    SetFactor(hWnd, nFactor);
    if (nFactor == 1)
        return;
    RECT rc;
    if (GetClientRect(hWnd, &rc)) // the layer's size, made for its own pixels
        FitClientArea(hWnd, rc.right * nFactor, rc.bottom * nFactor);
}

void OnDpiChanged(Handle hWindow, std::uint32_t nDpi, const void* pSuggested) {
    HWND hWnd = static_cast<HWND>(hWindow);
    const int nOld = FactorOf(hWnd), nNew = FactorForDpi(nDpi);
    RECT rcClient{};
    GetClientRect(hWnd, &rcClient);
    SetFactor(hWnd, nNew);
    // Children keep their places in the layer's pixels.
    for (HWND hChild = GetWindow(hWnd, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        RECT rc;
        GetWindowRect(hChild, &rc);
        MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&rc), 2);
        MoveWindow(hChild, rc.left / nOld * nNew, rc.top / nOld * nNew, (rc.right - rc.left) / nOld * nNew,
                   (rc.bottom - rc.top) / nOld * nNew, TRUE);
    }
    const RECT& rcSuggested = *static_cast<const RECT*>(pSuggested);
    SetWindowPos(hWnd, nullptr, rcSuggested.left, rcSuggested.top, rcSuggested.right - rcSuggested.left,
                 rcSuggested.bottom - rcSuggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    FitClientArea(hWnd, rcClient.right / nOld * nNew, rcClient.bottom / nOld * nNew);
    InvalidateRect(hWnd, nullptr, TRUE);
}

} // namespace w32
