// Test-only writer of -lh5- streams: an MSB-first bit writer, canonical codes built from code
// lengths, and the block-header fields, so that tests can spell out a stream field by field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A canonical code: codes assigned shorter first, within a length in increasing symbol order.
struct CanonicalCode {
  std::vector<int> Lengths;     // per symbol, 0 for an absent symbol
  std::vector<uint32_t> Codes;  // per symbol, right-aligned in Lengths[s] bits
};

// Assigns canonical codes to the given lengths (which should form a complete code).
CanonicalCode MakeCanonicalCode(const std::vector<int>& lengths);

// Collects bits most significant first into bytes; the last byte is filled with zero bits.
class BitWriter {
 public:
  // Appends the low width (0..32) bits of value, most significant first.
  void Put(uint32_t value, int width);
  // Appends the code of symbol s.
  void PutSymbol(const CanonicalCode& code, int s);
  // Appends a small-code length: 0..6 in 3 bits, 7 + k as 111, k one bits and a zero bit.
  void PutSmallLength(int length);
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
  size_t bitCount_ = 0;
};

// The lengths of a code-length code with all 19 symbols (4 bits for 0..12, 5 bits for 13..18),
// used by WriteBlockHeader so that any literal/length length can be written.
std::vector<int> FullCodeLengthCodeLengths();

// The length writers below send a count field (the last nonzero length's index + 1, or count when
// given) and then as many lengths as the count says, at most all of the given ones, so that a count
// past the format's limit can be written.
// Writes the lengths of the code-length code: 5-bit count, the lengths, and a zero-run field of 0
// after the third length.
void WriteCodeLengthCode(BitWriter& out, const std::vector<int>& codeLengthLengths, int count = -1);
// Writes the literal/length lengths: 9-bit count, then each length as one symbol of the
// code-length code with the given lengths (0 for a zero length, length + 2 else).
void WriteLitLenLengths(BitWriter& out, const std::vector<int>& codeLengthLengths,
                        const std::vector<int>& litLenLengths, int count = -1);
// Writes the position lengths: 4-bit count, then the lengths.
void WritePositionLengths(BitWriter& out, const std::vector<int>& positionLengths);

// Writes a whole block header: the 16-bit symbol count; the code-length code with the given
// lengths (count = last nonzero + 1, a zero-run field of 0 after the third length); the
// literal/length lengths (count = last nonzero + 1, each as one code-length symbol, no runs); the
// position lengths (count = last nonzero + 1). Every length set needs at least one nonzero
// length; single-symbol codes are written by hand.
void WriteBlockHeader(BitWriter& out, uint32_t symbolCount, const std::vector<int>& litLenLengths,
                      const std::vector<int>& positionLengths,
                      const std::vector<int>& codeLengthLengths = FullCodeLengthCodeLengths());

// Writes a single-symbol code: a count field of 0, then the symbol in a field of the same width.
void WriteSingleSymbolCode(BitWriter& out, int countBits, uint32_t symbol);
// Writes the three codes of a block header as single-symbol codes (5, 9 and 4 bits).
void WriteSingleSymbolCodes(BitWriter& out, uint32_t codeLength, uint32_t litLen,
                            uint32_t position);
