// The headless side of one window: it remembers what the window asked of the desktop
// (repaints, erasing, focus, timers through the system) and captures what it painted.
#pragma once

#include "captured_picture.h"
#include "platform/model_peer.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class HeadlessSystem;

class HeadlessPeer : public CModelPeer, private PresentTarget {
public:
    HeadlessPeer(HeadlessSystem& system, CWnd& wnd, const CREATESTRUCT& cs, std::uint64_t nSerial);
    HeadlessPeer(const HeadlessPeer&) = delete;
    HeadlessPeer& operator=(const HeadlessPeer&) = delete;
    ~HeadlessPeer() override;

    // IWndPeer
    void Invalidate(bool bErase) override;
    void SetFocus() override;
    void Show(int nCmdShow) override;
    void Update() override;
    // A child's is in its parent's client area, inside the parent's frame.
    RECT GetWindowRect() const override;
    void Announce(const std::string& strText) override { m_announcements.push_back(strText); }

    std::uint64_t Serial() const { return m_nSerial; }
    int LastShowCommand() const { return m_nLastShow; }

    // Calls of Invalidate since creation or the last ResetCounters, and those asking to erase.
    int InvalidateCount() const { return m_nInvalidations; }
    int EraseRequestCount() const { return m_nEraseRequests; }
    int PaintCount() const { return m_nPaints; }
    // Ticks of timer id delivered to this window since creation or the last ResetCounters.
    int DeliveredTicks(UINT_PTR nIDEvent) const;
    void ResetCounters();

    const CapturedPicture& Picture() const { return m_picture; }
    // Every text the window gave the screen reader since creation or the last ResetCounters,
    // oldest first.
    const std::vector<std::string>& Announcements() const { return m_announcements; }

protected:
    HeadlessSystem* System() const { return m_pSystem; }

private:
    friend class HeadlessSystem;

    // Called by the system around the window's WM_PAINT.
    void BeginPaint();
    void EndPaint();
    void DrawPixels(int x, int y, const PixelBlock& block) override;

    HeadlessSystem* m_pSystem; // null once the system has gone
    std::uint64_t m_nSerial;
    int m_nLastShow = -1;
    int m_nInvalidations = 0;
    int m_nEraseRequests = 0;
    int m_nPaints = 0;
    std::map<UINT_PTR, int> m_ticks;
    CapturedPicture m_picture;
    std::vector<std::string> m_announcements;
};

// A dialog on the headless desktop. While it is modal, the desktop's wait for events runs
// the system's modal-loop hook once (none: the dialog is made, initialised and destroyed
// again, unless a handler ends it first).
class HeadlessDialogPeer : public HeadlessPeer, public IDialogPeer {
public:
    using HeadlessPeer::HeadlessPeer;
    ~HeadlessDialogPeer() override;
    void BeginModal() override;
    void EndModal() override;
    bool IsModal() const { return m_bModal; }

private:
    bool m_bModal = false;
};
