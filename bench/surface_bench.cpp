// The inner loops of every screen: keyed copies of a whole picture and of sprite-sheet
// regions into the 320 x 240 back buffer, beside memcpy of the same bytes and the plain
// per-pixel copy, and reading a picture file's bytes. Ends with the keyed / memcpy ratios.
#include "ratio_reporter.h"
#include "surface/keyed_row.h"
#include "surface/surface.h"
#include "testkit/bmp_bytes.h"
#include "testkit/keyed_reference.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// A picture where about one pixel in eight is transparent black, scattered so that no run
// of opaque pixels is long: the hard case for a keyed copy.
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

// One of the shipped pictures; the benchmark is skipped when it cannot be read.
Surface Shipped(const char* name) {
    Surface s;
    s.LoadBMP((std::string(MORVANE_ASSETS_DIR) + "/" + name).c_str());
    return s;
}

Surface Back() {
    Surface back;
    if (!back.Create(320, 240))
        std::abort();
    return back;
}

constexpr std::int64_t SCREEN_BYTES = 320 * 240 * 3;
constexpr std::int64_t BANNER_BYTES = 320 * 64 * 3;

void BM_MemcpyWholeScreen(benchmark::State& state) {
    Surface back = Back();
    const Surface frame = Load(320, 240);
    for (auto _ : state) {
        std::memcpy(back.PixelAt(0, 239), frame.Bits(), SCREEN_BYTES);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * SCREEN_BYTES);
}
BENCHMARK(BM_MemcpyWholeScreen);

void BM_BlitKeyedWholeScreen(benchmark::State& state) {
    Surface back = Back();
    const Surface frame = Load(320, 240);
    for (auto _ : state) {
        back.BlitKeyed(0, 0, frame);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * SCREEN_BYTES);
}
BENCHMARK(BM_BlitKeyedWholeScreen);

void BM_PerPixelWholeScreen(benchmark::State& state) {
    Surface back = Back();
    const Surface frame = Load(320, 240);
    for (auto _ : state) {
        testkit::ReferenceBlitKeyedRect(back, 0, 0, frame, 0, 0, 320, 240);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * SCREEN_BYTES);
}
BENCHMARK(BM_PerPixelWholeScreen);

// The end banner's 64 rows of 320 pixels, as 64 row copies like the keyed one makes.
void BM_MemcpyBanner(benchmark::State& state) {
    Surface back = Back();
    const Surface sprite = Load(320, 368);
    for (auto _ : state) {
        for (int i = 0; i < 64; ++i)
            std::memcpy(back.PixelAt(0, 88 + i), sprite.PixelAt(0, 64 + i), 320 * 3);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * BANNER_BYTES);
}
BENCHMARK(BM_MemcpyBanner);

void BM_BlitKeyedRectBanner(benchmark::State& state) {
    Surface back = Back();
    const Surface sprite = Load(320, 368);
    for (auto _ : state) {
        back.BlitKeyedRect(0, 88, sprite, 0, 64, 320, 64);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * BANNER_BYTES);
}
BENCHMARK(BM_BlitKeyedRectBanner);

void BM_PerPixelBanner(benchmark::State& state) {
    Surface back = Back();
    const Surface sprite = Load(320, 368);
    for (auto _ : state) {
        testkit::ReferenceBlitKeyedRect(back, 0, 88, sprite, 0, 64, 320, 64);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * BANNER_BYTES);
}
BENCHMARK(BM_PerPixelBanner);

// The shipped frame (no black at all) and a shipped letter (mostly black around the glyph):
// the two copies every play screen makes.
void BM_BlitKeyedShippedFrame(benchmark::State& state) {
    Surface back = Back();
    const Surface frame = Shipped("frame.bmp");
    if (frame.IsEmpty()) {
        state.SkipWithError("frame.bmp did not load");
        return;
    }
    for (auto _ : state) {
        back.BlitKeyed(0, 0, frame);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * frame.Width() * frame.Height() * 3);
}
BENCHMARK(BM_BlitKeyedShippedFrame);

