#include "rc_writer.h"

#include <sstream>

namespace {

// A quoted script string: quotes doubled and backslashes escaped; UTF-8 passes unchanged
// (the script is read with code page 65001).
std::string Quoted(LPCSTR psz) {
    std::string out = "\"";
    for (const char* p = psz ? psz : ""; *p; ++p) {
        if (*p == '"')
            out += "\"\"";
        else if (*p == '\\')
            out += "\\\\";
        else
            out += *p;
    }
    return out + "\"";
}

std::string Hex(DWORD value) {
    std::ostringstream out;
    out << "0x" << std::uppercase << std::hex << value;
    return out.str();
}

void WriteMenu(std::ostream& out, const MenuResource& menu) {
    out << menu.nID << " MENU\nBEGIN\n";
    for (const MenuPopup& popup : menu.popups) {
        out << "    POPUP " << Quoted(popup.pszText) << "\n    BEGIN\n";
        for (const MenuItem& item : popup.items)
            out << "        MENUITEM " << Quoted(item.pszText) << ", " << item.nID << '\n';
        out << "    END\n";
    }
    out << "END\n\n";
}

void WriteAccelerators(std::ostream& out, const AccelTable& table) {
    out << table.nID << " ACCELERATORS\nBEGIN\n";
    for (const ACCEL& accel : table.entries) {
        out << "    " << accel.key << ", " << accel.cmd << (accel.fVirt & FVIRTKEY ? ", VIRTKEY" : ", ASCII");
        if (accel.fVirt & FSHIFT)
            out << ", SHIFT";
        if (accel.fVirt & FCONTROL)
            out << ", CONTROL";
        if (accel.fVirt & FALT)
            out << ", ALT";
        if (accel.fVirt & FNOINVERT)
            out << ", NOINVERT";
        out << '\n';
    }
    out << "END\n\n";
}

void WriteStrings(std::ostream& out, std::span<const StringEntry> strings) {
    if (strings.empty())
        return;
    out << "STRINGTABLE\nBEGIN\n";
    for (const StringEntry& entry : strings)
        out << "    " << entry.nID << ", " << Quoted(entry.pszText) << '\n';
    out << "END\n\n";
}

// The statement that names a control's class by the system's ordinal (as a dialog template
// from any resource compiler does); a CONTROL statement with a text would name it by string.
// The whole style is always written out, so the resource compiler adds none of its own.
const char* StatementOf(const DialogControl& ctl) {
    if (ctl.kind == ControlClass::Static && ctl.pszText) {
        switch (ctl.style & SS_TYPEMASK) {
        case SS_LEFT:
            return "LTEXT";
        case 0x1: // SS_CENTER
            return "CTEXT";
        case 0x2: // SS_RIGHT
            return "RTEXT";
        }
    }
    if (ctl.kind == ControlClass::Button && ctl.pszText) {
        if ((ctl.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return "DEFPUSHBUTTON";
        if ((ctl.style & BS_TYPEMASK) == 0) // BS_PUSHBUTTON
            return "PUSHBUTTON";
    }
    return nullptr;
}

void WriteDialog(std::ostream& out, const DialogTemplate& dlg) {
    out << dlg.nID << " DIALOG " << dlg.x << ", " << dlg.y << ", " << dlg.cx << ", " << dlg.cy << '\n'
        << "STYLE " << Hex(dlg.style) << '\n';
    if (dlg.dwExStyle)
        out << "EXSTYLE " << Hex(dlg.dwExStyle) << '\n';
    out << "CAPTION " << Quoted(dlg.pszCaption) << '\n';
    if (dlg.style & DS_SETFONT)
        out << "FONT " << dlg.wPointSize << ", " << Quoted(dlg.pszFaceName) << '\n';
    out << "BEGIN\n";
    for (const DialogControl& ctl : dlg.controls) {
        const std::string strRect = std::to_string(ctl.x) + ", " + std::to_string(ctl.y) + ", " +
                                    std::to_string(ctl.cx) + ", " + std::to_string(ctl.cy);
        if (const char* pszStatement = StatementOf(ctl)) {
            out << "    " << pszStatement << ' ' << Quoted(ctl.pszText) << ", " << ctl.nID << ", " << strRect
                << ", " << Hex(ctl.style) << '\n';
            continue;
        }
        out << "    CONTROL ";
        if (ctl.pszText)
            out << Quoted(ctl.pszText);
        else
            out << ctl.nIconID; // an icon static names its icon by id
        out << ", " << ctl.nID << ", " << (ctl.kind == ControlClass::Button ? "\"Button\"" : "\"Static\"")
            << ", " << Hex(ctl.style) << ", " << strRect << '\n';
    }
    out << "END\n\n";
}

void WriteVersion(std::ostream& out, const VersionInfo& version) {
    auto four = [](const WORD(&parts)[4]) {
        return std::to_string(parts[0]) + ", " + std::to_string(parts[1]) + ", " + std::to_string(parts[2]) +
               ", " + std::to_string(parts[3]);
    };
    out << "1 VERSIONINFO\n"
        << "FILEVERSION " << four(version.fileVersion) << '\n'
        << "PRODUCTVERSION " << four(version.productVersion) << '\n'
        << "FILEFLAGSMASK " << Hex(version.dwFileFlagsMask) << '\n'
        << "FILEFLAGS " << Hex(version.dwFileFlags) << '\n'
        << "FILEOS " << Hex(version.dwFileOS) << '\n'
        << "FILETYPE " << Hex(version.dwFileType) << '\n'
        << "FILESUBTYPE " << Hex(version.dwFileSubtype) << '\n'
        << "BEGIN\n    BLOCK \"StringFileInfo\"\n    BEGIN\n        BLOCK " << Quoted(version.pszStringBlock)
        << "\n        BEGIN\n";
    for (const VersionString& value : version.strings)
        out << "            VALUE " << Quoted(value.pszKey) << ", " << Quoted(value.pszValue) << '\n';
    out << "        END\n    END\n    BLOCK \"VarFileInfo\"\n    BEGIN\n        VALUE \"Translation\", "
        << Hex(version.wLanguage) << ", " << version.wCodePage << "\n    END\nEND\n";
}

} // namespace

void WriteResourceScript(std::ostream& out, const ResourceModule& module,
                         std::span<const std::string> iconFiles) {
    out << "// Generated at build time from the program's resource tables; do not edit.\n"
        << "#pragma code_page(65001)\n\n"
        << "LANGUAGE " << Hex(module.wLanguage & 0x3FFu) << ", " << Hex(module.wLanguage >> 10) << "\n\n";
    for (std::size_t i = 0; i < module.icons.size() && i < iconFiles.size(); ++i)
        out << module.icons[i].nID << " ICON " << Quoted(iconFiles[i].c_str()) << "\n\n";
    for (const MenuResource& menu : module.menus)
        WriteMenu(out, menu);
    for (const AccelTable& table : module.accelerators)
        WriteAccelerators(out, table);
    WriteStrings(out, module.strings);
    for (const DialogTemplate& dlg : module.dialogs)
        WriteDialog(out, dlg);
    if (module.pVersion)
        WriteVersion(out, *module.pVersion);
}
