// The one table of what the backends do not do yet. A backend that gains the behaviour makes
// its case fail here ("passes now"), so the entry goes with the change that fixed it.
#include "known_differences.h"

#include <array>

namespace conformance {
namespace {

constexpr std::array KNOWN = {
    // The headless desktop: the program's test bench, with no device pixels, no modal loop
    // and a clock that moves only when told.
    KnownDifference{"headless", "ClientAreaIs640x480AtScaleTwo",
                    "the headless desktop has no device pixels: it shows the layer's 320 x 240"},
    KnownDifference{"headless", "AboutBoxIsModal",
                    "no modal loop: the dialog is made and destroyed within DoModal"},
    KnownDifference{"headless", "AboutBoxIsCentredOverTheFrame",
                    "no modal loop: the dialog is made and destroyed within DoModal"},
    KnownDifference{"headless", "ViewKeepsTickingAndPaintingBehindTheAboutBox",
                    "no modal loop: the dialog is made and destroyed within DoModal"},
    KnownDifference{"headless", "ClosingTheFrameUnderTheAboutBoxEndsWithStatusZero",
                    "no modal loop: the about box is never open while the frame can be closed"},
    KnownDifference{"headless", "ALateTimerDeliversOneTick",
                    "Advance models a loop that is never late: it delivers every tick that falls due"},

    // Qt (the offscreen platform in the tests).
    KnownDifference{"qt", "FrameIsCentredInTheWorkArea",
                    "the frame is placed by the decoration sizes the layer assumes; a platform that "
                    "draws none (offscreen) leaves it half those decorations above the centre"},

    // Win32 under Wine.
    KnownDifference{"win32", "ClientAreaIs640x480AtScaleTwo",
                    "--scale is not applied: the window stays at 320 x 240"},
    KnownDifference{"win32", "AboutBoxIsCentredOverTheFrame",
                    "the dialog opens at the frame's client corner, over the menu bar"},
};

} // namespace

const KnownDifference* FindKnownDifference(std::string_view backend, std::string_view caseName) {
    for (const KnownDifference& known : KNOWN)
        if (backend == known.pszBackend && caseName == known.pszCase)
            return &known;
    return nullptr;
}

} // namespace conformance
