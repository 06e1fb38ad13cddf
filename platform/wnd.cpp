#include "wnd.h"

#include "afxres.h"
#include "clock.h"
#include "keymap.h"
#include "message_loop.h"
#include "timer_queue.h"
#include "winthread.h"

#include <algorithm>

namespace {
// The message being handled, for Default(). Kept outside the window object because a
// handler may destroy and delete its own window (the quit key closes the main window).
const MSG* g_pCurrentMsg = nullptr;

constexpr int DEFAULT_WIDTH = 640;
constexpr int DEFAULT_HEIGHT = 480;

// Replaces CW_USEDEFAULT by the place and size every desktop gives. Only x and cx are
// looked at, as in Win32: with x left to the system y is ignored too, and with cx, cy. That
// y follows x here (and cy follows cx) is the rule, not a slip.
void ChooseDefaultPlace(CREATESTRUCT& cs) {
    const bool bTopLevel = (cs.style & (WS_CHILD | WS_POPUP)) == 0;
    if (cs.x == CW_USEDEFAULT) {
        const RECT work = bTopLevel ? AfxWindowSystem().WorkArea() : RECT{};
        cs.x = work.left;
        cs.y = work.top;
    }
    if (cs.cx == CW_USEDEFAULT) {
        cs.cx = bTopLevel ? DEFAULT_WIDTH : 0;
        cs.cy = bTopLevel ? DEFAULT_HEIGHT : 0;
    }
}
} // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() {
    // A window object going away with its window still alive (a test's local view, say):
    // unhook it so neither the parent nor the children point at it, without messages.
    if (m_pParent) {
        auto& siblings = m_pParent->m_children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    for (CWnd* pChild : m_children)
        pChild->m_pParent = nullptr;
    if (CWinThread* pThread = AfxGetThread(); pThread && pThread->m_pMainWnd == this)
        pThread->m_pMainWnd = nullptr;
    // Its timers go with its native side, as a destroyed window's do.
    if (m_pPeer) {
        AfxTimers().Forget(*this);
        AfxTimersChanged();
    }
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, void* pContext) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, CWnd* pParentWnd, UINT nIDorMenu, void* lpParam) {
    if (m_hWnd)
        return FALSE;
    CREATESTRUCT cs;
    cs.lpCreateParams = lpParam;
    cs.hMenu = nIDorMenu;
    cs.hwndParent = pParentWnd;
    cs.cy = nHeight;
    cs.cx = nWidth;
    cs.y = y;
    cs.x = x;
    cs.style = dwStyle;
    cs.lpszName = lpszWindowName;
    cs.lpszClass = lpszClassName;
    cs.dwExStyle = dwExStyle;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    ChooseDefaultPlace(cs);
    m_cs = cs;
    m_dwStyle = cs.style;
    m_dwExStyle = cs.dwExStyle;
    m_nID = (cs.style & WS_CHILD) ? cs.hMenu : 0;
    m_pPeer = CreatePeer(cs);
    if (!m_pPeer) {
        PostNcDestroy();
        return FALSE;
    }
    m_hWnd = m_pPeer.get();
    m_pAlive = std::make_shared<CWnd*>(this);
    m_pParent = cs.hwndParent;
    if (m_pParent)
        m_pParent->m_children.push_back(this);

    if (WindowProc(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        // A refused creation destroys the window at once; the object may be gone after.
        DestroyWindow();
        return FALSE;
    }
    if ((m_dwStyle & (WS_CHILD | WS_VISIBLE)) == (WS_CHILD | WS_VISIBLE))
        m_pPeer->Show(SW_SHOW);
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd)
        return FALSE;
    SendDestroy();
    SendNcDestroy();
    return TRUE;
}

void CWnd::SendDestroy() {
    WindowProc(WM_DESTROY, 0, 0);
    const std::vector<CWnd*> children = m_children;
    for (CWnd* pChild : children)
        pChild->SendDestroy();
}

void CWnd::SendNcDestroy() {
    const std::vector<CWnd*> children = m_children;
    for (CWnd* pChild : children)
        pChild->SendNcDestroy();
    if (m_pParent) {
        auto& siblings = m_pParent->m_children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        m_pParent = nullptr;
    }
    m_hWnd = nullptr;
    m_pAlive.reset();
    AfxTimers().Forget(*this);
    AfxTimersChanged();
    ReleasePeer(std::move(m_pPeer)); // the native window ends here
    WindowProc(WM_NCDESTROY, 0, 0);  // may delete this object
}

std::unique_ptr<IWndPeer> CWnd::CreatePeer(const CREATESTRUCT& cs) {
    return AfxWindowSystem().CreatePeer(*this, cs);
}

void CWnd::ReleasePeer(std::unique_ptr<IWndPeer> pPeer) {
    pPeer.reset();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& /*cs*/) {
    return TRUE;
}

BOOL CWnd::PreTranslateMessage(MSG* /*pMsg*/) {
    return FALSE;
}

