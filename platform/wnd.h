// CWnd: a window of the layer. Backends call WindowProc with the messages; the handlers
// below stand in for a message map, and the services forward to the backend's peer.
#pragma once

#include "window_system.h"
#include "wintypes.h"

#include <memory>
#include <vector>

// The shortest and longest periods a window timer takes: shorter ones run at 10 ms, longer
// ones at the longest, on every desktop.
constexpr UINT USER_TIMER_MINIMUM = 0x0000000A;
constexpr UINT USER_TIMER_MAXIMUM = 0x7FFFFFFF;

class CWndRef;

class CWnd {
public:
    CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    // Creates the window: PreCreateWindow, the backend's peer, then WM_CREATE. When
    // OnCreate refuses (-1) the window is destroyed again and FALSE is returned. A place or
    // size left as CW_USEDEFAULT is chosen after PreCreateWindow: a top-level window goes to
    // the work area's top-left corner at 640 x 480, a child or pop-up to 0, 0 with no size.
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, void* pContext = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                  int nWidth, int nHeight, CWnd* pParentWnd, UINT nIDorMenu, void* lpParam = nullptr);
    // Sends WM_DESTROY to this window and then its children, then WM_NCDESTROY to the
    // children and last to this window (whose PostNcDestroy may delete the object).
    virtual BOOL DestroyWindow();

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Offered every key message aimed at this window or a descendant before it is dispatched.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Command routing; a plain window handles no commands.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void (*lpfnTimer)(HWND, UINT, UINT_PTR, DWORD));
    BOOL KillTimer(UINT_PTR nIDEvent);
    void InvalidateRect(const RECT* lpRect, BOOL bErase = TRUE);
    void Invalidate(BOOL bErase = TRUE) { InvalidateRect(nullptr, bErase); }
    CWnd* SetFocus();
    static CWnd* GetFocus();
    BOOL ShowWindow(int nCmdShow);
    void UpdateWindow();
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void GetClientRect(RECT* lpRect) const;
    // What a screen reader should say of this window now (the desktop's accessibility channel).
    void Announce(const std::string& strText);
    // The outer rectangle in screen coordinates.
    void GetWindowRect(RECT* lpRect) const;
    // Centres this window over its owner (or pAlternateOwner), or over the work area when
    // there is none, and keeps it inside the work area.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);

    HWND GetSafeHwnd() const { return m_hWnd; }
    CWnd* GetParent() const { return m_pParent; }
    const std::vector<CWnd*>& GetChildren() const { return m_children; }
    UINT GetDlgCtrlID() const { return m_nID; }
    DWORD GetStyle() const { return m_dwStyle; }
    DWORD GetExStyle() const { return m_dwExStyle; }
    const CREATESTRUCT& GetCreateStruct() const { return m_cs; }

protected:
    virtual int OnCreate(LPCREATESTRUCT lpCreateStruct);
    virtual void OnDestroy();
    virtual void OnNcDestroy();
    virtual void OnPaint();
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnTimer(UINT_PTR nIDEvent);
    virtual void OnSetFocus(CWnd* pOldWnd);
    virtual void OnSize(UINT nType, int cx, int cy);
    virtual void OnClose();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // Called last, after WM_NCDESTROY; a window object that owns itself deletes itself here.
    virtual void PostNcDestroy();
    // Asks the backend for this window's native side; a dialog asks for a dialog peer.
    virtual std::unique_ptr<IWndPeer> CreatePeer(const CREATESTRUCT& cs);
    // The window is destroyed and its native side goes; a dialog whose modal loop still
    // runs keeps it until the loop has returned.
    virtual void ReleasePeer(std::unique_ptr<IWndPeer> pPeer);

    // The default handling of the message being handled now.
    LRESULT Default();

    HWND m_hWnd = nullptr;

private:
    friend class CWndRef;

    void SendDestroy();
    void SendNcDestroy();

    std::unique_ptr<IWndPeer> m_pPeer;
    // Points at this object from creation until the window's native side goes.
    std::shared_ptr<CWnd*> m_pAlive;
    CWnd* m_pParent = nullptr;
    std::vector<CWnd*> m_children;
    UINT m_nID = 0;
    DWORD m_dwStyle = 0;
    DWORD m_dwExStyle = 0;
    CREATESTRUCT m_cs;
};

// A window looked up again after a call into the program, which may have destroyed it (and
// deleted its object): Get() is the window while it exists, null once it is destroyed.
class CWndRef {
public:
    CWndRef() = default;
    explicit CWndRef(const CWnd* pWnd) : m_alive(pWnd ? pWnd->m_pAlive : nullptr) {}
    CWnd* Get() const {
        const std::shared_ptr<CWnd*> pAlive = m_alive.lock();
        return pAlive ? *pAlive : nullptr;
    }

private:
    std::weak_ptr<CWnd*> m_alive;
};

// The keyboard focus of a desktop that keeps it itself, having no native focus to ask (the
// headless desktop, the page): one window at a time, told by WM_KILLFOCUS and WM_SETFOCUS.
class CFocusKeeper {
public:
    CWnd* Get() const { return m_focus.Get(); }
    // Gives wnd the focus. The old window's WM_KILLFOCUS handler may move the focus on or end
    // either window; then the new one gets no WM_SETFOCUS.
    void MoveTo(CWnd& wnd);

private:
    CWndRef m_focus;
};

// Dispatches a key message from a backend: the target and its ancestors get
// PreTranslateMessage first (accelerators); if none takes it, the target's WindowProc.
// TRUE when PreTranslateMessage used the key up; FALSE when the window got it (or there was
// none), so the backend can still give Alt and F10 to its own menu handling.
BOOL AfxDispatchKeyMessage(CWnd* pTarget, UINT message, WPARAM wParam, LPARAM lParam, DWORD modifiers);

// A key-down as a platform reports it, made into its message by the key rule
// (AfxKeyDownMessage) with the lParam the system builds (a repeat count of 1, the
// previous-state bit for an auto-repeat, the context bit when Alt is held) and dispatched as
// AfxDispatchKeyMessage does; its answer.
BOOL AfxDispatchKeyDown(CWnd* pTarget, UINT nVirtKey, DWORD modifiers, bool bRepeat);

// lParam of a key-down as the system builds it: repeat count and the previous-state bit.
constexpr LPARAM MakeKeyLParam(UINT nRepCnt, bool bWasDown) {
    return static_cast<LPARAM>((nRepCnt & 0xFFFF) | (bWasDown ? 0x40000000u : 0u));
}
