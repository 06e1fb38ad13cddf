#include "web_peer.h"

#include "web_bridge.h"
#include "web_window_system.h"

#include "platform/paintdc.h"
#include "platform/resources.h"
#include "platform/wnd.h"

WebWndPeer::WebWndPeer(WebWindowSystem& system, CWnd& wnd, const CREATESTRUCT& cs)
    : CModelPeer(wnd, cs), m_system(system), m_nHandle(system.Register(*this)) {
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

void WebWndPeer::OnRepaintPending() {
    // Painted with the page's next animation frame. Every paint covers the whole canvas
    // area of the window, so there is nothing to erase.
    if (IsVisible())
        web::Invalidate(m_nHandle);
}

void WebWndPeer::Announce(const std::string& strText) {
    web::Announce(strText.c_str());
}

void WebWndPeer::SetFocus() {
    m_system.MoveFocus(*this);
}

void WebWndPeer::Show(int nCmdShow) {
    const bool bWasVisible = IsVisible();
    CModelPeer::Show(nCmdShow);
    if (!IsVisible())
        web::Validate(m_nHandle);
    // A top-level window that appears is activated, and with it gets the focus.
    if (IsVisible() && !bWasVisible && !IsChild())
        m_system.MoveFocus(*this);
}

void WebWndPeer::Update() {
    Paint();
}

void WebWndPeer::Paint() {
    if (!IsInvalid() || !IsVisible())
        return;
    TakeRepaint();
    web::Validate(m_nHandle);
    AfxSendPaint(Window(), *this);
}

POINT WebWndPeer::CanvasOrigin() const {
    // Children of the frame sit in its client area, which is the canvas.
    return IsChild() ? POINT{WindowRect().left, WindowRect().top} : POINT{0, 0};
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
