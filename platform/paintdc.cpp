#include "paintdc.h"

#include <vector>

namespace {
// The windows whose WM_PAINT is being handled, innermost last (a paint handler may update
// another window).
struct Painting {
    const CWnd* pWnd;
    PresentTarget* pTarget;
};
std::vector<Painting> g_painting;

PresentTarget* TargetOf(const CWnd* pWnd) {
    for (auto it = g_painting.rbegin(); it != g_painting.rend(); ++it)
        if (it->pWnd == pWnd)
            return it->pTarget;
    return nullptr;
}
} // namespace

void AfxSendPaint(CWnd& wnd, PresentTarget& target) {
    g_painting.push_back({&wnd, &target});
    wnd.WindowProc(WM_PAINT, 0, 0);
    g_painting.pop_back();
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_pTarget(nullptr) {
    if (pWnd && pWnd->GetSafeHwnd())
        m_pTarget = TargetOf(pWnd);
}

void CPaintDC::DrawPixels(int x, int y, const PixelBlock& block) {
    if (m_pTarget)
        m_pTarget->DrawPixels(x, y, block);
}
