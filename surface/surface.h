// Surface: a 24-bit raster in memory, loaded from BMP files and composed by colour-keyed blits.
// Pixels are stored bottom-up like a BMP file and addressed top-down through offset tables.
#pragma once

#include "present_target.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// The description kept with every picture: a 40-byte BITMAPINFOHEADER and three colour-mask words.
struct BitmapInfo {
    std::uint32_t biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 0;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
    std::uint32_t dwMasks[3] = {0, 0, 0};
};
static_assert(sizeof(BitmapInfo) == 52, "header plus masks must stay 52 bytes");

class Surface {
public:
    Surface() = default;
    Surface(const Surface& src);
    Surface& operator=(const Surface& src);
    // A move takes the pixels, the description and the tables, copying nothing, and leaves
    // the source empty and usable again.
    Surface(Surface&& src) noexcept;
    Surface& operator=(Surface&& src) noexcept;
    virtual ~Surface();

    // Makes a blank (black) picture of w x h pixels. False, with the surface left empty,
    // when the size is not positive, too large, or its memory cannot be had.
    bool Create(int w, int h);
    // Loads an uncompressed 24-bit BMP file. On any failure the surface is left empty and
    // the overload with a reason says why in a few words ("no such file", ...).
    bool LoadBMP(const char* path);
    bool LoadBMP(const char* path, std::string& reason);
    // The same from a file's bytes already in memory (used by the fuzzer and the tests).
    bool LoadBMPFromMemory(const std::uint8_t* data, std::size_t size, std::string& reason);

    void Release();
    void Clear();

    // Address of the blue byte of pixel (x, y); the caller keeps (x, y) inside the picture.
    // Always inlined: the blits look a row up with it, and a sanitizer build (the fuzzers')
    // would otherwise share one out-of-line copy that traces every call.
    [[gnu::always_inline]] std::uint8_t* PixelAt(int x, int y) {
        return m_pBits + m_pRowOffset[y] + m_pColOffset[x];
    }
    [[gnu::always_inline]] const std::uint8_t* PixelAt(int x, int y) const {
        return m_pBits + m_pRowOffset[y] + m_pColOffset[x];
    }

    void Present(PresentTarget& target, int x, int y) const;
    void CopyFrom(const Surface& src);

    // Keyed copies: a source pixel of exact black (0,0,0) is transparent. No clipping:
    // the caller keeps both rectangles inside their surfaces.
    void BlitKeyed(int x, int y, const Surface& src);
    void BlitKeyedRect(int x, int y, const Surface& src, int sx, int sy, int w, int h);
    // Opaque copy clipped against this surface and against the source.
    void BlitClipped(int x, int y, const Surface& src, int sx, int sy, int w, int h);
    // Averages the whole source into this surface at (x, y), byte by byte. No clipping.
    void Blend(int x, int y, const Surface& src);

    bool IsEmpty() const { return !m_hBitmap; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    int Pitch() const { return m_nPitch; }
    int BytesPerPixel() const { return m_nBytesPerPixel; }
    const std::uint8_t* Bits() const { return m_pBits; }
    const BitmapInfo* Info() const { return m_pInfo.get(); }

private:
    friend class BmpLoader;

    // Allocates the info block, the pixel memory and the tables for w x h; false (and
    // nothing kept) when any allocation fails. The pixel memory is not initialised.
    bool Allocate(int w, int h);
    void BuildTables();
    // Takes everything src holds; src is left empty. This surface must be empty.
    void TakeFrom(Surface& src) noexcept;

    std::unique_ptr<BitmapInfo> m_pInfo;
    int m_nPitch = 0;
    int m_nBytesPerPixel = 0;
    std::unique_ptr<std::uint8_t[]> m_hBitmap; // owns the pixel memory; null when empty
    std::uint8_t* m_pBits = nullptr;
    std::unique_ptr<std::int32_t[]> m_pRowOffset;
    std::unique_ptr<std::int32_t[]> m_pColOffset;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
