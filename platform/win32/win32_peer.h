// The layer half of one native window: it carries out the layer's services through
// win32_native.h and turns the native window's messages into the layer window's.
#pragma once

#include "win32_native.h"

#include "platform/window_system.h"
#include "surface/present_target.h"

class Win32WindowSystem;

class Win32Peer : public virtual IWndPeer, private w32::IWindowEvents {
public:
    // Makes the native window; IsValid() tells whether the system made it.
    Win32Peer(Win32WindowSystem& system, CWnd& wnd, const CREATESTRUCT& cs);
    Win32Peer(const Win32Peer&) = delete;
    Win32Peer& operator=(const Win32Peer&) = delete;
    ~Win32Peer() override;

    bool IsValid() const { return m_hWnd != nullptr; }
    CWnd& Window() const { return m_wnd; }
    w32::Handle NativeHandle() const { return m_hWnd; }
    bool HasEvents(const w32::IWindowEvents* pEvents) const { return pEvents == this; }

    // IWndPeer
    void Invalidate(bool bErase) override;
    void SetFocus() override;
    void Show(int nCmdShow) override;
    void Update() override;
    void Move(const RECT& rcWindow) override;
    RECT GetClientRect() const override;
    RECT GetWindowRect() const override;

protected:
    // A peer whose native window is made by the derived class (a dialog's, from its template).
    Win32Peer(Win32WindowSystem& system, CWnd& wnd);
    w32::IWindowEvents& Events() { return *this; }
    void Adopt(w32::Handle hWnd) { m_hWnd = hWnd; }

private:
    // w32::IWindowEvents
    void OnMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void OnPaint(w32::IPaintTarget& target) override;
    bool OnKeyDown(std::uint32_t message, std::uint32_t nVirtKey, std::intptr_t lParam,
                   std::uint32_t modifiers) override;

    Win32WindowSystem& m_system;
    CWnd& m_wnd;
    w32::Handle m_hWnd = nullptr;
};

// The about box: a system dialog made hidden from the program's dialog resource of the same
// id as the layer's template, so the layer can place it before it is shown modal.
class Win32DialogPeer : public Win32Peer, public IDialogPeer {
public:
    Win32DialogPeer(Win32WindowSystem& system, CWnd& wnd, const CREATESTRUCT& cs, const DialogTemplate& dlg);

    void BeginModal() override;
    void EndModal() override;

private:
    w32::Handle m_hOwner;
};
