#include "headless_peer.h"

#include "headless_system.h"
#include "platform/sysmetrics.h"
#include "platform/wnd.h"
#include "platform/wndclass.h"

HeadlessPeer::HeadlessPeer(HeadlessSystem& system, CWnd& wnd, const CREATESTRUCT& cs, std::uint64_t nSerial)
    : m_pSystem(&system), m_wnd(wnd), m_cs(cs),
      m_nSerial(nSerial), m_rcWindow{cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy} {}

HeadlessPeer::~HeadlessPeer() {
    if (m_pSystem)
        m_pSystem->Forget(*this);
}

void HeadlessPeer::Invalidate(bool bErase) {
    ++m_nInvalidations;
    m_bInvalid = true;
    if (bErase) {
        ++m_nEraseRequests;
        m_bErasePending = true;
    }
}

void HeadlessPeer::SetFocus() {
    if (m_pSystem)
        m_pSystem->MoveFocus(*this);
}

void HeadlessPeer::Show(int nCmdShow) {
    m_nLastShow = nCmdShow;
    const bool bWasVisible = m_bVisible;
    m_bVisible = nCmdShow != SW_HIDE;
    if (m_bVisible && !bWasVisible) {
        // Exposed by the desktop: repainted and erased, though the window asked for nothing.
        m_bInvalid = true;
        m_bErasePending = true;
    }
}

void HeadlessPeer::Update() {
    if (m_pSystem && m_bInvalid)
        m_pSystem->PaintPeer(*this);
}

void HeadlessPeer::Move(const RECT& rcWindow) {
    const bool bResized = rcWindow.right - rcWindow.left != m_rcWindow.right - m_rcWindow.left ||
                          rcWindow.bottom - rcWindow.top != m_rcWindow.bottom - m_rcWindow.top;
    m_rcWindow = rcWindow;
    if (!bResized)
        return;
    m_bInvalid = true;
    m_bErasePending = true;
    const RECT rc = GetClientRect();
    // The handler may do anything, the window's end included; nothing of this peer after it.
    m_wnd.SendMessage(WM_SIZE, 0, static_cast<LPARAM>((rc.right & 0xFFFF) | ((rc.bottom & 0xFFFF) << 16)));
}

RECT HeadlessPeer::GetClientRect() const {
    // The window less its frame, caption, edge and menu bar, measured with the same metrics
    // the layer uses to size a window for a given client area.
    return AfxClientRectFor(m_cs, m_rcWindow, HasMenuBar(m_cs));
}

RECT HeadlessPeer::GetWindowRect() const {
    const HeadlessPeer* pParent = (m_cs.style & WS_CHILD) && m_cs.hwndParent && m_pSystem
                                      ? m_pSystem->PeerOf(*m_cs.hwndParent)
                                      : nullptr;
    if (!pParent)
        return m_rcWindow;
    // A child's place is in its parent's client area, which starts inside the parent's frame.
    RECT rcFrame{0, 0, 0, 0};
    const CREATESTRUCT& parent = pParent->m_cs;
    AdjustWindowRectEx(&rcFrame, parent.style, HasMenuBar(parent) ? TRUE : FALSE, parent.dwExStyle);
    const RECT rcParent = pParent->GetWindowRect();
    const LONG x = rcParent.left - rcFrame.left;
    const LONG y = rcParent.top - rcFrame.top;
    return RECT{x + m_rcWindow.left, y + m_rcWindow.top, x + m_rcWindow.right, y + m_rcWindow.bottom};
}

int HeadlessPeer::DeliveredTicks(UINT_PTR nIDEvent) const {
    const auto it = m_ticks.find(nIDEvent);
    return it == m_ticks.end() ? 0 : it->second;
}

void HeadlessPeer::ResetCounters() {
    m_nInvalidations = 0;
    m_nEraseRequests = 0;
    m_nPaints = 0;
    m_ticks.clear();
    // Given back, not only emptied: a caller that resets after each run of input (the game
    // fuzzer) keeps what one run allocates from outliving it.
    std::vector<std::string>().swap(m_announcements);
}

void HeadlessPeer::BeginPaint() {
    const RECT rc = GetClientRect();
    m_picture.Resize(rc.right, rc.bottom);
    if (m_bErasePending)
        if (const std::optional<std::uint32_t> rgb = AfxClassBackgroundRgb(m_cs.lpszClass))
            m_picture.Fill(*rgb);
    m_bInvalid = false;
    m_bErasePending = false;
}

void HeadlessPeer::EndPaint() {
    ++m_nPaints;
}

void HeadlessPeer::DrawPixels(int x, int y, const PixelBlock& block) {
    m_picture.Draw(x, y, block);
}

HeadlessDialogPeer::~HeadlessDialogPeer() {
    EndModal();
}

void HeadlessDialogPeer::BeginModal() {
    m_bModal = true;
    if (System())
        System()->m_modal.push_back(this);
}

void HeadlessDialogPeer::EndModal() {
    m_bModal = false;
    if (System())
        std::erase(System()->m_modal, this);
}
