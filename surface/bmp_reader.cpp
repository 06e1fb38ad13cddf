#include "bmp_reader.h"

#include <climits>
#include <cstring>

namespace {

constexpr std::uint64_t FILE_HEADER_SIZE = 14;
constexpr std::uint32_t CORE_HEADER_SIZE = 12;
constexpr std::uint32_t INFO_HEADER_SIZE = 40;

std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::int32_t S32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(U32(p));
}

bool KnownHeaderSize(std::uint32_t n) {
    return n == CORE_HEADER_SIZE || n == 40 || n == 52 || n == 56 || n == 108 || n == 124;
}

bool Fail(std::string& reason, std::string text) {
    reason = std::move(text);
    return false;
}

} // namespace

bool MemorySource::Read(std::uint64_t offset, void* pDst, std::size_t n) {
    if (offset > m_nSize || n > m_nSize - offset)
        return false;
    if (n)
        std::memcpy(pDst, m_pData + offset, n);
    return true;
}

bool ReadBmpLayout(ByteSource& source, BmpLayout& layout, std::string& reason) {
    const std::uint64_t nFileSize = source.Size();
    if (nFileSize > BMP_MAX_FILE_SIZE)
        return Fail(reason, "file too large (" + std::to_string(nFileSize) + " bytes, at most " +
                                std::to_string(BMP_MAX_FILE_SIZE) + ")");
    std::uint8_t fileHeader[FILE_HEADER_SIZE + 4];
    if (nFileSize < 2 || !source.Read(0, fileHeader, 2) || fileHeader[0] != 'B' || fileHeader[1] != 'M')
        return Fail(reason, "not a BMP file");
    if (!source.Read(0, fileHeader, sizeof fileHeader))
        return Fail(reason, "header truncated");

    const std::uint32_t nHeaderSize = U32(fileHeader + FILE_HEADER_SIZE);
    if (!KnownHeaderSize(nHeaderSize))
        return Fail(reason, "unknown BMP header size " + std::to_string(nHeaderSize));
    std::uint8_t header[124];
    if (!source.Read(FILE_HEADER_SIZE, header, nHeaderSize))
        return Fail(reason, "header truncated");

    BitmapInfo info;
    info.biSize = INFO_HEADER_SIZE;
    std::int64_t nWidth = 0;
    std::int64_t nHeight = 0;
    if (nHeaderSize == CORE_HEADER_SIZE) {
        nWidth = U16(header + 4);
        nHeight = U16(header + 6);
        info.biPlanes = U16(header + 8);
        info.biBitCount = U16(header + 10);
    } else {
        nWidth = S32(header + 4);
        nHeight = S32(header + 8);
        info.biPlanes = U16(header + 12);
        info.biBitCount = U16(header + 14);
        info.biCompression = U32(header + 16);
        info.biSizeImage = U32(header + 20);
        info.biXPelsPerMeter = S32(header + 24);
        info.biYPelsPerMeter = S32(header + 28);
        info.biClrUsed = U32(header + 32);
        info.biClrImportant = U32(header + 36);
    }

    if (info.biPlanes != 1)
        return Fail(reason, "1 plane required, found " + std::to_string(info.biPlanes));
    if (info.biBitCount != 24)
        return Fail(reason, "24 bits per pixel required, found " + std::to_string(info.biBitCount));
    if (info.biCompression != 0)
        return Fail(reason, "compressed or bit-field pixels not supported (type " +
                                std::to_string(info.biCompression) + ")");
    if (nWidth <= 0)
        return Fail(reason, "width must be positive, found " + std::to_string(nWidth));
    if (nHeight == 0)
        return Fail(reason, "height is zero");
    // INT32_MIN has no positive twin; it is turned away here without ever being negated.
    if (nHeight == INT32_MIN)
        return Fail(reason, "height out of range");
    const bool bTopDown = nHeight < 0;
    if (bTopDown)
        nHeight = -nHeight;
    if (nWidth > BMP_MAX_SIDE || nHeight > BMP_MAX_SIDE)
        return Fail(reason, "picture too large (" + std::to_string(nWidth) + " x " + std::to_string(nHeight) +
                                ", at most " + std::to_string(BMP_MAX_SIDE) + " a side)");

    const std::uint64_t nPixelOffset = U32(fileHeader + 10);
    if (nPixelOffset < FILE_HEADER_SIZE + nHeaderSize)
        return Fail(reason, "pixel offset inside the headers");
    if (nPixelOffset > nFileSize)
        return Fail(reason, "pixel offset past the end of the file");
    // Both factors are capped above, so the product cannot overflow 64 bits.
    const std::uint64_t nRowBytes = (static_cast<std::uint64_t>(nWidth) * 3 + 3) & ~std::uint64_t{3};
    const std::uint64_t nPixelBytes = nRowBytes * static_cast<std::uint64_t>(nHeight);
    if (nPixelBytes > nFileSize - nPixelOffset)
        return Fail(reason, "pixel data truncated");

    info.biWidth = static_cast<std::int32_t>(nWidth);
    info.biHeight = static_cast<std::int32_t>(nHeight); // kept bottom-up in memory
    layout.info = info;
    layout.nWidth = static_cast<int>(nWidth);
    layout.nHeight = static_cast<int>(nHeight);
    layout.bTopDown = bTopDown;
    layout.nPixelOffset = nPixelOffset;
    layout.nRowBytes = nRowBytes;
    return true;
}
