#include "native_probe.h"

#include <windows.h>

#include <imm.h>
#include <shlobj.h>

#include <chrono>
#include <map>

namespace probe {
namespace {

std::string Narrow(const wchar_t* psz, int n = -1) {
    const int nBytes = WideCharToMultiByte(CP_UTF8, 0, psz, n, nullptr, 0, nullptr, nullptr);
    std::string str(static_cast<std::size_t>(nBytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, psz, n, str.data(), nBytes, nullptr, nullptr);
    if (n < 0 && !str.empty())
        str.pop_back(); // the terminating zero
    return str;
}

std::wstring Widen(const std::string& str) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, str.c_str(), -1, nullptr, 0);
    std::wstring wstr(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, str.c_str(), -1, wstr.data(), n);
    wstr.pop_back();
    return wstr;
}

void SetHeldModifiers(unsigned modifiers) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = (modifiers & w32::SHIFT_DOWN) ? 0x80 : 0;
    state[VK_CONTROL] = (modifiers & w32::CONTROL_DOWN) ? 0x80 : 0;
    state[VK_MENU] = (modifiers & w32::ALT_DOWN) ? 0x80 : 0;
    SetKeyboardState(state);
}

struct Counted {
    WNDPROC pfnOriginal;
    int* pnPaints;
};
std::map<HWND, Counted>& CountedWindows() {
    static std::map<HWND, Counted> windows;
    return windows;
}

LRESULT CALLBACK CountingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const Counted counted = CountedWindows().at(hWnd);
    if (message == WM_PAINT)
        ++*counted.pnPaints;
    else if (message == WM_NCDESTROY)
        CountedWindows().erase(hWnd);
    return CallWindowProcW(counted.pfnOriginal, hWnd, message, wParam, lParam);
}

std::function<void()>& Callback() {
    static std::function<void()> fn;
    return fn;
}
UINT_PTR g_nCallTimer = 0;

void CALLBACK CallTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    if (Callback())
        Callback()();
}

} // namespace

bool PumpUntil(const std::function<bool()>& pred, unsigned ms, int* pExitCode) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        if (!w32::PumpMessages(pExitCode))
            return false;
        if (pred())
            return true;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        w32::WaitForMessages(static_cast<std::uint32_t>(left.count()));
    }
}

void PressKey(w32::Handle hWnd, unsigned nVirtKey, unsigned modifiers) {
    SetHeldModifiers(modifiers);
    const bool bSystem = (modifiers & w32::ALT_DOWN) && !(modifiers & w32::CONTROL_DOWN);
    LPARAM lParam = 1 | (static_cast<LPARAM>(MapVirtualKeyW(nVirtKey, MAPVK_VK_TO_VSC)) << 16);
    if (modifiers & w32::ALT_DOWN)
        lParam |= 0x20000000;
    PostMessageW(static_cast<HWND>(hWnd), bSystem ? WM_SYSKEYDOWN : WM_KEYDOWN, nVirtKey, lParam);
    // Held while the loop handles it. A key that ends the program leaves the quit for the
    // loop that runs next.
    int nExitCode = 0;
    if (!w32::PumpMessages(&nExitCode))
        PostQuitMessage(nExitCode);
    SetHeldModifiers(0);
}

std::vector<MenuEntry> MenuOf(w32::Handle hFrame) {
    std::vector<MenuEntry> entries;
    HMENU hBar = GetMenu(static_cast<HWND>(hFrame));
    auto text = [](HMENU hMenu, int i) {
        wchar_t sz[256] = {};
        GetMenuStringW(hMenu, static_cast<UINT>(i), sz, 256, MF_BYPOSITION);
        return Narrow(sz);
    };
    for (int i = 0, n = hBar ? GetMenuItemCount(hBar) : 0; i < n; ++i) {
        entries.push_back({text(hBar, i), 0, 0});
        HMENU hPopup = GetSubMenu(hBar, i);
        for (int j = 0, m = hPopup ? GetMenuItemCount(hPopup) : 0; j < m; ++j)
            entries.push_back({text(hPopup, j), GetMenuItemID(hPopup, j), 1});
    }
    return entries;
}

