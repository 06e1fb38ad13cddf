// Reading the headers of a BMP file: every field is checked against the real length of
// the file, never trusted, before a single pixel byte is allocated or read.
#pragma once

#include "surface.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Random access to a file's bytes, from disk or from memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Reads exactly n bytes at offset; false when they are not all there.
    virtual bool Read(std::uint64_t offset, void* pDst, std::size_t n) = 0;
};

class MemorySource : public ByteSource {
public:
    MemorySource(const std::uint8_t* pData, std::size_t nSize) : m_pData(pData), m_nSize(nSize) {}
    std::uint64_t Size() const override { return m_nSize; }
    bool Read(std::uint64_t offset, void* pDst, std::size_t n) override;

private:
    const std::uint8_t* m_pData;
    std::size_t m_nSize;
};

// What a checked BMP file holds: a 24-bit picture of nWidth x nHeight whose rows of
// nRowBytes start at nPixelOffset, stored bottom-up unless bTopDown.
struct BmpLayout {
    BitmapInfo info;
    int nWidth = 0;
    int nHeight = 0;
    bool bTopDown = false;
    std::uint64_t nPixelOffset = 0;
    std::uint64_t nRowBytes = 0;
};

// The largest width or height a picture may have; far above anything the game draws.
constexpr int BMP_MAX_SIDE = 16384;
// The largest file any such picture can come in: its pixels, plus room for the headers,
// a colour table, a colour profile and gaps. A larger file is refused before it is read.
constexpr std::uint64_t BMP_MAX_FILE_SIZE =
    ((std::uint64_t{BMP_MAX_SIDE} * 3 + 3) & ~std::uint64_t{3}) * BMP_MAX_SIDE + (std::uint64_t{1} << 20);

// Reads and checks the headers. On failure returns false with a short reason.
bool ReadBmpLayout(ByteSource& source, BmpLayout& layout, std::string& reason);
