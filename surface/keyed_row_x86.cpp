// The keyed row on x86: SSE2 (every x86-64 processor; chosen at run time on 32-bit x86) and
// AVX-512BW (chosen at run time).
#include "keyed_row.h"

#if defined(MORVANE_KEYED_SSE2) || defined(MORVANE_KEYED_AVX512)

#include <array>
#include <immintrin.h>

namespace keyed {
namespace {

// Bit 3i of a mask of zero bytes stands for pixel i: set when all three of its bytes are 0.
template <typename T> constexpr T BlackPixels(T zeroBytes, T pixelStarts) {
    return zeroBytes & (zeroBytes >> 1) & (zeroBytes >> 2) & pixelStarts;
}

} // namespace

#if defined(MORVANE_KEYED_SSE2)
// The SSE2 code whatever the build's default target (a 32-bit build has no SSE2 by default).
#define MORVANE_SSE2_CODE __attribute__((target("sse2")))
namespace {

constexpr std::uint64_t PIXEL_STARTS_16 = 0x249249249249; // bits 0, 3, ..., 45

// Byte k of entry b is 0xFF when bit k of b is set: a byte mask from 8 bits.
constexpr std::array<std::uint64_t, 256> BYTE_MASKS = [] {
    std::array<std::uint64_t, 256> table{};
    for (unsigned b = 0; b < 256; ++b)
        for (unsigned k = 0; k < 8; ++k)
            if (b & (1u << k))
                table[b] |= std::uint64_t{0xFF} << (8 * k);
    return table;
}();

MORVANE_SSE2_CODE inline __m128i ByteMask(unsigned bits16) {
    return _mm_set_epi64x(static_cast<long long>(BYTE_MASKS[bits16 >> 8]),
                          static_cast<long long>(BYTE_MASKS[bits16 & 0xFF]));
}

// Keeps the destination's bytes where the mask is set, takes the source's elsewhere.
MORVANE_SSE2_CODE inline void Blend(std::uint8_t* pDst, __m128i src, __m128i keep) {
    const __m128i dst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pDst));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pDst),
                     _mm_or_si128(_mm_and_si128(keep, dst), _mm_andnot_si128(keep, src)));
}

// Pixels 0 to 15 from pSrc to pDst.
MORVANE_SSE2_CODE inline void Block16(std::uint8_t* pDst, const std::uint8_t* pSrc) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pSrc));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pSrc + 16));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pSrc + 32));
    const __m128i zero = _mm_setzero_si128();
    const std::uint64_t zeroBytes =
        static_cast<std::uint64_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(a, zero))) |
        static_cast<std::uint64_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(b, zero))) << 16 |
        static_cast<std::uint64_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(c, zero))) << 32;
    const std::uint64_t black = BlackPixels(zeroBytes, PIXEL_STARTS_16);
    if (black == 0) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pDst), a);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pDst + 16), b);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pDst + 32), c);
        return;
    }
    if (black == PIXEL_STARTS_16)
        return;
    const std::uint64_t keep = black | black << 1 | black << 2;
    Blend(pDst, a, ByteMask(keep & 0xFFFF));
    Blend(pDst + 16, b, ByteMask((keep >> 16) & 0xFFFF));
    Blend(pDst + 32, c, ByteMask(keep >> 32));
}

} // namespace

MORVANE_SSE2_CODE void RowSse2(std::uint8_t* pDst, const std::uint8_t* pSrc, int n) {
    if (n < 16) {
        RowPortable(pDst, pSrc, n);
        return;
    }
    int j = 0;
    for (; j + 16 <= n; j += 16)
        Block16(pDst + 3 * j, pSrc + 3 * j);
    // The last block overlaps pixels already done, which is harmless: a pixel copied
    // again gets the same bytes, and a skipped one is skipped again.
    if (j < n)
        Block16(pDst + 3 * (n - 16), pSrc + 3 * (n - 16));
}
#endif

#if defined(MORVANE_KEYED_AVX512)
namespace {

// Pixel starts in each of three consecutive 64-byte vectors (64 pixels): bits 0, 3, ... of
// the first, 2, 5, ... of the second (its byte 0 is the middle byte of pixel 21), 1, 4, ...
// of the third.
constexpr std::uint64_t STARTS_A = 0x9249249249249249, STARTS_B = 0x4924924924924924,
                        STARTS_C = 0x2492492492492492;
constexpr std::uint64_t PIXEL_STARTS_21 = 0x1249249249249249; // bits 0, 3, ..., 60

// Up to 21 pixels with byte-masked loads and stores, which touch only the bytes named.
__attribute__((target("avx512f,avx512bw"))) inline void Block21(std::uint8_t* pDst, const std::uint8_t* pSrc,
                                                                int nPixels) {
    const __mmask64 bytes = (std::uint64_t{1} << (3 * nPixels)) - 1;
    const __m512i v = _mm512_maskz_loadu_epi8(bytes, pSrc);
    const std::uint64_t black = BlackPixels<std::uint64_t>(_mm512_testn_epi8_mask(v, v), PIXEL_STARTS_21);
    _mm512_mask_storeu_epi8(pDst, bytes & ~(black | black << 1 | black << 2), v);
}

} // namespace

__attribute__((target("avx512f,avx512bw"))) void RowAvx512(std::uint8_t* pDst, const std::uint8_t* pSrc,
                                                           int n) {
    int j = 0;
    for (; j + 64 <= n; j += 64) {
        const std::uint8_t* s = pSrc + 3 * j;
        std::uint8_t* d = pDst + 3 * j;
        const __m512i a = _mm512_loadu_si512(s), b = _mm512_loadu_si512(s + 64),
                      c = _mm512_loadu_si512(s + 128);
        const std::uint64_t za = _mm512_testn_epi8_mask(a, a), zb = _mm512_testn_epi8_mask(b, b),
                            zc = _mm512_testn_epi8_mask(c, c);
        if ((za | zb | zc) == 0) { // not a zero byte: all opaque
            _mm512_storeu_si512(d, a);
            _mm512_storeu_si512(d + 64, b);
            _mm512_storeu_si512(d + 128, c);
            continue;
        }
        if ((za & zb & zc) == ~std::uint64_t{0}) // all black
            continue;
        // A pixel's three zero bits may straddle two vectors: shift in the next one's.
        const std::uint64_t ba = za & (za >> 1 | zb << 63) & (za >> 2 | zb << 62) & STARTS_A;
        const std::uint64_t bb = zb & (zb >> 1 | zc << 63) & (zb >> 2 | zc << 62) & STARTS_B;
        const std::uint64_t bc = zc & (zc >> 1) & (zc >> 2) & STARTS_C;
        // The bytes to keep, carrying the tail of a straddling pixel into the next vector.
        const std::uint64_t ka = ba | ba << 1 | ba << 2;
        const std::uint64_t kb = bb | bb << 1 | bb << 2 | ba >> 63 | ba >> 62;
        const std::uint64_t kc = bc | bc << 1 | bc << 2 | bb >> 63 | bb >> 62;
        _mm512_mask_storeu_epi8(d, ~ka, a);
        _mm512_mask_storeu_epi8(d + 64, ~kb, b);
        _mm512_mask_storeu_epi8(d + 128, ~kc, c);
    }
    for (; j < n; j += 21)
        Block21(pDst + 3 * j, pSrc + 3 * j, n - j < 21 ? n - j : 21);
}
#endif

} // namespace keyed

#endif
