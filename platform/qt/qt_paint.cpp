#include "qt_paint.h"

#include "platform/window_scale.h"

#include <QPainter>

#include <cmath>

int WholeScale(qreal devicePixelRatio) {
    return AfxWholeScale(devicePixelRatio); // the rule every backend shares
}

void CopyBlockToImage(const PixelBlock& block, QImage& image) {
    if (image.width() != block.nWidth || image.height() != block.nHeight ||
        image.format() != QImage::Format_RGB32)
        image = QImage(block.nWidth, block.nHeight, QImage::Format_RGB32);
    for (int y = 0; y < block.nHeight; ++y) {
        const std::uint8_t* pSrc = TopDownRow(block, y);
        auto* pDst = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < block.nWidth; ++x, pSrc += 3)
            pDst[x] = qRgb(pSrc[2], pSrc[1], pSrc[0]);
    }
}

QtPaintTarget::QtPaintTarget(QPainter& painter, QImage& image, QSize windowSize, qreal devicePixelRatio)
    : m_painter(painter), m_image(image), m_nScale(WholeScale(devicePixelRatio)) {
    // Work in device pixels, where the picture's whole-pixel squares and the centring are
    // exact whatever the ratio.
    m_painter.save();
    m_painter.scale(1 / devicePixelRatio, 1 / devicePixelRatio);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_device = QRect(0, 0, static_cast<int>(std::ceil(windowSize.width() * devicePixelRatio - 1e-6)),
                     static_cast<int>(std::ceil(windowSize.height() * devicePixelRatio - 1e-6)));
    const QSize picture = windowSize * m_nScale;
    m_picture =
        QRect(QPoint((m_device.width() - picture.width()) / 2, (m_device.height() - picture.height()) / 2),
              picture);
}

QtPaintTarget::~QtPaintTarget() {
    m_painter.restore();
}

void QtPaintTarget::DrawPixels(int x, int y, const PixelBlock& block) {
    if (!block.pBits || block.nWidth <= 0 || block.nHeight <= 0)
        return;
    CopyBlockToImage(block, m_image);
    const QRect target(m_picture.x() + x * m_nScale, m_picture.y() + y * m_nScale, block.nWidth * m_nScale,
                       block.nHeight * m_nScale);
    m_painter.drawImage(target, m_image);
    m_covered += target;
}

void QtPaintTarget::FillRest(QColor background) {
    for (const QRect& rc : QRegion(m_device) - QRegion(m_picture))
        m_painter.fillRect(rc, Qt::black);
    for (const QRect& rc : QRegion(m_picture) - m_covered)
        m_painter.fillRect(rc, background);
}
