// Dialog units: dialog templates measure in quarters of the font's average character width
// and eighths of its height, so a dialog grows with its font.
#pragma once

#include "resources.h"
#include "wintypes.h"

#include <string>
#include <vector>

struct DialogBaseUnits {
    int cx = 0; // average character width in pixels
    int cy = 0; // character height in pixels
};

// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is 0 or the
// result does not fit in an int.
int MulDiv(int a, int b, int c);

// The average character width from the width of the 52 letters "A".."Z" "a".."z" side by
// side, rounded the way the system rounds it.
constexpr int AverageCharWidth(int nExtentOfLetters) {
    return (nExtentOfLetters / 26 + 1) / 2;
}

// Converts a rectangle from dialog units to pixels.
RECT MapDialogRect(const RECT& rc, DialogBaseUnits units);

// Installed faces that keep the metrics of the Windows Japanese proportional Gothic, tried in
// this order after a dialog template's own face, so that texts laid out in its dialog units fit.
inline constexpr const char* DIALOG_FALLBACK_FACES[] = {"MS PGothic", "IPAPGothic", "IPA Pゴシック"};

// The text a static control shows: without SS_NOPREFIX, "&&" shows as "&" and a lone "&"
// (a mnemonic's mark) is dropped.
std::string StaticControlText(const char* pszText, DWORD dwStyle);

// A template laid out in pixels of its font, for a backend that builds dialogs of its own
// widgets (a Windows backend hands the template to the system instead).
enum class DialogItemKind { Icon, Text, Button };

struct DialogItem {
    DialogItemKind kind = DialogItemKind::Text;
    RECT rc{};                           // client pixels; an icon is the standard icon size
    std::string text;                    // a text as shown; a button's keeps its '&' mnemonic mark
    const IconResource* pIcon = nullptr; // an icon's picture; null when the resource is missing
    int nID = 0;
    bool bDefault = false; // the default push button, which Enter presses
    bool bTabStop = false;
};

struct DialogLayout {
    int cxClient = 0;
    int cyClient = 0;
    std::vector<DialogItem> items; // in template order, which is the tab order
};

DialogLayout AfxLayOutDialog(const DialogTemplate& dlg, DialogBaseUnits units);

// The template's font height in pixels at nDpi dots per inch (9 points when it names none).
int DialogFontPixels(const DialogTemplate& dlg, int nDpi);

// The faces to ask for, best first: the template's own, then DIALOG_FALLBACK_FACES.
std::vector<const char*> DialogFaces(const DialogTemplate& dlg);
