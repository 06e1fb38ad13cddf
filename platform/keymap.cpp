#include "keymap.h"

#include <utility>

namespace {

// Punctuation by the character a US keyboard types with it unshifted, for platforms (or
// keys) that report no place.
constexpr std::pair<char32_t, UINT> US_PUNCTUATION[] = {
    {U'-', VK_OEM_MINUS}, {U'=', VK_OEM_PLUS},   {U'[', VK_OEM_4}, {U']', VK_OEM_6},
    {U';', VK_OEM_1},     {U'\'', VK_OEM_7},     {U'`', VK_OEM_3}, {U'\\', VK_OEM_5},
    {U',', VK_OEM_COMMA}, {U'.', VK_OEM_PERIOD}, {U'/', VK_OEM_2},
};

constexpr std::pair<char32_t, UINT> KEYPAD_OPERATORS[] = {
    {U'*', VK_MULTIPLY}, {U'+', VK_ADD},     {U'-', VK_SUBTRACT},
    {U'/', VK_DIVIDE},   {U'.', VK_DECIMAL}, {U',', VK_DECIMAL},
};

template <std::size_t N> UINT Lookup(const std::pair<char32_t, UINT> (&table)[N], char32_t ch) {
    for (const auto& [c, vk] : table)
        if (c == ch)
            return vk;
    return 0;
}

constexpr bool IsLetterKey(UINT vk) {
    return vk >= 'A' && vk <= 'Z';
}

} // namespace

UINT AfxVirtualKeyOf(const KeyPress& key) {
    const char32_t ch = key.chTyped;
    if (ch >= U'A' && ch <= U'Z')
        return static_cast<UINT>(ch);
    if (ch >= U'a' && ch <= U'z')
        return static_cast<UINT>(ch - U'a' + U'A');
    // Other keys go by their US place, except that a key typing punctuation is never a
    // letter (AZERTY's "," sits where US has M).
    if (key.nPositionVk && !key.bKeypad && (!IsLetterKey(key.nPositionVk) || key.bTypedIsLetter))
        return key.nPositionVk;
    if (ch >= U'0' && ch <= U'9')
        return static_cast<UINT>((key.bKeypad ? VK_NUMPAD0 : '0') + (ch - U'0'));
    if (key.bKeypad)
        if (const UINT vk = Lookup(KEYPAD_OPERATORS, ch))
            return vk;
    return Lookup(US_PUNCTUATION, ch);
}

UINT AfxKeyDownMessage(UINT nVirtKey, DWORD modifiers) {
    if (nVirtKey == VK_MENU || nVirtKey == VK_F10)
        return WM_SYSKEYDOWN;
    if ((modifiers & MOD_ALT_DOWN) && !(modifiers & MOD_CONTROL_DOWN))
        return WM_SYSKEYDOWN;
    return WM_KEYDOWN;
}
