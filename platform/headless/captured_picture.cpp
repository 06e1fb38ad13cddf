#include "captured_picture.h"

#include <algorithm>
#include <cstddef>

void CapturedPicture::Resize(int w, int h) {
    w = std::max(w, 0);
    h = std::max(h, 0);
    if (w == m_nWidth && h == m_nHeight)
        return;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3, 0);
    const int nCommonW = std::min(w, m_nWidth);
    const int nCommonH = std::min(h, m_nHeight);
    for (int y = 0; y < nCommonH; ++y)
        std::copy_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(y) * m_nWidth * 3, nCommonW * 3,
                    bytes.begin() + static_cast<std::ptrdiff_t>(y) * w * 3);
    m_bytes = std::move(bytes);
    m_nWidth = w;
    m_nHeight = h;
}

void CapturedPicture::Fill(std::uint32_t rgb) {
    for (std::size_t i = 0; i < m_bytes.size(); i += 3) {
        m_bytes[i] = static_cast<std::uint8_t>(rgb >> 16);
        m_bytes[i + 1] = static_cast<std::uint8_t>(rgb >> 8);
        m_bytes[i + 2] = static_cast<std::uint8_t>(rgb);
    }
}

void CapturedPicture::Draw(int x, int y, const PixelBlock& block) {
    if (!block.pBits)
        return;
    // The part of the block inside the picture, found once rather than per pixel.
    const int nFirstCol = std::max(0, -x);
    const int nEndCol = std::min(block.nWidth, m_nWidth - x);
    const int nFirstRow = std::max(0, -y);
    const int nEndRow = std::min(block.nHeight, m_nHeight - y);
    for (int r = nFirstRow; r < nEndRow; ++r) {
        const std::uint8_t* pIn = TopDownRow(block, r) + static_cast<std::ptrdiff_t>(nFirstCol) * 3;
        std::uint8_t* pOut =
            m_bytes.data() + (static_cast<std::ptrdiff_t>(y + r) * m_nWidth + x + nFirstCol) * 3;
        for (int c = nFirstCol; c < nEndCol; ++c, pIn += 3, pOut += 3) {
            pOut[0] = pIn[2];
            pOut[1] = pIn[1];
            pOut[2] = pIn[0];
        }
    }
}

std::uint32_t CapturedPicture::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return 0;
    const std::uint8_t* p = m_bytes.data() + (static_cast<std::ptrdiff_t>(y) * m_nWidth + x) * 3;
    return (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | std::uint32_t{p[2]};
}

std::uint64_t CapturedPicture::Hash() const {
    std::uint64_t h = 14695981039346656037ull;
    auto mix = [&h](std::uint8_t byte) {
        h ^= byte;
        h *= 1099511628211ull;
    };
    for (int n : {m_nWidth, m_nHeight})
        for (int i = 0; i < 4; ++i)
            mix(static_cast<std::uint8_t>(static_cast<unsigned>(n) >> (8 * i)));
    for (std::uint8_t byte : m_bytes)
        mix(byte);
    return h;
}
