#include "win32_peer.h"

#include "win32_window_system.h"

#include "platform/paintdc.h"
#include "platform/resources.h"
#include "platform/wnd.h"
#include "platform/wndclass.h"

#include <string>

namespace {

w32::ClassDesc ClassOf(LPCSTR lpszClass) {
    w32::ClassDesc desc;
    desc.strName = lpszClass ? lpszClass : "Window";
    if (const WndClassInfo* pInfo = AfxLookupWndClass(lpszClass)) {
        desc.nStyle = pInfo->nClassStyle;
        desc.bArrowCursor = pInfo->hCursor != nullptr;
    }
    if (const std::optional<std::uint32_t> rgb = AfxClassBackgroundRgb(lpszClass)) {
        desc.bBrush = true;
        desc.rgbBrush = *rgb;
    }
    return desc;
}

w32::Handle NativeParent(const Win32WindowSystem& system, const CREATESTRUCT& cs) {
    return cs.hwndParent ? system.NativeHandle(*cs.hwndParent) : nullptr;
}

} // namespace

Win32Peer::Win32Peer(Win32WindowSystem& system, CWnd& wnd) : m_system(system), m_wnd(wnd) {
    m_system.m_peers.push_back(this);
}

Win32Peer::Win32Peer(Win32WindowSystem& system, CWnd& wnd, const CREATESTRUCT& cs) : Win32Peer(system, wnd) {
    w32::WindowDesc desc;
    desc.wndClass = ClassOf(cs.lpszClass);
    desc.strTitle = cs.lpszName ? cs.lpszName : "";
    desc.dwStyle = cs.style;
    desc.dwExStyle = cs.dwExStyle;
    desc.rcWindow = w32::Rect{cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy};
    desc.hParent = NativeParent(system, cs);
    desc.nIDorMenu = cs.hMenu;
    if ((cs.style & WS_CHILD) && !desc.hParent)
        return; // a child needs its parent's native window
    m_hWnd = w32::CreateNativeWindow(desc, &Events());
}

Win32Peer::~Win32Peer() {
    if (m_hWnd)
        w32::DestroyNativeWindow(m_hWnd);
    std::erase(m_system.m_peers, this);
}

void Win32Peer::Invalidate(bool bErase) {
    if (m_hWnd)
        w32::InvalidateWindow(m_hWnd, bErase);
}

void Win32Peer::SetFocus() {
    if (m_hWnd)
        w32::FocusWindow(m_hWnd);
}

void Win32Peer::Show(int nCmdShow) {
    if (m_hWnd)
        w32::ShowNativeWindow(m_hWnd, nCmdShow);
}

void Win32Peer::Update() {
    if (m_hWnd)
        w32::UpdateNativeWindow(m_hWnd);
}

void Win32Peer::Move(const RECT& rcWindow) {
    if (m_hWnd)
        w32::PlaceWindow(m_hWnd, w32::Rect{rcWindow.left, rcWindow.top, rcWindow.right, rcWindow.bottom});
}

RECT Win32Peer::GetClientRect() const {
    if (!m_hWnd)
        return RECT{};
    // In the layer's pixels: the native window shows each as a square of its factor.
    const w32::Rect rc = w32::ClientRectOf(m_hWnd);
    const int f = w32::FactorOf(m_hWnd);
    return RECT{rc.left / f, rc.top / f, rc.right / f, rc.bottom / f};
}

RECT Win32Peer::GetWindowRect() const {
    if (!m_hWnd)
        return RECT{};
    const w32::Rect rc = w32::WindowRectOf(m_hWnd);
    return RECT{rc.left, rc.top, rc.right, rc.bottom};
}

void Win32Peer::OnMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    // The handler may destroy the window and this peer with it; nothing of this after it.
    m_wnd.WindowProc(message, wParam, lParam);
}

void Win32Peer::OnPaint(w32::IPaintTarget& native) {
    struct Target : PresentTarget {
        explicit Target(w32::IPaintTarget& n) : native(n) {}
        void DrawPixels(int x, int y, const PixelBlock& block) override {
            native.DrawBits(x, y, w32::Bits{block.pBits, block.nWidth, block.nHeight, block.nPitch});
        }
        w32::IPaintTarget& native;
    } target(native);
    AfxSendPaint(m_wnd, target);
}

bool Win32Peer::OnKeyDown(std::uint32_t message, std::uint32_t nVirtKey, std::intptr_t lParam,
                          std::uint32_t modifiers) {
    return AfxDispatchKeyMessage(&m_wnd, message, nVirtKey, lParam, modifiers) != FALSE;
}

Win32DialogPeer::Win32DialogPeer(Win32WindowSystem& system, CWnd& wnd, const CREATESTRUCT& cs,
                                 const DialogTemplate& dlg)
    : Win32Peer(system, wnd), m_hOwner(NativeParent(system, cs)) {
    Adopt(w32::CreateNativeDialog(dlg.nID, m_hOwner, &Events()));
}

void Win32DialogPeer::BeginModal() {
    if (IsValid())
        w32::BeginModalDialog(NativeHandle(), m_hOwner);
}

void Win32DialogPeer::EndModal() {
    if (IsValid())
        w32::EndModalDialog(NativeHandle(), m_hOwner);
}
