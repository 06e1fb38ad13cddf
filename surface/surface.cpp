#include "surface.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

Surface::Surface(const Surface& src) {
    CopyFrom(src);
}

Surface& Surface::operator=(const Surface& src) {
    if (this == &src)
        return *this;
    Release();
    if (!src.IsEmpty() && Create(src.m_nWidth, src.m_nHeight))
        CopyFrom(src);
    return *this;
}

Surface::Surface(Surface&& src) noexcept {
    TakeFrom(src);
}

Surface& Surface::operator=(Surface&& src) noexcept {
    if (this != &src) {
        Release();
        TakeFrom(src);
    }
    return *this;
}

void Surface::TakeFrom(Surface& src) noexcept {
    m_pInfo = std::move(src.m_pInfo);
    m_hBitmap = std::move(src.m_hBitmap);
    m_pBits = src.m_pBits;
    m_pRowOffset = std::move(src.m_pRowOffset);
    m_pColOffset = std::move(src.m_pColOffset);
    m_nWidth = src.m_nWidth;
    m_nHeight = src.m_nHeight;
    m_nPitch = src.m_nPitch;
    m_nBytesPerPixel = src.m_nBytesPerPixel;
    src.Release(); // the sizes and the borrowed pixel pointer back to an empty surface's
}

Surface::~Surface() {
    Release();
}

void Surface::Release() {
    // The pixel memory goes first, then the description and the two tables.
    m_hBitmap.reset();
    m_pBits = nullptr;
    m_pInfo.reset();
    m_pRowOffset.reset();
    m_pColOffset.reset();
    m_nWidth = 0;
    m_nHeight = 0;
    m_nPitch = 0;
    m_nBytesPerPixel = 0;
}

bool Surface::Allocate(int w, int h) {
    Release();
    if (w <= 0 || h <= 0)
        return false;
    // Every row offset must fit the 32-bit table entries.
    const std::int64_t nPitch = (std::int64_t{w} * 3 + 3) & ~std::int64_t{3};
    const std::int64_t nBytes = nPitch * h;
    if (nBytes > INT32_MAX)
        return false;

    std::unique_ptr<BitmapInfo> pInfo(new (std::nothrow) BitmapInfo);
    std::unique_ptr<std::uint8_t[]> pPixels(new (std::nothrow)
                                                std::uint8_t[static_cast<std::size_t>(nBytes)]);
    std::unique_ptr<std::int32_t[]> pRows(new (std::nothrow) std::int32_t[static_cast<std::size_t>(h)]);
    std::unique_ptr<std::int32_t[]> pCols(new (std::nothrow) std::int32_t[static_cast<std::size_t>(w)]);
    if (!pInfo || !pPixels || !pRows || !pCols)
        return false;

    m_pInfo = std::move(pInfo);
    m_hBitmap = std::move(pPixels);
    m_pBits = m_hBitmap.get();
    m_pRowOffset = std::move(pRows);
    m_pColOffset = std::move(pCols);
    m_nWidth = w;
    m_nHeight = h;
    m_nBytesPerPixel = 3;
    m_nPitch = static_cast<int>(nPitch);
    BuildTables();
    return true;
}

void Surface::BuildTables() {
    // Rows are stored bottom-up; the table turns a top-down y into its byte offset once,
    // so no blit ever multiplies by the pitch.
    for (int i = 0; i < m_nHeight; ++i)
        m_pRowOffset[i] = (m_nHeight - 1 - i) * m_nPitch;
    for (int i = 0; i < m_nWidth; ++i)
        m_pColOffset[i] = i * m_nBytesPerPixel;
}

bool Surface::Create(int w, int h) {
    if (!Allocate(w, h))
        return false;
    m_pInfo->biSize = 40;
    m_pInfo->biWidth = w;
    m_pInfo->biHeight = h;
    m_pInfo->biPlanes = 1;
    m_pInfo->biBitCount = 24;
    Clear();
    return true;
}

void Surface::Clear() {
    if (m_pBits)
        std::memset(m_pBits, 0, static_cast<std::size_t>(m_nHeight) * static_cast<std::size_t>(m_nPitch));
}

void Surface::Present(PresentTarget& target, int x, int y) const {
    if (IsEmpty())
        return;
    target.DrawPixels(x, y, PixelBlock{m_pBits, m_nWidth, m_nHeight, m_nPitch});
}

void Surface::CopyFrom(const Surface& src) {
    if (this == &src)
        return;
    if (src.IsEmpty()) {
        Release();
        return;
    }
    if (m_nWidth != src.m_nWidth || m_nHeight != src.m_nHeight) {
        if (!Create(src.m_nWidth, src.m_nHeight))
            return;
    }
    // Same size means the same layout, alignment bytes included: one block copy.
    std::memcpy(m_pBits, src.m_pBits,
                static_cast<std::size_t>(m_nHeight) * static_cast<std::size_t>(m_nPitch));
}
