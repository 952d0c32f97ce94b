// Length-limited Huffman code lengths and canonical codes. Host only.
#pragma once

#include <cstdint>

namespace lzh {

// Fills lengths[0..count-1] with Huffman code lengths of at most maxLength bits for the
// frequencies freqs[0..count-1]. Symbols of frequency 0 get length 0. With two or more used
// symbols the lengths form a complete code (Kraft sum exactly 1); with one used symbol it gets
// length 1 and the caller sends a single-symbol code instead; with none, all are 0.
// Assumes count <= 510 and maxLength >= the bit length of count.
void BuildHuffmanLengths(const uint32_t* freqs, int count, int maxLength, uint8_t* lengths);

// Assigns canonical codes as the decoder builds them: shorter codes first, then by symbol; the
// first code is all zeros. codes[s] holds the code right-aligned in lengths[s] bits.
void AssignCanonicalCodes(const uint8_t* lengths, int count, uint16_t* codes);

}  // namespace lzh
