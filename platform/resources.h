// A program's resources as plain data: menus, accelerator tables, strings, dialog templates,
// icons and the version block. The program hands its table to the layer once; the layer
// finds each resource by id, as the system finds them in a program file.
#pragma once

#include "wintypes.h"

#include <cstdint>
#include <span>
#include <string>

// Accelerator entry flags
constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FNOINVERT = 0x02;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

struct ACCEL {
    BYTE fVirt = 0;
    WORD key = 0;
    WORD cmd = 0;
};

struct AccelTable {
    UINT nID = 0;
    std::span<const ACCEL> entries;
};

struct MenuItem {
    LPCSTR pszText = nullptr; // UTF-8; '&' marks the mnemonic
    UINT nID = 0;
};

struct MenuPopup {
    LPCSTR pszText = nullptr;
    std::span<const MenuItem> items;
};

struct MenuResource {
    UINT nID = 0;
    std::span<const MenuPopup> popups;
};

struct StringEntry {
    UINT nID = 0;
    LPCSTR pszText = nullptr;
};

// Dialog, static and button styles
constexpr DWORD DS_SETFONT = 0x40;
constexpr DWORD DS_MODALFRAME = 0x80;
constexpr DWORD SS_LEFT = 0x0;
constexpr DWORD SS_ICON = 0x3;
constexpr DWORD SS_TYPEMASK = 0x1F;
constexpr DWORD SS_NOPREFIX = 0x80;
constexpr DWORD BS_DEFPUSHBUTTON = 0x1;
constexpr DWORD BS_TYPEMASK = 0xF;

enum class ControlClass { Static, Button };

// One control of a dialog template; the rectangle is in dialog units.
struct DialogControl {
    ControlClass kind = ControlClass::Static;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int nID = 0;
    LPCSTR pszText = nullptr; // UTF-8 text, or null for an icon
    UINT nIconID = 0;         // the icon an SS_ICON static shows
};

struct DialogTemplate {
    UINT nID = 0;
    DWORD style = 0;
    DWORD dwExStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0; // dialog units; cx, cy is the client area
    LPCSTR pszCaption = nullptr;
    WORD wPointSize = 0;
    LPCSTR pszFaceName = nullptr;
    std::span<const DialogControl> controls;
};

// An icon group as the bytes of a .ico file (every image of the group in one file).
struct IconResource {
    UINT nID = 0;
    std::span<const std::uint8_t> ico;
};

// Version block values
constexpr DWORD VOS__WINDOWS32 = 0x00000004;
constexpr DWORD VFT_APP = 0x00000001;

struct VersionString {
    LPCSTR pszKey = nullptr;
    LPCSTR pszValue = nullptr;
};

struct VersionInfo {
    WORD fileVersion[4] = {};
    WORD productVersion[4] = {};
    DWORD dwFileFlagsMask = 0;
    DWORD dwFileFlags = 0;
    DWORD dwFileOS = 0;
    DWORD dwFileType = 0;
    DWORD dwFileSubtype = 0;
    LPCSTR pszStringBlock = nullptr; // language and code page, as "041104b0"
    std::span<const VersionString> strings;
    WORD wLanguage = 0;
    WORD wCodePage = 0;
};

struct ResourceModule {
    WORD wLanguage = 0;
    std::span<const MenuResource> menus;
    std::span<const AccelTable> accelerators;
    std::span<const StringEntry> strings;
    std::span<const DialogTemplate> dialogs;
    std::span<const IconResource> icons;
    const VersionInfo* pVersion = nullptr;
};

// The resources the layer looks in; a program sets them before its first window.
void AfxSetResourceHandle(const ResourceModule* pModule);

// Lookups by id in the current resources; null (or false) when there is no such resource.
const MenuResource* AfxFindMenu(UINT nID);
const AccelTable* AfxFindAccelTable(UINT nID);
const DialogTemplate* AfxFindDialog(UINT nID);
const IconResource* AfxFindIcon(UINT nID);
LPCSTR AfxFindString(UINT nID);
BOOL AfxLoadString(UINT nID, std::string& rString);
