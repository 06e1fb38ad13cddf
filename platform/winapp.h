// CWinApp: the application object. It names the program, starts it in InitInstance, is the
// last stop of command routing (where the exit command lives), and runs the start-up around
// a backend's message loop.
#pragma once

#include "winthread.h"
#include "wintypes.h"

#include <functional>
#include <string>

class CWinApp : public CWinThread {
public:
    // With no name, the name is read from string AFX_IDS_APP_TITLE when the program starts.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // The application's command handlers; the base handles ID_APP_EXIT.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);

    LPCSTR m_pszAppName = nullptr;

protected:
    // Closes the main window, which ends the program.
    void OnAppExit();

private:
    std::string m_strAppName;
};

CWinApp* AfxGetApp();

// The program's life around a backend's message loop: InitApplication, InitInstance, the
// loop, ExitInstance. Returns the loop's exit code, or 1 when the start-up failed (no main
// window is left behind then).
int AfxWinMain(const std::function<int()>& runMessageLoop);
