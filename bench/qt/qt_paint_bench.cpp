// Painting the 320 x 240 back buffer with Qt, at one and at two device pixels per pixel:
// the window's way (a per-pixel copy into an RGB32 image, then a draw) against two ways
// through QImage formats: the bottom-up BGR rows drawn as they are through a BGR888 image
// over the same bytes and a flipping transform, or converted to RGB32 and mirrored.
#include "platform/qt/qt_paint.h"

#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int WIDTH = 320;
constexpr int HEIGHT = 240;
constexpr int PITCH = WIDTH * 3; // already a multiple of 4

struct Scene {
    explicit Scene(int nScale)
        : bits(static_cast<std::size_t>(PITCH) * HEIGHT),
          device(WIDTH * nScale, HEIGHT * nScale, QImage::Format_ARGB32_Premultiplied) {
        for (std::size_t i = 0; i < bits.size(); ++i)
            bits[i] = static_cast<std::uint8_t>(i * 7 + i / PITCH);
    }
    PixelBlock Block() const { return PixelBlock{bits.data(), WIDTH, HEIGHT, PITCH}; }

    std::vector<std::uint8_t> bits;
    QImage device; // stands in for the window's backing store
};

void ImageFormatAndTransform(benchmark::State& state) {
    const int nScale = static_cast<int>(state.range(0));
    Scene scene(nScale);
    for (auto _ : state) {
        QPainter painter(&scene.device);
        const QImage rows(scene.bits.data(), WIDTH, HEIGHT, PITCH, QImage::Format_BGR888);
        painter.translate(0, HEIGHT * nScale);
        painter.scale(nScale, -nScale);
        painter.drawImage(QPointF(0, 0), rows);
    }
    benchmark::DoNotOptimize(scene.device.constBits());
}

void ImageConversionThenDraw(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    const QRectF target(0, 0, scene.device.width(), scene.device.height());
    for (auto _ : state) {
        QPainter painter(&scene.device);
        const QImage rows(scene.bits.data(), WIDTH, HEIGHT, PITCH, QImage::Format_BGR888);
        QImage image = rows.convertToFormat(QImage::Format_RGB32);
        image.mirror();
        painter.drawImage(target, image);
    }
    benchmark::DoNotOptimize(scene.device.constBits());
}

// What a window paint does: the per-pixel copy into an RGB32 image, then the draw.
void PerPixelCopyThenDraw(benchmark::State& state) {
    const int nScale = static_cast<int>(state.range(0));
    Scene scene(nScale);
    scene.device.setDevicePixelRatio(nScale);
    QImage image;
    for (auto _ : state) {
        QPainter painter(&scene.device);
        QtPaintTarget target(painter, image, QSize(WIDTH, HEIGHT), nScale);
        target.DrawPixels(0, 0, scene.Block());
    }
    benchmark::DoNotOptimize(scene.device.constBits());
}

// Qt spreads large conversions over threads: the time of every thread counts (the machine
// may be busy, so wall time says little).
BENCHMARK(ImageFormatAndTransform)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();
BENCHMARK(ImageConversionThenDraw)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();
BENCHMARK(PerPixelCopyThenDraw)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
