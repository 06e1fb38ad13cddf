// The native half of the program's run: the message loop with accelerator translation,
// the about box's modal loop, the clock, the work area and the system metrics.
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
void Dispatch(MSG& msg) {
    if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && msg.hwnd) {
        HWND hTop = GetAncestor(msg.hwnd, GA_ROOT);
        auto hAccel = static_cast<HACCEL>(GetPropW(hTop, ACCEL_PROPERTY));
        if (hAccel && TranslateAcceleratorW(hTop, hAccel, &msg))
            return;
    }
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

struct DialogRun {
    IWindowEvents* pEvents;
    Handle* phDialog;
};

INT_PTR CALLBACK DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* pRun = reinterpret_cast<DialogRun*>(lParam);
        *pRun->phDialog = hDlg;
        SetWindowLongPtrW(hDlg, DWLP_USER, reinterpret_cast<LONG_PTR>(pRun->pEvents));
        return TRUE; // the default button takes the focus
    }
    auto* pEvents = reinterpret_cast<IWindowEvents*>(GetWindowLongPtrW(hDlg, DWLP_USER));
    if (!pEvents || (message != WM_COMMAND && message != WM_CLOSE))
        return FALSE;
    pEvents->OnMessage(message, wParam, lParam);
    return TRUE;
}

} // namespace

void RunModalDialog(std::uint32_t nTemplateID, Handle hOwner, IWindowEvents* pEvents, Handle* phDialog) {
    DialogRun run{pEvents, phDialog};
    // The dialog's own loop goes on dispatching every window's timers and paints.
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nTemplateID), static_cast<HWND>(hOwner),
                    DialogProc, reinterpret_cast<LPARAM>(&run));
    *phDialog = nullptr;
}

void EndModalDialog(Handle hDialog) {
    HWND hDlg = static_cast<HWND>(hDialog);
    SetWindowLongPtrW(hDlg, DWLP_USER, 0); // nothing more reaches the layer
    ::EndDialog(hDlg, 0);
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
