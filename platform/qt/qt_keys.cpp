#include "qt_keys.h"

#include "platform/keymap.h"

#include <QChar>
#include <QGuiApplication>

#include <array>
#include <utility>

namespace {

// Keys of the typing area by X keyboard scan code (Linux key code + 8), as a US keyboard
// labels them.
constexpr std::pair<quint32, UINT> US_POSITIONS[] = {
    {10, '1'},      {11, '2'}, {12, '3'},          {13, '4'},           {14, '5'},          {15, '6'},
    {16, '7'},      {17, '8'}, {18, '9'},          {19, '0'},           {20, VK_OEM_MINUS}, {21, VK_OEM_PLUS},
    {24, 'Q'},      {25, 'W'}, {26, 'E'},          {27, 'R'},           {28, 'T'},          {29, 'Y'},
    {30, 'U'},      {31, 'I'}, {32, 'O'},          {33, 'P'},           {34, VK_OEM_4},     {35, VK_OEM_6},
    {38, 'A'},      {39, 'S'}, {40, 'D'},          {41, 'F'},           {42, 'G'},          {43, 'H'},
    {44, 'J'},      {45, 'K'}, {46, 'L'},          {47, VK_OEM_1},      {48, VK_OEM_7},     {49, VK_OEM_3},
    {51, VK_OEM_5}, {52, 'Z'}, {53, 'X'},          {54, 'C'},           {55, 'V'},          {56, 'B'},
    {57, 'N'},      {58, 'M'}, {59, VK_OEM_COMMA}, {60, VK_OEM_PERIOD}, {61, VK_OEM_2},
};

constexpr std::pair<int, UINT> NAMED_KEYS[] = {
    {Qt::Key_Escape, VK_ESCAPE},     {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},       {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Return, VK_RETURN},     {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Insert, VK_INSERT},     {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Pause, VK_PAUSE},       {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Home, VK_HOME},         {Qt::Key_End, VK_END},
    {Qt::Key_Left, VK_LEFT},         {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},       {Qt::Key_Down, VK_DOWN},
    {Qt::Key_PageUp, VK_PRIOR},      {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_Shift, VK_SHIFT},       {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},          {Qt::Key_AltGr, VK_MENU},
    {Qt::Key_Meta, VK_LWIN},         {Qt::Key_Super_L, VK_LWIN},
    {Qt::Key_Super_R, VK_RWIN},      {Qt::Key_Menu, VK_APPS},
    {Qt::Key_CapsLock, VK_CAPITAL},  {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL}, {Qt::Key_Help, VK_HELP},
    {Qt::Key_Space, VK_SPACE},
};

template <typename Key, std::size_t N> UINT Lookup(const std::pair<Key, UINT> (&table)[N], Key key) {
    for (const auto& [k, vk] : table)
        if (k == key)
            return vk;
    return 0;
}

// Qt names a key that types a character by that character; the rest are Qt's own codes.
constexpr bool IsCharacterKey(int nQtKey) {
    return nQtKey > 0 && nQtKey < 0x110000;
}

} // namespace

UINT VirtualKeyFromQt(int nQtKey, quint32 nNativeScanCode, Qt::KeyboardModifiers modifiers,
                      bool bXkbScanCodes) {
    if (const UINT vk = Lookup(NAMED_KEYS, nQtKey))
        return vk;
    if (nQtKey >= Qt::Key_F1 && nQtKey <= Qt::Key_F24)
        return VK_F1 + static_cast<UINT>(nQtKey - Qt::Key_F1);
    KeyPress key;
    if (IsCharacterKey(nQtKey)) {
        key.chTyped = static_cast<char32_t>(nQtKey);
        key.bTypedIsLetter = QChar::isLetter(key.chTyped);
    }
    key.nPositionVk = bXkbScanCodes ? Lookup(US_POSITIONS, nNativeScanCode) : 0;
    key.bKeypad = modifiers.testFlag(Qt::KeypadModifier);
    return AfxVirtualKeyOf(key);
}

DWORD ModifiersFromQt(Qt::KeyboardModifiers modifiers) {
    DWORD bits = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        bits |= MOD_SHIFT_DOWN;
    if (modifiers.testFlag(Qt::ControlModifier))
        bits |= MOD_CONTROL_DOWN;
    if (modifiers.testFlag(Qt::AltModifier))
        bits |= MOD_ALT_DOWN;
    return bits;
}

bool PlatformHasXkbScanCodes() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}
