// Resource ids of the program's own resources, read both by the C++ code and by the resource
// compiler (app/morvane.rc), which understands only #define.
#pragma once

#define IDD_ABOUTBOX 100
#define IDR_MAINFRAME 128

#ifdef RC_INVOKED
// The framework's ids the resource script uses. The C++ code has them, typed, from
// platform/afxres.h; the resource test checks the built program against those.
#define AFX_IDS_APP_TITLE 0xE000
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_UNDO 0xE12B
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#define ID_NEXT_PANE 0xE150
#define ID_PREV_PANE 0xE151
#define IDC_STATIC (-1)
#else
#include "platform/afxres.h"
#endif
