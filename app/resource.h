// Resource ids of the program's own resources; the framework's ids are in platform/afxres.h.
#pragma once

#include "platform/afxres.h"

constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDR_MAINFRAME = 128;
