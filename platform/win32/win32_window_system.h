// Win32WindowSystem: the native Windows backend of the window layer. Every window is a real
// window made with CreateWindowExW, the about box a dialog made from the dialog resource
// shown modal while the layer's loop runs, the layer's timers wake through one thread timer
// and painting is SetDIBitsToDevice; keys go to the layer, which translates the accelerators. This half
// speaks the layer's terms only; everything that needs <windows.h> is behind win32_native.h.
#pragma once

#include "platform/window_system.h"

#include <vector>

class Win32Peer;

class Win32WindowSystem : public IWindowSystem {
public:
    Win32WindowSystem();
    Win32WindowSystem(const Win32WindowSystem&) = delete;
    Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;
    ~Win32WindowSystem() override;

    // Makes this the window layer's backend (until another is installed or this one goes)
    // and gives the layer the system's border, caption and menu sizes.
    void Install();

    std::unique_ptr<IWndPeer> CreatePeer(CWnd& wnd, const CREATESTRUCT& cs) override;
    std::unique_ptr<IDialogPeer> CreateDialogPeer(CWnd& wnd, const CREATESTRUCT& cs,
                                                  const DialogTemplate& dlg) override;
    DWORD Now() override;
    RECT WorkArea() override;
    CWnd* GetFocus() override;
    void SetWakeTimer(DWORD dwTimeout) override;
    bool WaitForEvents() override;

    // The native window (an HWND) of a live window made by this backend, or null.
    void* NativeHandle(const CWnd& wnd) const;

private:
    friend class Win32Peer;
    Win32Peer* PeerOf(const CWnd& wnd) const;

    std::vector<Win32Peer*> m_peers; // live peers
};