std::string WindowText(w32::Handle hWnd) {
    wchar_t sz[256] = {};
    GetWindowTextW(static_cast<HWND>(hWnd), sz, 256);
    return Narrow(sz);
}

std::vector<std::string> ChildTexts(w32::Handle hWnd) {
    std::vector<std::string> texts;
    for (HWND h = GetWindow(GetWindow(static_cast<HWND>(hWnd), GW_CHILD), GW_HWNDFIRST); h;
         h = GetWindow(h, GW_HWNDNEXT))
        texts.push_back(WindowText(h));
    return texts;
}

std::uint32_t StyleOf(w32::Handle hWnd) {
    return static_cast<std::uint32_t>(GetWindowLongW(static_cast<HWND>(hWnd), GWL_STYLE));
}

bool IsEnabled(w32::Handle hWnd) {
    return IsWindowEnabled(static_cast<HWND>(hWnd)) != FALSE;
}

w32::Handle FindDialog() {
    HWND hFound = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM lParam) -> BOOL {
            wchar_t szClass[16] = {};
            GetClassNameW(h, szClass, 16);
            if (IsWindowVisible(h) && lstrcmpW(szClass, L"#32770") == 0) {
                *reinterpret_cast<HWND*>(lParam) = h;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}

void ClickButton(w32::Handle hDialog, int nID) {
    SendMessageW(GetDlgItem(static_cast<HWND>(hDialog), nID), BM_CLICK, 0, 0);
}

void PostCommand(w32::Handle hWnd, unsigned nID) {
    PostMessageW(static_cast<HWND>(hWnd), WM_COMMAND, nID, 0);
}

void CountPaints(w32::Handle hWnd, int* pnPaints) {
    HWND h = static_cast<HWND>(hWnd);
    auto pfnOriginal = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC));
    CountedWindows()[h] = Counted{pfnOriginal, pnPaints};
    SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc));
}

void CallEvery(unsigned ms, std::function<void()> fn) {
    Callback() = std::move(fn);
    g_nCallTimer = SetTimer(nullptr, 0, ms, CallTimerProc);
}

void StopCalling() {
    KillTimer(nullptr, g_nCallTimer);
    Callback() = nullptr;
}

int RunProgram(const std::string& strExe, const std::string& strFolder, unsigned ms, std::string* pStdErr,
               const std::string& strArgs) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE hRead = nullptr;
    HANDLE hWrite = nullptr;
    if (!CreatePipe(&hRead, &hWrite, &sa, 0))
        return -1;
    SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = hWrite;
    si.hStdError = hWrite;
    PROCESS_INFORMATION pi{};
    std::wstring strCommand = L"\"" + Widen(strExe) + L"\"" + (strArgs.empty() ? L"" : L" " + Widen(strArgs));
    const std::wstring strDir = Widen(strFolder);
    const BOOL bStarted = CreateProcessW(nullptr, strCommand.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                         strDir.c_str(), &si, &pi);
    CloseHandle(hWrite);
    if (!bStarted) {
        CloseHandle(hRead);
        return -1;
    }
    // The few lines it writes fit in the pipe, so waiting for its end first cannot block it.
    DWORD dwExit = static_cast<DWORD>(-1);
    if (WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &dwExit);
    else
        TerminateProcess(pi.hProcess, 99);
    // The pipe ends with the program: nothing else holds its writing end.
    std::string out;
    char buffer[4096];
    DWORD nRead = 0;
    while (ReadFile(hRead, buffer, sizeof buffer, &nRead, nullptr) && nRead > 0)
        out.append(buffer, nRead);
    CloseHandle(hRead);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (pStdErr)
        *pStdErr = out;
    return static_cast<int>(dwExit);
}

namespace {

struct Seen {
    DWORD dwProcess;
    HWND hBox = nullptr;
    HWND hMain = nullptr;
};

BOOL CALLBACK NoteWindow(HWND hWnd, LPARAM lParam) {
    auto* pSeen = reinterpret_cast<Seen*>(lParam);
    DWORD dwProcess = 0;
    GetWindowThreadProcessId(hWnd, &dwProcess);
    if (dwProcess != pSeen->dwProcess || !IsWindowVisible(hWnd))
        return TRUE;
    wchar_t szClass[64] = {};
    GetClassNameW(hWnd, szClass, 64);
    if (wcscmp(szClass, L"#32770") == 0)
        pSeen->hBox = hWnd;
    else if (wcsncmp(szClass, L"Morvane:", 8) == 0)
        pSeen->hMain = hWnd;
    return TRUE;
}

std::wstring WindowTextW(HWND hWnd, int nID = 0) {
    wchar_t sz[4096] = {};
    if (nID)
        GetDlgItemTextW(hWnd, nID, sz, 4096);
    else
        GetWindowTextW(hWnd, sz, 4096);
    return sz;
}

} // namespace

