// Zlib streams for the PNG writer, made without a compression library: one deflate block
// with the fixed Huffman codes and back-references, which shrinks flat game screens well.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The zlib stream's checksum of the uncompressed bytes.
std::uint32_t Adler32(std::span<const std::uint8_t> data);

// A complete zlib stream of the data: header, one final deflate block, Adler-32.
std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> data);
