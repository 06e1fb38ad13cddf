// Painting a window's pixels with Qt: the surface's 24-bit bottom-up rows become an image
// drawn unchanged, scaled on high-density screens by a whole factor with nearest-neighbour
// sampling so every pixel stays a crisp square.
#pragma once

#include "surface/present_target.h"

#include <QImage>
#include <QRegion>

class QPainter;

// Device pixels per window pixel for a device pixel ratio: its whole part, at least 1.
int WholeScale(qreal devicePixelRatio);

// Copies the block into image (made RGB32 of the block's size when it is not already),
// turning the rows top-down; every colour is kept exactly.
void CopyBlockToImage(const PixelBlock& block, QImage& image);

// The target a window's OnPaint draws into while Qt paints it.
class QtPaintTarget : public PresentTarget {
public:
    // image is the window's reusable buffer, so painting allocates nothing once warm.
    QtPaintTarget(QPainter& painter, QImage& image, qreal devicePixelRatio);

    void DrawPixels(int x, int y, const PixelBlock& block) override;
    // The part of the window the drawn pixels cover, in window coordinates.
    const QRegion& Covered() const { return m_covered; }

private:
    QPainter& m_painter;
    QImage& m_image;
    qreal m_scale; // window units per pixel drawn
    QRegion m_covered;
};
