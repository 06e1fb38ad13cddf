// The framework's own command, string, control and pane ids, with the values the Windows
// framework gives them, so resources and message maps read as they would there.
#pragma once

#include "wintypes.h"

// Command notification code of a menu item or an accelerator.
constexpr int CN_COMMAND = 0;

// Standard commands
constexpr UINT ID_EDIT_COPY = 0xE122;  // 57634
constexpr UINT ID_EDIT_CUT = 0xE123;   // 57635
constexpr UINT ID_EDIT_PASTE = 0xE125; // 57637
constexpr UINT ID_EDIT_UNDO = 0xE12B;  // 57643
constexpr UINT ID_APP_ABOUT = 0xE140;  // 57664
constexpr UINT ID_APP_EXIT = 0xE141;   // 57665
constexpr UINT ID_NEXT_PANE = 0xE150;  // 57680
constexpr UINT ID_PREV_PANE = 0xE151;  // 57681

// Standard strings
constexpr UINT AFX_IDS_APP_TITLE = 0xE000; // 57344

// The child id a frame's layout gives the whole client area.
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900; // 59648

// Dialog results and control ids
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDC_STATIC = -1;

// WM_SIZE kinds
constexpr UINT SIZE_RESTORED = 0;
constexpr UINT SIZE_MINIMIZED = 1;

// The position a window gets when its creator leaves it to the system.
constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);

constexpr WPARAM MAKEWPARAM(UINT lo, UINT hi) {
    return static_cast<WPARAM>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16));
}
constexpr LPARAM MAKELPARAM(UINT lo, UINT hi) {
    return static_cast<LPARAM>(static_cast<DWORD>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}
