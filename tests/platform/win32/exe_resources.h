// The resources of a built Windows program, read from the file with the system's resource
// functions and decoded into plain values (texts in UTF-8), for comparison with the window
// layer's tables.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace exeres {

struct MenuItem {
    std::string strText;
    std::uint16_t nFlags = 0; // without the end-of-level bit
    std::uint16_t nID = 0;    // 0 for a popup
    int nLevel = 0;
};

struct Accel {
    std::uint16_t nFlags = 0; // without the end-of-table bit
    std::uint16_t nKey = 0;
    std::uint16_t nCmd = 0;
};

struct Control {
    std::uint32_t dwStyle = 0;
    std::uint32_t dwExStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::uint16_t nID = 0;
    std::uint16_t nClassAtom = 0; // 0x80 button, 0x82 static; or 0 and the class's name
    std::string strClass;
    std::string strText; // or, for an ordinal, empty with nTextOrdinal set
    std::uint16_t nTextOrdinal = 0;
};

struct Dialog {
    std::uint32_t dwStyle = 0;
    std::uint32_t dwExStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string strCaption;
    std::uint16_t nPointSize = 0;
    std::string strFace;
    std::vector<Control> controls;
};

struct IconEntry {
    int nWidth = 0, nHeight = 0, nColours = 0, nBitCount = 0;
    std::uint32_t nBytes = 0;
};

struct Version {
    std::uint32_t fileMS = 0, fileLS = 0, productMS = 0, productLS = 0;
    std::uint32_t dwFlagsMask = 0, dwFlags = 0, dwOS = 0, dwType = 0, dwSubtype = 0;
    std::string strStringBlock;
    std::vector<std::pair<std::string, std::string>> strings;
    std::uint16_t wTranslationLanguage = 0, wTranslationCodePage = 0;
};

struct Program {
    std::vector<std::uint16_t> languages; // of every resource, each language once
    std::vector<MenuItem> menu;
    std::vector<Accel> accels;
    std::vector<std::pair<unsigned, std::string>> strings; // the ids asked for
    Dialog dialog;
    std::vector<IconEntry> icons;
    Version version;
};

// Reads menu, accelerators and icon group nMainID, dialog nDialogID, the given strings and
// the version block; an error text when the file or any resource cannot be read.
std::optional<Program> ReadProgram(const std::string& strPath, unsigned nMainID, unsigned nDialogID,
                                   const std::vector<unsigned>& stringIDs, std::string* pError);

} // namespace exeres