Launch LaunchProgram(const std::string& strExe, const std::string& strArgs, const std::string& strFolder,
                     unsigned ms) {
    Launch launch;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES; // and every one of them null
    PROCESS_INFORMATION pi{};
    std::wstring strCommand = L"\"" + Widen(strExe) + L"\"" + (strArgs.empty() ? L"" : L" " + Widen(strArgs));
    const std::wstring strDir = Widen(strFolder);
    if (!CreateProcessW(nullptr, strCommand.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                        strDir.c_str(), &si, &pi))
        return launch;
    const ULONGLONG nEnd = GetTickCount64() + ms;
    while (WaitForSingleObject(pi.hProcess, 20) == WAIT_TIMEOUT && GetTickCount64() < nEnd) {
        Seen seen{pi.dwProcessId};
        EnumWindows(NoteWindow, reinterpret_cast<LPARAM>(&seen));
        if (seen.hBox && !launch.bBox) {
            launch.bBox = true;
            launch.strBoxCaption = Narrow(WindowTextW(seen.hBox).c_str());
            // A message box's text is its static control 0xFFFF.
            launch.strBoxText = Narrow(WindowTextW(seen.hBox, 0xFFFF).c_str());
            PostMessageW(seen.hBox, WM_COMMAND, IDOK, 0);
        }
        if (seen.hMain && !launch.bWindow) {
            launch.bWindow = true;
            RECT rc{};
            GetClientRect(seen.hMain, &rc);
            launch.rcClient = w32::Rect{rc.left, rc.top, rc.right, rc.bottom};
            PostMessageW(seen.hMain, WM_CLOSE, 0, 0);
        }
    }
    DWORD dwExit = static_cast<DWORD>(-1);
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &dwExit);
    else
        TerminateProcess(pi.hProcess, 99);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    launch.nExit = static_cast<int>(dwExit);
    return launch;
}

Shortcut ReadShortcut(const std::string& strLink) {
    Shortcut shortcut;
    const bool bCom = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    IShellLinkW* pLink = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&pLink)))) {
        IPersistFile* pFile = nullptr;
        if (SUCCEEDED(pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile)))) {
            wchar_t sz[MAX_PATH] = {};
            if (SUCCEEDED(pFile->Load(Widen(strLink).c_str(), STGM_READ))) {
                if (SUCCEEDED(pLink->GetPath(sz, MAX_PATH, nullptr, 0)))
                    shortcut.strTarget = Narrow(sz);
                sz[0] = 0;
                if (SUCCEEDED(pLink->GetWorkingDirectory(sz, MAX_PATH)))
                    shortcut.strFolder = Narrow(sz);
            }
            pFile->Release();
        }
        pLink->Release();
    }
    if (bCom)
        CoUninitialize();
    return shortcut;
}

void SendDpiChanged(w32::Handle hWnd, unsigned nDpi) {
    RECT rc{};
    GetWindowRect(static_cast<HWND>(hWnd), &rc);
    SendMessageW(static_cast<HWND>(hWnd), WM_DPICHANGED, MAKEWPARAM(nDpi, nDpi),
                 reinterpret_cast<LPARAM>(&rc));
}

unsigned SystemDpi() {
    HDC hDC = GetDC(nullptr);
    const int nDpi = GetDeviceCaps(hDC, LOGPIXELSX);
    ReleaseDC(nullptr, hDC);
    return static_cast<unsigned>(nDpi);
}

bool HasInputContext(w32::Handle hWnd) {
    HIMC hImc = ImmGetContext(static_cast<HWND>(hWnd));
    if (!hImc)
        return false;
    ImmReleaseContext(static_cast<HWND>(hWnd), hImc);
    return true;
}

} // namespace probe
