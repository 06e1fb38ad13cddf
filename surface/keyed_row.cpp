// The portable keyed row and the choice of the variant the blits use.
#include "keyed_row.h"

#include <cstring>

namespace keyed {

namespace {

constexpr std::uint64_t LOW_BITS = 0x0101010101010101, HIGH_BITS = 0x8080808080808080;

// Eight pixels as three 64-bit words, read byte order aside: only zero bytes matter here.
struct Eight {
    std::uint64_t w[3];
    explicit Eight(const std::uint8_t* p) { std::memcpy(w, p, sizeof w); }
    // No zero byte anywhere, so no pixel can be black.
    bool AllOpaque() const {
        const auto hasZero = [](std::uint64_t v) { return (v - LOW_BITS) & ~v & HIGH_BITS; };
        return (hasZero(w[0]) | hasZero(w[1]) | hasZero(w[2])) == 0;
    }
    bool AllBlack() const { return (w[0] | w[1] | w[2]) == 0; }
};

} // namespace

void RowPortable(std::uint8_t* pDst, const std::uint8_t* pSrc, int n) {
    const auto opaque = [pSrc](int j) { return (pSrc[3 * j] | pSrc[3 * j + 1] | pSrc[3 * j + 2]) != 0; };
    int j = 0;
    while (j < n) {
        // Transparent pixels, eight at a time while they are all black, then one by one.
        while (j + 8 <= n && Eight(pSrc + 3 * j).AllBlack())
            j += 8;
        while (j < n && !opaque(j))
            ++j;
        // Then a run of opaque pixels, copied in one piece.
        const int nStart = j;
        while (j + 8 <= n && Eight(pSrc + 3 * j).AllOpaque())
            j += 8;
        while (j < n && opaque(j))
            ++j;
        if (j > nStart)
            std::memcpy(pDst + 3 * nStart, pSrc + 3 * nStart, static_cast<std::size_t>(j - nStart) * 3);
    }
}

RowFn BestRow() {
#if defined(MORVANE_KEYED_AVX512)
    __builtin_cpu_init(); // may run before the constructors that would do it
    if (__builtin_cpu_supports("avx512bw"))
        return RowAvx512;
#endif
#if defined(MORVANE_KEYED_SSE2) && defined(__SSE2__)
    return RowSse2;
#elif defined(MORVANE_KEYED_SSE2)
    __builtin_cpu_init();
    return __builtin_cpu_supports("sse2") ? RowSse2 : RowPortable;
#else
    return RowPortable;
#endif
}

} // namespace keyed
