#include "accel.h"

namespace {
bool ModifiersMatch(BYTE fVirt, DWORD modifiers) {
    return ((fVirt & FSHIFT) != 0) == ((modifiers & MOD_SHIFT_DOWN) != 0) &&
           ((fVirt & FCONTROL) != 0) == ((modifiers & MOD_CONTROL_DOWN) != 0) &&
           ((fVirt & FALT) != 0) == ((modifiers & MOD_ALT_DOWN) != 0);
}
} // namespace

UINT AfxTranslateAccelerator(std::span<const ACCEL> table, const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return 0;
    for (const ACCEL& entry : table)
        if ((entry.fVirt & FVIRTKEY) && entry.key == msg.wParam && ModifiersMatch(entry.fVirt, msg.modifiers))
            return entry.cmd;
    return 0;
}
