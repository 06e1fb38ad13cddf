// libFuzzer entry: any byte sequence given to the BMP reader must end in a clean
// load or a clean rejection, never in a read or write out of bounds.
#include "surface/surface.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Surface surface;
    std::string reason;
    if (surface.LoadBMPFromMemory(data, size, reason)) {
        // Touch the corners so a wrong table or a short buffer shows up at once.
        const int w = surface.Width(), h = surface.Height();
        volatile std::uint8_t sink = *surface.PixelAt(0, 0);
        sink = surface.PixelAt(w - 1, h - 1)[2];
        (void)sink;
    } else if (reason.empty() || !surface.IsEmpty()) {
        std::abort();
    }
    return 0;
}
