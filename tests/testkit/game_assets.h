// The game's 31 picture files made synthetically, every region in a colour of its own, so
// a test can tell from one pixel of the screen what was drawn there. The atlas here is
// written out independently of the game's own constants, to check them.
#pragma once

#include "testkit/synthetic_bitmaps.h"

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace testkit {

constexpr Rgb FRAME_COLOUR{0x20, 0x40, 0x60};
constexpr Rgb LOGO_COLOUR{0x60, 0x20, 0x20};
constexpr Rgb TITLE_COLOUR{0x20, 0x60, 0x20};
constexpr Rgb UNUSED_SPRITE_COLOUR{0xFF, 0x00, 0xFF}; // sheet areas no region covers
constexpr int LETTER_W = 40;
constexpr int LETTER_H = 48;
// The title is black (transparent) inside this rectangle: x, y, w, h.
constexpr int TITLE_HOLE[4] = {100, 100, 120, 40};

struct SheetRegion {
    const char* name;
    int sx, sy, w, h;
    Rgb colour;
};

// The fixed regions of the sprite sheet (the time bar and the gauge are gradients below).
inline const std::vector<SheetRegion>& SheetRegions() {
    static const std::vector<SheetRegion> regions = {
        {"hit", 0, 0, 160, 32, {0xE0, 0x10, 0x10}},
        {"miss", 0, 32, 160, 32, {0x10, 0xE0, 0x10}},
        {"intro", 160, 0, 160, 32, {0x10, 0x10, 0xE0}},
        {"start", 160, 32, 160, 32, {0xE0, 0xE0, 0x10}},
        {"end", 0, 64, 320, 64, {0xE0, 0x10, 0xE0}},
        {"quit_upper", 0, 128, 160, 32, {0x10, 0xE0, 0xE0}},
        {"quit_lower", 160, 128, 160, 32, {0x80, 0x80, 0x10}},
        {"time_up", 0, 192, 160, 64, {0x80, 0x10, 0x80}},
        {"miss_caption", 0, 256, 160, 32, {0x10, 0x80, 0x80}},
        {"rank_caption", 160, 256, 160, 32, {0xC0, 0x70, 0x30}},
        {"stamp0", 0, 288, 80, 80, {0x31, 0x32, 0x33}},
        {"stamp1", 80, 288, 80, 80, {0x41, 0x42, 0x43}},
        {"stamp2", 160, 288, 80, 80, {0x51, 0x52, 0x53}},
        {"stamp3", 240, 288, 80, 80, {0x61, 0x62, 0x63}},
    };
    return regions;
}

inline Rgb SheetColour(const std::string& name) {
    for (const SheetRegion& r : SheetRegions())
        if (name == r.name)
            return r.colour;
    throw std::runtime_error("no sheet region " + name);
}

// Source column x of the time bar (row 160) and of the gauge (row 176): a colour per column.
constexpr Rgb TimeBarColour(int x) {
    return Rgb{static_cast<std::uint8_t>(x), 0xA0, 0x11};
}
constexpr Rgb GaugeColour(int x) {
    return Rgb{0x12, static_cast<std::uint8_t>(x), 0xB0};
}
constexpr Rgb DigitColour(int d) {
    return Rgb{0x30, static_cast<std::uint8_t>(0x40 + d * 16), 0xE0};
}
constexpr Rgb LetterColour(int i) {
    return Rgb{static_cast<std::uint8_t>(0x80 + i * 4), 0x33, 0x77};
}

inline Rgb SheetPixel(int x, int y) {
    if (y >= 160 && y < 176 && x < 256)
        return TimeBarColour(x);
    if (y >= 176 && y < 192 && x < 128)
        return GaugeColour(x);
    for (const SheetRegion& r : SheetRegions())
        if (x >= r.sx && x < r.sx + r.w && y >= r.sy && y < r.sy + r.h)
            return r.colour;
    return UNUSED_SPRITE_COLOUR;
}

// Writes all 31 files the game loads into the folder.
inline void WriteGameAssets(const std::filesystem::path& dir) {
    WriteFile(dir / "frame.bmp", MakeSolidBmp24(320, 240, FRAME_COLOUR));
    WriteFile(dir / "sprite.bmp", MakeBmp24(320, 368, SheetPixel));
    WriteFile(dir / "vel.bmp", MakeSolidBmp24(320, 240, LOGO_COLOUR));
    WriteFile(dir / "title.bmp", MakeBmp24(320, 240, [](int x, int y) {
                  const bool bHole = x >= TITLE_HOLE[0] && x < TITLE_HOLE[0] + TITLE_HOLE[2] &&
                                     y >= TITLE_HOLE[1] && y < TITLE_HOLE[1] + TITLE_HOLE[3];
                  return bHole ? Rgb{} : TITLE_COLOUR;
              }));
    WriteFile(dir / "fonts.bmp", MakeBmp24(160, 24, [](int x, int) { return DigitColour(x / 16); }));
    for (int i = 0; i < 26; ++i)
        WriteFile(dir / (std::string(1, static_cast<char>('A' + i)) + ".bmp"),
                  MakeSolidBmp24(LETTER_W, LETTER_H, LetterColour(i)));
}

} // namespace testkit
