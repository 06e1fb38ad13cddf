#include "qt_paint.h"

#include <QPainter>

#include <cmath>
#include <cstring>

int WholeScale(qreal devicePixelRatio) {
    const int nScale = static_cast<int>(std::floor(devicePixelRatio + 1e-6));
    return nScale < 1 ? 1 : nScale;
}

void CopyBlockToImage(const PixelBlock& block, QImage& image) {
    if (image.width() != block.nWidth || image.height() != block.nHeight ||
        image.format() != QImage::Format_RGB32)
        image = QImage(block.nWidth, block.nHeight, QImage::Format_RGB32);
    for (int y = 0; y < block.nHeight; ++y) {
        const std::uint8_t* pSrc =
            block.pBits + static_cast<std::ptrdiff_t>(block.nHeight - 1 - y) * block.nPitch;
        auto* pDst = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < block.nWidth; ++x, pSrc += 3)
            pDst[x] = qRgb(pSrc[2], pSrc[1], pSrc[0]);
    }
}

QtPaintTarget::QtPaintTarget(QPainter& painter, QImage& image, qreal devicePixelRatio)
    : m_painter(painter), m_image(image), m_scale(WholeScale(devicePixelRatio) / devicePixelRatio) {
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

void QtPaintTarget::DrawPixels(int x, int y, const PixelBlock& block) {
    if (!block.pBits || block.nWidth <= 0 || block.nHeight <= 0)
        return;
    CopyBlockToImage(block, m_image);
    const QRectF target(x * m_scale, y * m_scale, block.nWidth * m_scale, block.nHeight * m_scale);
    m_painter.drawImage(target, m_image);
    m_covered += target.toRect();
}
