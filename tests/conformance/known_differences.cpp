// The one table of what the backends do not do yet. A backend that gains the behaviour makes
// its case fail here ("passes now"), so the entry goes with the change that fixed it.
#include "known_differences.h"

#include <array>

namespace conformance {
namespace {

constexpr std::array KNOWN = {
    // The headless desktop: the program's test bench, with no device pixels, no input of
    // its own and a clock that moves only when told.
    KnownDifference{"headless", "ClientAreaIs640x480AtScaleTwo",
                    "the headless desktop has no device pixels: it shows the layer's 320 x 240"},
    KnownDifference{"headless", "AboutBoxIsModal",
                    "the headless desktop takes no input, so it holds none back from the frame"},

    // Qt (the offscreen platform in the tests).
    KnownDifference{"qt", "FrameIsCentredInTheWorkArea",
                    "the frame is placed by the decoration sizes the layer assumes; a platform that "
                    "draws none (offscreen) leaves it half those decorations above the centre"},
    KnownDifference{"qt", "AboutBoxIsCentredOverTheFrame",
                    "a dialog not shown yet is measured with the decorations a window manager would add; "
                    "offscreen adds none, so it sits half a caption above the centre (under a window "
                    "manager it is centred to a few pixels)"},

    // The browser (headless Chromium, the suite's own page).
    KnownDifference{"web", "ClientAreaIs640x480AtScaleTwo",
                    "the page, not the program, picks the canvas's whole factor (from the room it has "
                    "and the device pixel ratio): the program's factor does not reach it"},
    KnownDifference{"web", "CloseButtonEndsWithStatusZero",
                    "a page has no close button of the window's: closing the tab ends the page without "
                    "asking the program"},

};

} // namespace

const KnownDifference* FindKnownDifference(std::string_view backend, std::string_view caseName) {
    for (const KnownDifference& known : KNOWN)
        if (backend == known.pszBackend && caseName == known.pszCase)
            return &known;
    return nullptr;
}

} // namespace conformance
