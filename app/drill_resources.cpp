#include "drill_resources.h"

#include "icon_data.h"
#include "resource.h"
#include "version.h"

namespace {

constexpr WORD LANG_JAPANESE_JAPAN = 0x0411;

constexpr MenuItem FILE_ITEMS[] = {{"終了(&X)", ID_APP_EXIT}};
constexpr MenuItem HELP_ITEMS[] = {{"ﾊﾞｰｼﾞｮﾝ情報(&A)...", ID_APP_ABOUT}};
constexpr MenuPopup MAINFRAME_POPUPS[] = {{"ﾌｧｲﾙ(&F)", FILE_ITEMS}, {"ﾍﾙﾌﾟ(&H)", HELP_ITEMS}};
constexpr MenuResource MENUS[] = {{IDR_MAINFRAME, MAINFRAME_POPUPS}};

// Editing and pane keys of the framework's standard table. Nothing handles their commands;
// they are here so that these combinations are used up as commands and never reach the game.
constexpr BYTE VK_PLAIN = FVIRTKEY | FNOINVERT;
constexpr ACCEL MAINFRAME_ACCELS[] = {
    {VK_PLAIN | FCONTROL, 'C', ID_EDIT_COPY},
    {VK_PLAIN | FCONTROL, 'V', ID_EDIT_PASTE},
    {VK_PLAIN | FALT, VK_BACK, ID_EDIT_UNDO},
    {VK_PLAIN | FSHIFT, VK_DELETE, ID_EDIT_CUT},
    {VK_PLAIN, VK_F6, ID_NEXT_PANE},
    {VK_PLAIN | FSHIFT, VK_F6, ID_PREV_PANE},
    {VK_PLAIN | FCONTROL, VK_INSERT, ID_EDIT_COPY},
    {VK_PLAIN | FSHIFT, VK_INSERT, ID_EDIT_PASTE},
    {VK_PLAIN | FCONTROL, 'X', ID_EDIT_CUT},
    {VK_PLAIN | FCONTROL, 'Z', ID_EDIT_UNDO},
};
constexpr AccelTable ACCEL_TABLES[] = {{IDR_MAINFRAME, MAINFRAME_ACCELS}};

constexpr StringEntry STRINGS[] = {
    {IDR_MAINFRAME, "Morvane"},
    {AFX_IDS_APP_TITLE, "Morvane"},
};

constexpr DialogControl ABOUT_CONTROLS[] = {
    {ControlClass::Static, WS_CHILD | WS_VISIBLE | SS_ICON, 64, 13, 20, 21, IDC_STATIC, nullptr,
     IDR_MAINFRAME},
    {ControlClass::Static, WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT | SS_NOPREFIX, 37, 43, 75, 8,
     IDC_STATIC, "～　Morvane　～", 0},
    {ControlClass::Static, WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT, 25, 61, 98, 8, IDC_STATIC,
     "Version " MORVANE_VERSION_DOTTED, 0},
    {ControlClass::Button, WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 49, 80, 50, 14,
     IDOK, "OK", 0},
};
constexpr DialogTemplate DIALOGS[] = {{IDD_ABOUTBOX,
                                       DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0,
                                       0, 149, 101, "ﾊﾞｰｼﾞｮﾝ情報", 9, "ＭＳ Ｐゴシック", ABOUT_CONTROLS}};

const IconResource ICONS[] = {{IDR_MAINFRAME, IconFileBytes()}};

constexpr VersionString VERSION_STRINGS[] = {
    {"Comments", ""},
    {"CompanyName", "Morvane Works"},
    {"FileDescription", "Morvane keyboard practice game"},
    {"FileVersion", MORVANE_VERSION_COMMAS},
    {"InternalName", "Morvane"},
    {"LegalCopyright", "Copyright (C) 2026 Morvane Works"},
    {"LegalTrademarks", ""},
    {"OriginalFilename", "morvane"},
    {"PrivateBuild", ""},
    {"ProductName", "Morvane"},
    {"ProductVersion", "1, 1, 0, 1"},
    {"SpecialBuild", ""},
};
constexpr VersionInfo VERSION{
    {MORVANE_VERSION_PARTS}, {1, 1, 0, 1},        0x3F, 0, VOS__WINDOWS32, VFT_APP, 0, "041104b0",
    VERSION_STRINGS,         LANG_JAPANESE_JAPAN, 1200};

} // namespace

constinit const ResourceModule g_drillResources{
    LANG_JAPANESE_JAPAN, MENUS, ACCEL_TABLES, STRINGS, DIALOGS, ICONS, &VERSION};
