// Resource ids of the program's own resources. The Windows resource script is made from the
// tables that use them (app/rcgen), so the ids are written only here.
#pragma once

#define IDD_ABOUTBOX 100
#define IDR_MAINFRAME 128

#include "platform/afxres.h"
