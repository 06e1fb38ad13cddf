// CAboutDlg: the about box, built from template IDD_ABOUTBOX; it exchanges no data.
#pragma once

#include "platform/dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
    ~CAboutDlg() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
