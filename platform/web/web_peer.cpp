#include "web_peer.h"

#include "web_bridge.h"
#include "web_window_system.h"

#include "platform/paintdc.h"
#include "platform/resources.h"
#include "platform/sysmetrics.h"
#include "platform/wnd.h"

WebWndPeer::WebWndPeer(WebWindowSystem& system, CWnd& wnd, const CREATESTRUCT& cs)
    : m_system(system), m_wnd(wnd), m_cs(cs),
      m_nHandle(system.Register(*this)), m_rcWindow{cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy} {
    // The page's caption and menu bar belong to the main window, not to a child or a pop-up.
    if (cs.style & (WS_CHILD | WS_POPUP))
        return;
    if (cs.lpszName)
        web::SetTitle(cs.lpszName);
    if (const MenuResource* pMenu = cs.hMenu ? AfxFindMenu(cs.hMenu) : nullptr) {
        web::MenuBegin(m_nHandle);
        for (const MenuPopup& popup : pMenu->popups) {
            web::MenuPopup(popup.pszText);
            for (const MenuItem& item : popup.items)
                web::MenuItem(item.pszText, item.nID);
        }
    }
}

WebWndPeer::~WebWndPeer() {
    web::Forget(m_nHandle);
    m_system.Unregister(*this);
}

void WebWndPeer::Invalidate(bool /*bErase*/) {
    // Every paint covers the whole canvas area of the window, so there is nothing to erase.
    m_bInvalid = true;
    if (m_bVisible)
        web::Invalidate(m_nHandle);
}

void WebWndPeer::Announce(const std::string& strText) {
    web::Announce(strText.c_str());
}

void WebWndPeer::SetFocus() {
    m_system.MoveFocus(*this);
}

void WebWndPeer::Show(int nCmdShow) {
    const bool bWasVisible = m_bVisible;
    m_bVisible = nCmdShow != SW_HIDE;
    if (m_bVisible && !bWasVisible)
        Invalidate(true); // exposed: painted once though nothing asked for it
    if (!m_bVisible)
        web::Validate(m_nHandle);
    // A top-level window that appears is activated, and with it gets the focus.
    if (m_bVisible && !bWasVisible && !IsChild())
        m_system.MoveFocus(*this);
}

void WebWndPeer::Update() {
    Paint();
}

void WebWndPeer::Paint() {
    if (!m_bInvalid || !m_bVisible)
        return;
    m_bInvalid = false;
    web::Validate(m_nHandle);
    AfxSendPaint(m_wnd, *this);
}

void WebWndPeer::Move(const RECT& rcWindow) {
    const bool bResized = rcWindow.right - rcWindow.left != m_rcWindow.right - m_rcWindow.left ||
                          rcWindow.bottom - rcWindow.top != m_rcWindow.bottom - m_rcWindow.top;
    m_rcWindow = rcWindow;
    if (!bResized)
        return;
    Invalidate(true);
    const RECT rc = GetClientRect();
    // The handler may do anything, the window's end included; nothing of this peer after it.
    m_wnd.SendMessage(WM_SIZE, 0, static_cast<LPARAM>((rc.right & 0xFFFF) | ((rc.bottom & 0xFFFF) << 16)));
}

RECT WebWndPeer::GetClientRect() const {
    // The window less what the layer's metrics give its frame, caption and menu bar: the
    // page draws those outside the canvas, so the client area is exactly what was asked for.
    return AfxClientRectFor(m_cs, m_rcWindow, HasMenuBar(m_cs));
}

POINT WebWndPeer::CanvasOrigin() const {
    // Children of the frame sit in its client area, which is the canvas.
    return IsChild() ? POINT{m_rcWindow.left, m_rcWindow.top} : POINT{0, 0};
}

void WebWndPeer::DrawPixels(int x, int y, const PixelBlock& block) {
    if (!IsChild() || !block.pBits || block.nWidth <= 0 || block.nHeight <= 0)
        return; // only the canvas windows have pixels on the page
    // Bottom-up rows of blue, green, red become top-down rows of red, green, blue, alpha.
    m_rgba.resize(static_cast<std::size_t>(block.nWidth) * block.nHeight * 4);
    std::uint8_t* pDst = m_rgba.data();
    for (int row = 0; row < block.nHeight; ++row) {
        const std::uint8_t* pSrc = TopDownRow(block, row);
        for (int col = 0; col < block.nWidth; ++col, pSrc += 3, pDst += 4) {
            pDst[0] = pSrc[2];
            pDst[1] = pSrc[1];
            pDst[2] = pSrc[0];
            pDst[3] = 0xFF;
        }
    }
    const POINT origin = CanvasOrigin();
    web::Present(origin.x + x, origin.y + y, m_rgba.data(), block.nWidth, block.nHeight);
}
