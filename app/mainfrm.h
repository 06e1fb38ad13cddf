// CMainFrame: the main window. A fixed 320 x 240 client area centred in the work area,
// the menu bar, and the game view as its only pane, which gets the focus and the first
// offer of every command.
#pragma once

#include "asset_folder.h"

#include "game/game_view.h"
#include "platform/framewnd.h"
#include "platform/runtime_class.h"

class CMainFrame : public CFrameWnd {
public:
    CMainFrame();
    ~CMainFrame() override;

    static const CRuntimeClass classCMainFrame;
    const CRuntimeClass* GetRuntimeClass() const override;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // The folder the view reads its pictures from, and how it was found (for the error
    // message when they cannot be used). The current folder unless set before LoadFrame.
    void UsePictures(const AssetSearch& search);

    CGameView m_wndView;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnSetFocus(CWnd* pOldWnd) override;

private:
    AssetSearch m_pictures;
};
