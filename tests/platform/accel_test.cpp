// Accelerator translation: which key-downs become which commands.
#include "platform/accel.h"

#include <gtest/gtest.h>

namespace {

constexpr ACCEL TABLE[] = {
    {FVIRTKEY | FCONTROL, 'C', 100},
    {FVIRTKEY | FALT, VK_BACK, 101},
    {FVIRTKEY | FSHIFT, VK_DELETE, 102},
    {FVIRTKEY, VK_F6, 103},
    {FVIRTKEY | FSHIFT, VK_F6, 104},
    {FVIRTKEY | FCONTROL | FSHIFT, 'S', 105},
    {FNOINVERT, 'Q', 106},                  // a character entry: the layer has no characters
    {FVIRTKEY | FCONTROL, 'C', 107},        // shadowed by the first Ctrl+C
    {FVIRTKEY | FNOINVERT, VK_F1 + 1, 108}, // menu highlighting does not matter
};

struct Case {
    const char* name;
    UINT message;
    UINT vk;
    DWORD modifiers;
    UINT expected;
};

constexpr DWORD SHIFT = MOD_SHIFT_DOWN;
constexpr DWORD CTRL = MOD_CONTROL_DOWN;
constexpr DWORD ALT = MOD_ALT_DOWN;

const Case CASES[] = {
    {"Ctrl+C", WM_KEYDOWN, 'C', CTRL, 100},
    {"C alone", WM_KEYDOWN, 'C', 0, 0},
    {"Shift+C", WM_KEYDOWN, 'C', SHIFT, 0},
    {"Ctrl+Shift+C needs its own entry", WM_KEYDOWN, 'C', CTRL | SHIFT, 0},
    {"Ctrl+Alt+C", WM_KEYDOWN, 'C', CTRL | ALT, 0},
    {"Ctrl+C key-up", WM_KEYUP, 'C', CTRL, 0},
    {"Alt+Backspace", WM_SYSKEYDOWN, VK_BACK, ALT, 101},
    {"Backspace", WM_KEYDOWN, VK_BACK, 0, 0},
    {"Ctrl+Alt+Backspace", WM_KEYDOWN, VK_BACK, CTRL | ALT, 0},
    {"Shift+Delete", WM_KEYDOWN, VK_DELETE, SHIFT, 102},
    {"Delete", WM_KEYDOWN, VK_DELETE, 0, 0},
    {"F6", WM_KEYDOWN, VK_F6, 0, 103},
    {"Shift+F6", WM_KEYDOWN, VK_F6, SHIFT, 104},
    {"Ctrl+F6", WM_KEYDOWN, VK_F6, CTRL, 0},
    {"Ctrl+Shift+S", WM_KEYDOWN, 'S', CTRL | SHIFT, 105},
    {"Ctrl+S", WM_KEYDOWN, 'S', CTRL, 0},
    {"a character entry never matches a key", WM_KEYDOWN, 'Q', 0, 0},
    {"F2 with FNOINVERT", WM_KEYDOWN, VK_F1 + 1, 0, 108},
};

TEST(AcceleratorTest, KeyDownsBecomeTheCommandOfTheFirstExactMatch) {
    for (const Case& c : CASES) {
        SCOPED_TRACE(c.name);
        MSG msg;
        msg.message = c.message;
        msg.wParam = c.vk;
        msg.modifiers = c.modifiers;
        EXPECT_EQ(AfxTranslateAccelerator(TABLE, msg), c.expected);
    }
}

} // namespace
