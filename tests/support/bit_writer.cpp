// Test-only -lh5- stream writer: bits, canonical codes and block-header fields.
#include "tests/support/bit_writer.h"

#include <algorithm>

namespace {

constexpr int kCodeLenCount = 19;

// Writes the count field (count, or the index of the last nonzero length plus one when count is
// negative); returns how many of the lengths follow it.
int PutCount(BitWriter& out, const std::vector<int>& lengths, int count, int width) {
  int sent = static_cast<int>(lengths.size());
  while (sent > 0 && lengths[sent - 1] == 0) sent--;
  if (count >= 0) sent = count;
  out.Put(static_cast<uint32_t>(sent), width);
  return std::min(sent, static_cast<int>(lengths.size()));
}

}  // namespace

CanonicalCode MakeCanonicalCode(const std::vector<int>& lengths) {
  CanonicalCode code;
  code.Lengths = lengths;
  code.Codes.assign(lengths.size(), 0);
  uint32_t next = 0;  // next code of the current length, right-aligned
  for (int len = 1; len <= 16; len++) {
    for (size_t s = 0; s < lengths.size(); s++) {
      if (lengths[s] == len) code.Codes[s] = next++;
    }
    next <<= 1;
  }
  return code;
}

void BitWriter::Put(uint32_t value, int width) {
  for (int i = width - 1; i >= 0; i--) {
    if (bitCount_ % 8 == 0) bytes_.push_back(0);
    if ((value >> i) & 1) bytes_.back() |= static_cast<uint8_t>(0x80 >> (bitCount_ % 8));
    bitCount_++;
  }
}

void BitWriter::PutSymbol(const CanonicalCode& code, int s) { Put(code.Codes[s], code.Lengths[s]); }

void BitWriter::PutSmallLength(int length) {
  if (length < 7) {
    Put(static_cast<uint32_t>(length), 3);
    return;
  }
  Put(7, 3);
  for (int k = 7; k < length; k++) Put(1, 1);
  Put(0, 1);
}

std::vector<int> FullCodeLengthCodeLengths() {
  std::vector<int> lengths(kCodeLenCount, 4);
  for (int s = 13; s < kCodeLenCount; s++) lengths[s] = 5;
  return lengths;
}

void WriteCodeLengthCode(BitWriter& out, const std::vector<int>& codeLengthLengths, int count) {
  const int sent = PutCount(out, codeLengthLengths, count, 5);
  for (int s = 0; s < sent; s++) {
    out.PutSmallLength(codeLengthLengths[s]);
    if (s == 2) out.Put(0, 2);  // zero-run field after the third length: no run
  }
}

void WriteLitLenLengths(BitWriter& out, const std::vector<int>& codeLengthLengths,
                        const std::vector<int>& litLenLengths, int count) {
  const CanonicalCode cl = MakeCanonicalCode(codeLengthLengths);
  const int sent = PutCount(out, litLenLengths, count, 9);
  for (int s = 0; s < sent; s++)
    out.PutSymbol(cl, litLenLengths[s] == 0 ? 0 : litLenLengths[s] + 2);
}

void WritePositionLengths(BitWriter& out, const std::vector<int>& positionLengths) {
  const int sent = PutCount(out, positionLengths, -1, 4);
  for (int s = 0; s < sent; s++) out.PutSmallLength(positionLengths[s]);
}

void WriteBlockHeader(BitWriter& out, uint32_t symbolCount, const std::vector<int>& litLenLengths,
                      const std::vector<int>& positionLengths,
                      const std::vector<int>& codeLengthLengths) {
  out.Put(symbolCount, 16);
  WriteCodeLengthCode(out, codeLengthLengths);
  WriteLitLenLengths(out, codeLengthLengths, litLenLengths);
  WritePositionLengths(out, positionLengths);
}

void WriteSingleSymbolCode(BitWriter& out, int countBits, uint32_t symbol) {
  out.Put(0, countBits);
  out.Put(symbol, countBits);
}

void WriteSingleSymbolCodes(BitWriter& out, uint32_t codeLength, uint32_t litLen,
                            uint32_t position) {
  WriteSingleSymbolCode(out, 5, codeLength);
  WriteSingleSymbolCode(out, 9, litLen);
  WriteSingleSymbolCode(out, 4, position);
}
