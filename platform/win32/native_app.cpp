// The native half of the program's run: waiting for and dispatching messages, the wake-up
// timer, the about box's modal state, the clock, the work area and the system metrics.
#include "native_shared.h"
#include "win32_native.h"

#include <windows.h>

#include <mmsystem.h>

namespace w32 {

std::wstring Widen(const std::string& strUtf8) {
    if (strUtf8.empty())
        return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, strUtf8.data(), static_cast<int>(strUtf8.size()), nullptr, 0);
    std::wstring str(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, strUtf8.data(), static_cast<int>(strUtf8.size()), str.data(), n);
    return str;
}

namespace {
HWND g_hModal = nullptr; // the dialog shown modal, whose keys (Enter, Esc, Tab) are its own
UINT_PTR g_nWake = 0;
void (*g_pfnWake)() = nullptr;

// Keys are not translated here: the window procedure hands every key-down to the layer,
// whose frame translates its accelerator table as on every other desktop.
void Dispatch(MSG& msg) {
    if (g_hModal && IsDialogMessageW(g_hModal, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

// A thread timer's procedure runs from whichever loop dispatches its message: this one, a
// menu's or a window move's. It fires once per setting.
void CALLBACK OnWake(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, g_nWake);
    g_nWake = 0;
    if (g_pfnWake)
        g_pfnWake();
}
} // namespace

void SetWake(std::uint32_t nMilliseconds, void (*pfnWake)()) {
    g_pfnWake = pfnWake;
    if (nMilliseconds == 0xFFFFFFFF) {
        if (g_nWake)
            KillTimer(nullptr, g_nWake);
        g_nWake = 0;
        return;
    }
    // Naming the running timer replaces it; the system runs shorter waits at its minimum.
    g_nWake = SetTimer(nullptr, g_nWake, nMilliseconds, OnWake);
}

bool PumpMessages(int* pExitCode) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            if (pExitCode)
                *pExitCode = static_cast<int>(msg.wParam);
            return false;
        }
        Dispatch(msg);
    }
    return true;
}

void WaitForMessages(std::uint32_t nMilliseconds) {
    MsgWaitForMultipleObjectsEx(0, nullptr, nMilliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

namespace {

INT_PTR CALLBACK DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        // The same slot as every other window's, so that DestroyNativeWindow silences it too.
        SetWindowLongPtrW(hDlg, GWLP_USERDATA, lParam);
        return TRUE; // the default button takes the focus
    }
    auto* pEvents = reinterpret_cast<IWindowEvents*>(GetWindowLongPtrW(hDlg, GWLP_USERDATA));
    if (!pEvents || (message != WM_COMMAND && message != WM_CLOSE))
        return FALSE;
    pEvents->OnMessage(message, wParam, lParam);
    return TRUE;
}

} // namespace

Handle CreateNativeDialog(std::uint32_t nTemplateID, Handle hOwner, IWindowEvents* pEvents) {
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nTemplateID),
                              static_cast<HWND>(hOwner), DialogProc, reinterpret_cast<LPARAM>(pEvents));
}

void BeginModalDialog(Handle hDialog, Handle hOwner) {
    // Modal as a system dialog box is: the owner takes no input while the dialog is up.
    g_hModal = static_cast<HWND>(hDialog);
    if (hOwner)
        EnableWindow(static_cast<HWND>(hOwner), FALSE);
    ShowWindow(g_hModal, SW_SHOW);
}

void EndModalDialog(Handle hDialog, Handle hOwner) {
    HWND hDlg = static_cast<HWND>(hDialog);
    HWND hOwnerWnd = static_cast<HWND>(hOwner);
    if (g_hModal == hDlg)
        g_hModal = nullptr;
    // The owner is enabled before the dialog hides, or the system would activate another
    // program's window in between.
    if (hOwnerWnd && IsWindow(hOwnerWnd)) {
        EnableWindow(hOwnerWnd, TRUE);
        if (IsWindow(hDlg))
            ShowWindow(hDlg, SW_HIDE);
        SetActiveWindow(hOwnerWnd);
    }
}

std::uint32_t Now() {
    return timeGetTime();
}

Rect WorkArea() {
    RECT rc{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0))
        return Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return Rect{rc.left, rc.top, rc.right, rc.bottom};
}

Metrics CurrentMetrics() {
    return Metrics{GetSystemMetrics(SM_CXFIXEDFRAME), GetSystemMetrics(SM_CYFIXEDFRAME),
                   GetSystemMetrics(SM_CXSIZEFRAME),  GetSystemMetrics(SM_CYSIZEFRAME),
                   GetSystemMetrics(SM_CXBORDER),     GetSystemMetrics(SM_CYBORDER),
                   GetSystemMetrics(SM_CXEDGE),       GetSystemMetrics(SM_CYEDGE),
                   GetSystemMetrics(SM_CYCAPTION),    GetSystemMetrics(SM_CYMENU)};
}

} // namespace w32
