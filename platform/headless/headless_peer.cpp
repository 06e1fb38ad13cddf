#include "headless_peer.h"

#include "headless_system.h"
#include "platform/sysmetrics.h"
#include "platform/wnd.h"
#include "platform/wndclass.h"

HeadlessPeer::HeadlessPeer(HeadlessSystem& system, CWnd& wnd, const CREATESTRUCT& cs, std::uint64_t nSerial)
    : CModelPeer(wnd, cs), m_pSystem(&system), m_nSerial(nSerial) {}

HeadlessPeer::~HeadlessPeer() {
    if (m_pSystem)
        m_pSystem->Forget(*this);
}

void HeadlessPeer::Invalidate(bool bErase) {
    ++m_nInvalidations;
    m_nEraseRequests += bErase ? 1 : 0;
    CModelPeer::Invalidate(bErase);
}

void HeadlessPeer::SetFocus() {
    if (m_pSystem)
        m_pSystem->MoveFocus(*this);
}

void HeadlessPeer::Show(int nCmdShow) {
    m_nLastShow = nCmdShow;
    CModelPeer::Show(nCmdShow);
}

void HeadlessPeer::Update() {
    if (m_pSystem && IsInvalid())
        m_pSystem->PaintPeer(*this);
}

RECT HeadlessPeer::GetWindowRect() const {
    const CREATESTRUCT& cs = CreateParams();
    const RECT rcPlaced = WindowRect();
    const HeadlessPeer* pParent =
        IsChild() && cs.hwndParent && m_pSystem ? m_pSystem->PeerOf(*cs.hwndParent) : nullptr;
    if (!pParent)
        return rcPlaced;
    // A child's place is in its parent's client area, which starts inside the parent's frame.
    RECT rcFrame{0, 0, 0, 0};
    const CREATESTRUCT& parent = pParent->CreateParams();
    AdjustWindowRectEx(&rcFrame, parent.style, HasMenuBar(parent) ? TRUE : FALSE, parent.dwExStyle);
    const RECT rcParent = pParent->GetWindowRect();
    const LONG x = rcParent.left - rcFrame.left;
    const LONG y = rcParent.top - rcFrame.top;
    return RECT{x + rcPlaced.left, y + rcPlaced.top, x + rcPlaced.right, y + rcPlaced.bottom};
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
    if (TakeRepaint())
        if (const std::optional<std::uint32_t> rgb = AfxClassBackgroundRgb(CreateParams().lpszClass))
            m_picture.Fill(*rgb);
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
