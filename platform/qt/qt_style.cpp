#include "qt_style.h"

Qt::WindowFlags TopLevelWindowFlags(DWORD dwStyle, bool bDialog) {
    Qt::WindowFlags flags = bDialog ? Qt::Dialog : Qt::Window;
    flags |= Qt::CustomizeWindowHint;
    if ((dwStyle & WS_CAPTION) == WS_CAPTION)
        flags |= Qt::WindowTitleHint;
    if (dwStyle & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (dwStyle & WS_MINIMIZEBOX)
        flags |= Qt::WindowMinimizeButtonHint;
    if ((dwStyle & WS_MAXIMIZEBOX) && IsResizable(dwStyle))
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}
