// CDrillApp: the application object. It makes the main frame at start-up and shows the
// about box; every other command falls through to the framework's application.
#pragma once

#include "asset_folder.h"

#include "platform/winapp.h"

class CDrillApp : public CWinApp {
public:
    CDrillApp();
    ~CDrillApp() override;

    // Start-up. FALSE when it could not be done (a picture failed to load, or memory ran
    // out, which is said on standard error), so that the program ends with a failure status
    // and nothing of it left behind.
    BOOL InitApplication() override;
    // Makes and shows the main frame.
    BOOL InitInstance() override;
    // The message map: ID_APP_ABOUT, then the base.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;

    void OnAppAbout();

    // Where the main frame's view reads its pictures; the current folder unless set.
    void SetPictureSearch(AssetSearch search) { m_pictures = std::move(search); }

private:
    AssetSearch m_pictures;
};
