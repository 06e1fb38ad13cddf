// The native half of the program's run: the message loop, the about box's modal loop, the
// clock, the work area and the system metrics.
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
// Keys are not translated here: the window procedure hands every key-down to the layer,
// whose frame translates its accelerator table as on every other desktop.
void Dispatch(MSG& msg) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}
} // namespace

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        Dispatch(msg);
    return static_cast<int>(msg.wParam);
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

void QuitMessageLoop(int nExitCode) {
    ::PostQuitMessage(nExitCode);
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

void RunModalDialog(Handle hDialog, Handle hOwner, const bool* pbEnded) {
    HWND hDlg = static_cast<HWND>(hDialog);
    HWND hOwnerWnd = static_cast<HWND>(hOwner);
    // Modal as a system dialog box is: the owner takes no input while the dialog is up, and
    // the loop goes on dispatching every window's timers and paints.
    if (hOwnerWnd)
        EnableWindow(hOwnerWnd, FALSE);
    ShowWindow(hDlg, SW_SHOW);
    MSG msg;
    while (!*pbEnded && IsWindow(hDlg)) {
        const BOOL bGot = GetMessageW(&msg, nullptr, 0, 0);
        if (bGot <= 0) {
            // The program is ending: the outer loop must see the quit as well.
            ::PostQuitMessage(bGot == 0 ? static_cast<int>(msg.wParam) : 1);
            break;
        }
        if (!IsDialogMessageW(hDlg, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
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
