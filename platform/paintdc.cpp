#include "paintdc.h"

CPaintDC::CPaintDC(CWnd* pWnd) : m_pTarget(nullptr) {
    if (pWnd && pWnd->GetSafeHwnd())
        m_pTarget = pWnd->GetSafeHwnd()->PaintTarget();
}

void CPaintDC::DrawPixels(int x, int y, const PixelBlock& block) {
    if (m_pTarget)
        m_pTarget->DrawPixels(x, y, block);
}
