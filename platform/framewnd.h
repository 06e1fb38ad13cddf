// CFrameWnd: a top-level window with a caption, a menu and accelerators, whose pane
// (the child with id AFX_IDW_PANE_FIRST) fills the client area. It turns accelerator keys
// into commands before any window sees them, routes commands on to the application, and
// deletes itself when its window is destroyed.
#pragma once

#include "resources.h"
#include "runtime_class.h"
#include "wnd.h"

#include <string>

class CFrameWnd : public CWnd {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    static const CRuntimeClass classCFrameWnd;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }

    // Creates the window from resource nIDResource: the caption is string nIDResource up to
    // its first line break, the menu is menu nIDResource, and after the window exists the
    // accelerators are table nIDResource. On failure the object may already be deleted.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd = nullptr,
                           void* pContext = nullptr);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The frame's own handlers (none), then the application's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;

    // Gives the pane the whole client area.
    virtual void RecalcLayout();

    const std::string& GetTitle() const { return m_strTitle; }
    const AccelTable* GetAccelTable() const { return m_pAccelTable; }

protected:
    void OnSize(UINT nType, int cx, int cy) override;
    // Menu items and accelerators arrive as commands whatever their notification code.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    std::string m_strTitle;
    const AccelTable* m_pAccelTable = nullptr;
};
