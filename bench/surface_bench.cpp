// The inner loops of every screen: keyed copies of a whole picture and of sprite-sheet
// regions into the 320 x 240 back buffer, and reading a picture file's bytes.
#include "surface/surface.h"
#include "testkit/bmp_bytes.h"

#include <benchmark/benchmark.h>

namespace {

// A picture where about one pixel in eight is transparent black, like the shipped art.
std::vector<std::uint8_t> PictureBytes(int w, int h) {
    return testkit::MakeBmp({.nWidth = w, .nHeight = h, .pixel = [](int x, int y) {
                                 return (x + y) % 8 == 0 ? testkit::Rgb{} : testkit::PatternColour(x, y);
                             }});
}

Surface Load(int w, int h) {
    const auto bytes = PictureBytes(w, h);
    Surface s;
    std::string reason;
    if (!s.LoadBMPFromMemory(bytes.data(), bytes.size(), reason))
        std::abort();
    return s;
}

void BM_BlitKeyedWholeScreen(benchmark::State& state) {
    Surface back;
    back.Create(320, 240);
    const Surface frame = Load(320, 240);
    for (auto _ : state) {
        back.BlitKeyed(0, 0, frame);
        benchmark::DoNotOptimize(back.Bits());
    }
    state.SetBytesProcessed(state.iterations() * 320 * 240 * 3);
}
BENCHMARK(BM_BlitKeyedWholeScreen);

void BM_BlitKeyedRectBanner(benchmark::State& state) {
    Surface back;
    back.Create(320, 240);
    const Surface sprite = Load(320, 368);
    for (auto _ : state) {
        back.BlitKeyedRect(0, 88, sprite, 0, 64, 320, 64); // the end banner
        benchmark::DoNotOptimize(back.Bits());
    }
    state.SetBytesProcessed(state.iterations() * 320 * 64 * 3);
}
BENCHMARK(BM_BlitKeyedRectBanner);

void BM_LoadFromMemory(benchmark::State& state) {
    const auto bytes = PictureBytes(320, 368);
    Surface s;
    std::string reason;
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.LoadBMPFromMemory(bytes.data(), bytes.size(), reason));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_LoadFromMemory);

} // namespace

BENCHMARK_MAIN();
