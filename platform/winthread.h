// The thread object that knows the main window; the application object derives from it.
#pragma once

#include "wintypes.h"

class CWinThread {
public:
    CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;
    virtual ~CWinThread();

    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

    CWnd* m_pMainWnd = nullptr;
};

// The one thread object of the program (the last one constructed and not yet destroyed).
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