void BM_BlitKeyedShippedLetter(benchmark::State& state) {
    Surface back = Back();
    const Surface letter = Shipped("W.bmp");
    if (letter.IsEmpty()) {
        state.SkipWithError("W.bmp did not load");
        return;
    }
    for (auto _ : state) {
        back.BlitKeyed(88, 16, letter);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * letter.Width() * letter.Height() * 3);
}
BENCHMARK(BM_BlitKeyedShippedLetter);

// Each way of making a keyed row, on the hard synthetic picture, the shipped frame and a
// shipped letter, in one run so that they can be compared. "runs" is the other approach
// considered: the opaque runs of each row found once, when the picture is loaded, and each
// copied with memcpy.
enum Picture { SYNTHETIC, FRAME, LETTER };

Surface PictureFor(Picture picture) {
    return picture == SYNTHETIC ? Load(320, 240) : Shipped(picture == FRAME ? "frame.bmp" : "W.bmp");
}

void KeyedRows(benchmark::State& state, keyed::RowFn row, Picture picture) {
    Surface back = Back();
    const Surface src = PictureFor(picture);
    const int x = picture == LETTER ? 88 : 0, y = picture == LETTER ? 16 : 0;
    for (auto _ : state) {
        for (int i = 0; i < src.Height(); ++i)
            row(back.PixelAt(x, y + i), src.PixelAt(0, i), src.Width());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * src.Width() * src.Height() * 3);
}

void OpaqueRuns(benchmark::State& state, Picture picture) {
    Surface back = Back();
    const Surface src = PictureFor(picture);
    const int x = picture == LETTER ? 88 : 0, y = picture == LETTER ? 16 : 0;
    std::vector<std::vector<std::pair<int, int>>> runs(static_cast<std::size_t>(src.Height()));
    for (int i = 0; i < src.Height(); ++i) {
        const std::uint8_t* p = src.PixelAt(0, i);
        for (int j = 0; j < src.Width();) {
            while (j < src.Width() && (p[3 * j] | p[3 * j + 1] | p[3 * j + 2]) == 0)
                ++j;
            const int nStart = j;
            while (j < src.Width() && (p[3 * j] | p[3 * j + 1] | p[3 * j + 2]) != 0)
                ++j;
            if (j > nStart)
                runs[static_cast<std::size_t>(i)].emplace_back(nStart, j - nStart);
        }
    }
    for (auto _ : state) {
        for (int i = 0; i < src.Height(); ++i) {
            std::uint8_t* pDst = back.PixelAt(x, y + i);
            const std::uint8_t* pSrc = src.PixelAt(0, i);
            for (const auto& [nStart, nLength] : runs[static_cast<std::size_t>(i)])
                std::memcpy(pDst + 3 * nStart, pSrc + 3 * nStart, static_cast<std::size_t>(nLength) * 3);
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * src.Width() * src.Height() * 3);
}

#define KEYED_VARIANT(name, row)                                                                             \
    BENCHMARK_CAPTURE(KeyedRows, name##_synthetic, row, SYNTHETIC);                                          \
    BENCHMARK_CAPTURE(KeyedRows, name##_frame, row, FRAME);                                                  \
    BENCHMARK_CAPTURE(KeyedRows, name##_letter, row, LETTER)
KEYED_VARIANT(portable, keyed::RowPortable);
#if defined(MORVANE_KEYED_SSE2)
KEYED_VARIANT(sse2, keyed::RowSse2);
#endif
#if defined(MORVANE_KEYED_AVX512)
KEYED_VARIANT(avx512, keyed::RowAvx512);
#endif
BENCHMARK_CAPTURE(OpaqueRuns, runs_synthetic, SYNTHETIC);
BENCHMARK_CAPTURE(OpaqueRuns, runs_frame, FRAME);
BENCHMARK_CAPTURE(OpaqueRuns, runs_letter, LETTER);

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

int main(int argc, char** argv) {
    return RunWithRatios(argc, argv,
                         {{"BM_BlitKeyedWholeScreen", "BM_MemcpyWholeScreen"},
                          {"BM_PerPixelWholeScreen", "BM_MemcpyWholeScreen"},
                          {"BM_BlitKeyedRectBanner", "BM_MemcpyBanner"},
                          {"BM_PerPixelBanner", "BM_MemcpyBanner"}});
}
