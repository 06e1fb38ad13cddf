// One row of a keyed copy: n pixels of 3 bytes from pSrc to pDst, where a source pixel of
// exact black (0,0,0) leaves the destination pixel as it was. Every variant gives the same
// bytes; they differ only in speed. Source and destination never overlap.
#pragma once

#include <cstdint>

namespace keyed {

using RowFn = void (*)(std::uint8_t* pDst, const std::uint8_t* pSrc, int n);

// Any target: finds each run of opaque pixels and copies it with memcpy.
void RowPortable(std::uint8_t* pDst, const std::uint8_t* pSrc, int n);

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define MORVANE_KEYED_SSE2 1
// 16 pixels (48 bytes) at a time; whole opaque or transparent blocks take a short way.
// Compiled for SSE2 even where the build's own target lacks it (32-bit x86): there BestRow
// takes it only when the processor has SSE2.
void RowSse2(std::uint8_t* pDst, const std::uint8_t* pSrc, int n);
#endif

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define MORVANE_KEYED_AVX512 1
// 64 pixels (three 64-byte vectors) at a time with byte-masked stores; only where the
// processor has AVX-512BW, which BestRow checks at run time.
void RowAvx512(std::uint8_t* pDst, const std::uint8_t* pSrc, int n);
#endif

// The fastest variant this processor runs.
RowFn BestRow();

} // namespace keyed