BOOL CWnd::OnCmdMsg(UINT /*nID*/, int /*nCode*/, void* /*pExtra*/, void* /*pHandlerInfo*/) {
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg;
    msg.hwnd = this;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    const MSG* pPrevious = g_pCurrentMsg;
    g_pCurrentMsg = &msg;
    LRESULT lResult = 0;
    // After a handler returns, `this` may be gone; only locals are touched below.
    switch (message) {
    case WM_CREATE:
        lResult = OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_NCDESTROY:
        OnNcDestroy();
        break;
    case WM_PAINT:
        OnPaint();
        break;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        break;
    case WM_SETFOCUS:
        OnSetFocus(reinterpret_cast<CWnd*>(wParam));
        break;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_CLOSE:
        OnClose();
        break;
    case WM_COMMAND:
        lResult = OnCommand(wParam, lParam);
        break;
    default:
        lResult = Default();
        break;
    }
    g_pCurrentMsg = pPrevious;
    return lResult;
}

LRESULT CWnd::Default() {
    const MSG* pMsg = g_pCurrentMsg;
    if (!pMsg)
        return 0;
    switch (pMsg->message) {
    case WM_CLOSE:
        pMsg->hwnd->DestroyWindow();
        return 0;
    default:
        return 0; // creation accepted; every other message needs nothing more here
    }
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_hWnd)
        return 0;
    return WindowProc(message, wParam, lParam);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse,
                        void (* /*lpfnTimer*/)(HWND, UINT, UINT_PTR, DWORD)) {
    if (!m_pPeer || !AfxFindWindowSystem())
        return 0;
    AfxTimers().Start(*this, nIDEvent, std::clamp(nElapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM),
                      AfxClock());
    AfxTimersChanged();
    return nIDEvent;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) {
    if (!m_pPeer)
        return FALSE;
    const bool bWasRunning = AfxTimers().Stop(*this, nIDEvent);
    AfxTimersChanged();
    return bWasRunning ? TRUE : FALSE;
}

void CWnd::InvalidateRect(const RECT* /*lpRect*/, BOOL bErase) {
    // The game only ever invalidates its whole view; a rectangle widens to the window.
    if (m_pPeer)
        m_pPeer->Invalidate(bErase != FALSE);
}

CWnd* CWnd::SetFocus() {
    CWnd* pOld = GetFocus();
    if (m_pPeer)
        m_pPeer->SetFocus();
    return pOld;
}

CWnd* CWnd::GetFocus() {
    return AfxWindowSystem().GetFocus();
}

BOOL CWnd::ShowWindow(int nCmdShow) {
    if (!m_pPeer)
        return FALSE;
    m_pPeer->Show(nCmdShow);
    return TRUE;
}

void CWnd::UpdateWindow() {
    if (m_pPeer)
        m_pPeer->Update();
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL /*bRepaint*/) {
    if (m_pPeer)
        m_pPeer->Move(RECT{x, y, x + nWidth, y + nHeight});
}

void CWnd::GetClientRect(RECT* lpRect) const {
    if (lpRect)
        *lpRect = m_pPeer ? m_pPeer->GetClientRect() : RECT{};
}

void CWnd::Announce(const std::string& strText) {
    if (m_pPeer)
        m_pPeer->Announce(strText);
}

void CWnd::GetWindowRect(RECT* lpRect) const {
    if (lpRect)
        *lpRect = m_pPeer ? m_pPeer->GetWindowRect() : RECT{};
}

int CWnd::OnCreate(LPCREATESTRUCT /*lpCreateStruct*/) {
    return static_cast<int>(Default());
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnPaint() {
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
void CWnd::OnSetFocus(CWnd*) {
    Default();
}
void CWnd::OnSize(UINT, int, int) {
    Default();
}
void CWnd::OnClose() {
    Default();
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM /*lParam*/) {
    return OnCmdMsg(LOWORD(static_cast<LPARAM>(wParam)), HIWORD(static_cast<LPARAM>(wParam)), nullptr,
                    nullptr);
}

void CWnd::OnNcDestroy() {
    // When the main window goes, the message loop ends and the thread forgets it.
    if (CWinThread* pThread = AfxGetThread(); pThread && pThread->m_pMainWnd == this) {
        pThread->m_pMainWnd = nullptr;
        AfxPostQuitMessage(0);
    }
    PostNcDestroy();
}

void CWnd::PostNcDestroy() {}

BOOL AfxDispatchKeyMessage(CWnd* pTarget, UINT message, WPARAM wParam, LPARAM lParam, DWORD modifiers) {
    if (!pTarget)
        return FALSE;
    MSG msg;
    msg.hwnd = pTarget;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = timeGetTime();
    msg.modifiers = modifiers;
    for (CWnd* pWnd = pTarget; pWnd; pWnd = pWnd->GetParent())
        if (pWnd->PreTranslateMessage(&msg))
            return TRUE;
    pTarget->WindowProc(message, wParam, lParam);
    return FALSE;
}

BOOL AfxDispatchKeyDown(CWnd* pTarget, UINT nVirtKey, DWORD modifiers, bool bRepeat) {
    constexpr LPARAM ALT_CONTEXT_BIT = 0x20000000;
    LPARAM lParam = MakeKeyLParam(1, bRepeat);
    if (modifiers & MOD_ALT_DOWN)
        lParam |= ALT_CONTEXT_BIT;
    return AfxDispatchKeyMessage(pTarget, AfxKeyDownMessage(nVirtKey, modifiers), nVirtKey, lParam,
                                 modifiers);
}
