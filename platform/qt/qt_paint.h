// Painting a window's pixels with Qt: the surface's 24-bit bottom-up rows become an image
// drawn unchanged. On a screen of more device pixels per window pixel, the window's picture
// is drawn at the largest whole factor that fits, with nearest-neighbour sampling so every
// pixel stays a crisp square, centred, with a black margin when the ratio is not whole.
#pragma once

#include "surface/present_target.h"

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QSize>

class QPainter;

// Device pixels per window pixel for a device pixel ratio: its whole part, at least 1.
int WholeScale(qreal devicePixelRatio);

// Copies the block into image (made RGB32 of the block's size when it is not already),
// turning the rows top-down; every colour is kept exactly. A per-pixel loop: drawing the
// rows through a BGR888 image and a flipping transform, or converting and mirroring them,
// costs Qt more (bench/qt_paint_bench).
void CopyBlockToImage(const PixelBlock& block, QImage& image);

// The target a window's OnPaint draws into while Qt paints it.
class QtPaintTarget : public PresentTarget {
public:
    // windowSize is the window's size in window pixels; image is the window's reusable
    // buffer, so painting allocates nothing once warm.
    QtPaintTarget(QPainter& painter, QImage& image, QSize windowSize, qreal devicePixelRatio);
    ~QtPaintTarget() override;
    QtPaintTarget(const QtPaintTarget&) = delete;
    QtPaintTarget& operator=(const QtPaintTarget&) = delete;

    void DrawPixels(int x, int y, const PixelBlock& block) override;
    // After the window's own painting: what it left uncovered takes the background colour,
    // and the margin around the scaled picture is black.
    void FillRest(QColor background);

private:
    QPainter& m_painter;
    QImage& m_image;
    int m_nScale;      // device pixels per window pixel
    QRect m_picture;   // the window's picture, in device pixels
    QRect m_device;    // the whole window, in device pixels
    QRegion m_covered; // in device pixels
};
