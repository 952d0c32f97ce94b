// The reference block-Huffman LZ decoder (see reference_lzh_decoder.h): the plain form that the
// program's fast decoder must match byte for byte and flag for flag on every input. Owns
// reference::Lzh, reference::DecodeWindow and reference::DecodeFailed.
// The format, and what a damaged stream does, are described at the top of
// archive/lzh_decoder.cpp; this file follows that description one syntax element at a time.
#include "bench/reference_lzh_decoder.h"

#include <cstring>

namespace reference {

LzhDecoder Lzh;
uint8_t DecodeWindow[kDecodeWindowSize];
int DecodeFailed;

namespace {

constexpr int kBitBufferBits = 16;
constexpr int kByteBits = 8;
constexpr int kNoZeroRun = -1;
constexpr uint32_t kCodeSpace = 1u << kMaxCodeLength;  // 0x10000

// One Huffman code as the symbol reader sees it.
struct CodeView {
  const uint32_t* Table;
  int TableBits;
  uint32_t SymbolCount;
  const uint8_t* Lengths;
};

// Marks the stream as damaged. The caller discards the entry; decoding goes on regardless.
void Fail() { DecodeFailed = 1; }

// Drops n (0..16) bits from the top of BitBuffer and refills it from the input, a byte at a
// time; bytes past InputSize read as 0 and leave InputIndex where it is.
void FillBits(int n) {
  LzhDecoder& d = Lzh;
  d.ConsumedBits += static_cast<uint64_t>(n);
  d.BitBuffer = static_cast<uint16_t>(d.BitBuffer << n);
  while (n > d.PendingBits) {
    n -= d.PendingBits;
    d.BitBuffer = static_cast<uint16_t>(d.BitBuffer | (d.PendingByte << n));
    if (d.InputIndex < d.InputSize) {
      d.PendingByte = d.InputBase[d.InputIndex];
      d.InputIndex++;
    } else {
      d.PendingByte = 0;
    }
    d.PendingBits = kByteBits;
  }
  d.PendingBits -= n;
  d.BitBuffer = static_cast<uint16_t>(d.BitBuffer | (d.PendingByte >> d.PendingBits));
}

// Returns the next n (0..16) bits as an unsigned number and consumes them.
uint32_t GetBits(int n) {
  uint32_t value = static_cast<uint32_t>(Lzh.BitBuffer) >> (kBitBufferBits - n);
  FillBits(n);
  return value;
}

// Reads one symbol of a code: a direct lookup of the top TableBits bits, then, for a longer
// code, a walk down the tree on the following bits. The code's bits are consumed only once the
// symbol is known. Returns a symbol below code.SymbolCount. A walk that does not reach a symbol
// within the longest code (possible only through a table kept from a failed build) is damage:
// it sets DecodeFailed and yields symbol 0.
uint32_t ReadSymbol(const CodeView& code) {
  uint32_t e = code.Table[Lzh.BitBuffer >> (kBitBufferBits - code.TableBits)];
  uint32_t mask = 1u << (kBitBufferBits - 1 - code.TableBits);
  for (int step = code.TableBits; step < kMaxCodeLength && e >= code.SymbolCount; step++) {
    if (e >= static_cast<uint32_t>(kTreeNodes)) break;
    e = (Lzh.BitBuffer & mask) ? Lzh.TreeRight[e] : Lzh.TreeLeft[e];
    mask >>= 1;
  }
  if (e >= code.SymbolCount) {
    Fail();  // a walk off the tree: stale nodes of another code
    e = 0;
  }
  FillBits(code.Lengths[e]);
  return e;
}

// Adds one tree path for a code longer than tableBits: from the table slot of its left-aligned
// code k, len - tableBits nodes (made on first use), and puts symbol s at the path's end. Node
// numbers come from *nextNode, which stays below kTreeNodes for a complete code.
// Returns false when the nodes run out (not possible for a code that passed the Kraft check).
bool AddTreePath(uint32_t* table, int tableBits, uint32_t k, int len, uint32_t s,
                 uint32_t* nextNode) {
  uint32_t* slot = &table[k >> (kBitBufferBits - tableBits)];
  const uint32_t mask = 1u << (kBitBufferBits - 1 - tableBits);
  for (int i = tableBits; i < len; i++) {
    if (*slot == 0) {
      if (*nextNode >= static_cast<uint32_t>(kTreeNodes)) return false;
      Lzh.TreeLeft[*nextNode] = 0;
      Lzh.TreeRight[*nextNode] = 0;
      *slot = *nextNode;
      (*nextNode)++;
    }
    slot = (k & mask) ? &Lzh.TreeRight[*slot] : &Lzh.TreeLeft[*slot];
    k <<= 1;
  }
  *slot = s;
  return true;
}

// Builds the canonical code given by lengths[0..symbolCount-1] (each 0..16) as a direct table of
// 2^tableBits entries plus tree nodes numbered from symbolCount. Codes are assigned shorter first,
// within a length in increasing symbol order. An over-full or incomplete set (including all
// zeros, and one symbol of length 1 alone) sets DecodeFailed and leaves table and trees as they
// were.
void BuildTable(uint32_t symbolCount, const uint8_t* lengths, int tableBits, uint32_t* table) {
  uint32_t count[kMaxCodeLength + 1] = {};
  uint32_t start[kMaxCodeLength + 2] = {};
  uint32_t weight[kMaxCodeLength + 1] = {};
  for (uint32_t s = 0; s < symbolCount; s++) count[lengths[s]]++;
  for (int len = 1; len <= kMaxCodeLength; len++)
    start[len + 1] = start[len] + (count[len] << (kMaxCodeLength - len));
  if (start[kMaxCodeLength + 1] != kCodeSpace) {
    Fail();  // over-full or incomplete code
    return;
  }
  const int toIndex = kBitBufferBits - tableBits;
  for (int len = 1; len <= tableBits; len++) {
    start[len] >>= toIndex;
    weight[len] = 1u << (tableBits - len);
  }
  for (int len = tableBits + 1; len <= kMaxCodeLength; len++)
    weight[len] = 1u << (kMaxCodeLength - len);
  // Entries that long codes pass through start out as "no node yet".
  for (uint32_t i = start[tableBits + 1] >> toIndex; i < (1u << tableBits); i++) table[i] = 0;
  uint32_t nextNode = symbolCount;
  for (uint32_t s = 0; s < symbolCount; s++) {
    const int len = lengths[s];
    if (len == 0) continue;
    const uint32_t next = start[len] + weight[len];
    if (len <= tableBits) {
      for (uint32_t i = start[len]; i < next; i++) table[i] = s;
    } else if (!AddTreePath(table, tableBits, start[len], len, s, &nextNode)) {
      Fail();
      return;
    }
    start[len] = next;
  }
}

// Reads one small-code length: 0..6 in 3 bits, or 7 + k as the bits 111, k one bits and a zero
// bit (k + 4 bits, which is the length minus 3), all within the 16-bit look-ahead. A length above
// 16 is damage: it sets DecodeFailed and is stored as 16.
uint8_t ReadSmallLength() {
  uint32_t len = Lzh.BitBuffer >> (kBitBufferBits - kLengthFieldBits);
  if (len == kUnaryLength) {
    for (uint32_t mask = 1u << (kBitBufferBits - 1 - kLengthFieldBits);
         mask != 0 && (Lzh.BitBuffer & mask) != 0; mask >>= 1)
      len++;
  }
  // The 3-bit field, then for 7 and up one 1 bit per step above 7 and the closing 0 bit.
  int consumed = kLengthFieldBits;
  if (len >= kUnaryLength) consumed += static_cast<int>(len - kUnaryLength) + 1;
  if (consumed > kBitBufferBits) consumed = kBitBufferBits;  // 13 one bits: no 0 bit in view
  FillBits(consumed);
  if (len > static_cast<uint32_t>(kMaxCodeLength)) {
    Fail();  // length value above the longest code
    len = kMaxCodeLength;
  }
  return static_cast<uint8_t>(len);
}

// Reads the lengths of the code-length code (19 symbols, 5-bit count, zero-run field after the
// third length) or of the position code (14 symbols, 4-bit count, no zero-run field:
// specialIndex kNoZeroRun) into SmallLengths and builds SmallTable. A count of 0 is followed by
// the code's single symbol, which SmallTable then yields without consuming bits.
// A count above symbolCount, or a single symbol beyond the code, sets DecodeFailed; the count is
// cut to symbolCount, and a bad single symbol leaves SmallTable as it was.
void ReadSmallLengths(uint32_t symbolCount, int countBits, int specialIndex) {
  uint32_t n = GetBits(countBits);
  if (n == 0) {
    const uint32_t v = GetBits(countBits);
    for (uint32_t i = 0; i < symbolCount; i++) Lzh.SmallLengths[i] = 0;
    if (v >= symbolCount) {
      Fail();  // single symbol beyond the code
      return;
    }
    for (uint32_t& entry : Lzh.SmallTable) entry = v;
    return;
  }
  if (n > symbolCount) {
    Fail();  // more lengths than symbols
    n = symbolCount;
  }
  uint32_t i = 0;
  while (i < n) {
    Lzh.SmallLengths[i] = ReadSmallLength();
    i++;
    if (static_cast<int>(i) == specialIndex) {
      // Fewer than symbolCount - 3 zeros: 2 bits hold at most 3, and the index is 3 of 19.
      for (uint32_t z = GetBits(kZeroRunBits); z > 0; z--) Lzh.SmallLengths[i++] = 0;
    }
  }
  for (; i < symbolCount; i++) Lzh.SmallLengths[i] = 0;
  BuildTable(symbolCount, Lzh.SmallLengths, kSmallTableBits, Lzh.SmallTable);
}

// Sets the next run lengths of LitLenLengths, from *i on, to 0 and advances *i. A run past the
// last symbol is damage: it sets DecodeFailed and stops at the last symbol.
void ZeroLitLenLengths(uint32_t* i, uint32_t run) {
  if (run > kLitLenSymbols - *i) {
    Fail();  // zero run past the last length
    run = kLitLenSymbols - *i;
  }
  for (; run > 0; run--) Lzh.LitLenLengths[(*i)++] = 0;
}

// Reads the 510 literal/length lengths, coded with the code-length code in SmallTable, and builds
// LitLenTable. Code-length symbol 0 is one zero length, 1 is 3..18 zeros (4 more bits), 2 is
// 20..531 zeros (9 more bits), and t from 3 to 18 the length t - 2. A count of 0 is followed by
// the code's single symbol (9 bits). A count above 510, or a single symbol beyond the code, sets
// DecodeFailed; the count is cut to 510, and a bad single symbol leaves LitLenTable as it was.
void ReadLitLenLengths() {
  uint32_t n = GetBits(kLitLenCountBits);
  if (n == 0) {
    const uint32_t v = GetBits(kLitLenCountBits);
    for (uint8_t& len : Lzh.LitLenLengths) len = 0;
    if (v >= static_cast<uint32_t>(kLitLenSymbols)) {
      Fail();  // single symbol beyond the code
      return;
    }
    for (uint32_t& entry : Lzh.LitLenTable) entry = v;
    return;
  }
  if (n > static_cast<uint32_t>(kLitLenSymbols)) {
    Fail();  // more lengths than symbols
    n = kLitLenSymbols;
  }
  const CodeView codeLengths = {Lzh.SmallTable, kSmallTableBits, kCodeLenSymbols, Lzh.SmallLengths};
  uint32_t i = 0;
  while (i < n) {
    const uint32_t t = ReadSymbol(codeLengths);
    if (t == kZeroLength) {
      ZeroLitLenLengths(&i, 1);
    } else if (t == kShortZeroRun) {
      ZeroLitLenLengths(&i, GetBits(kShortZeroRunBits) + kShortZeroRunBase);
    } else if (t == kLongZeroRun) {
      ZeroLitLenLengths(&i, GetBits(kLongZeroRunBits) + kLongZeroRunBase);
    } else {
      Lzh.LitLenLengths[i++] = static_cast<uint8_t>(t - kCodeLenBias);
    }
  }
  for (; i < kLitLenSymbols; i++) Lzh.LitLenLengths[i] = 0;
  BuildTable(kLitLenSymbols, Lzh.LitLenLengths, kLitLenTableBits, Lzh.LitLenTable);
}

// Returns the next literal/length symbol (0..509), reading a block header first when the current
// block is used up. A block count of 0 wraps on the decrement and so runs to the entry's end.
uint32_t DecodeLitLen() {
  if (Lzh.BlockRemaining == 0) {
    Lzh.BlockRemaining = GetBits(kBlockCountBits);
    ReadSmallLengths(kCodeLenSymbols, kCodeLenCountBits, kZeroRunAfterIndex);
    ReadLitLenLengths();
    ReadSmallLengths(kPositionSymbols, kPositionCountBits, kNoZeroRun);
  }
  Lzh.BlockRemaining--;
  const CodeView litLen = {Lzh.LitLenTable, kLitLenTableBits, kLitLenSymbols, Lzh.LitLenLengths};
  return ReadSymbol(litLen);
}

// Returns the next match position d (0..8191); the match starts d + 1 bytes back. Class j is
// 0 for d = 0, else d = 2^(j-1) plus j - 1 extra bits.
uint32_t DecodePosition() {
  const CodeView position = {Lzh.SmallTable, kSmallTableBits, kPositionSymbols, Lzh.SmallLengths};
  const uint32_t j = ReadSymbol(position);
  if (j == 0) return 0;
  return (1u << (j - 1)) + GetBits(static_cast<int>(j) - 1);
}

// Copies match bytes into window[*r..count-1], one at a time in increasing order so that a match
// may overlap its own output. Stops when the match is done or the chunk is full; CopyRemaining
// then holds the bytes still owed.
void CopyMatch(uint8_t* window, uint32_t* r, uint32_t count) {
  while (Lzh.CopyRemaining > 0 && *r < count) {
    window[*r] = window[Lzh.CopyPosition];
    Lzh.CopyPosition = (Lzh.CopyPosition + 1) & kWindowMask;
    Lzh.CopyRemaining--;
    (*r)++;
  }
}

}  // namespace

// Resets the bit reader and the block and match state for a new entry and loads the first 16 bits.
// Leaves the tables, the window and DecodeFailed alone.
void DecodeStart(const uint8_t* input, uint32_t storedSize) {
  Lzh.InputBase = input;
  Lzh.InputSize = storedSize;
  Lzh.BitBuffer = 0;
  Lzh.PendingByte = 0;
  Lzh.PendingBits = 0;
  Lzh.InputIndex = 0;
  FillBits(kBitBufferBits);
  Lzh.ConsumedBits = 0;  // the first fill only loads
  Lzh.BlockRemaining = 0;
  Lzh.CopyRemaining = 0;
}

// Produces the next count (1..8192) bytes into window[0..count-1]: first the rest of a match cut
// off by the previous chunk, then literals and matches. Assumes every earlier chunk of the entry
// was a full 8192 bytes, so that window positions and output positions agree modulo 8192.
void DecodeChunk(uint32_t count, uint8_t* window) {
  if (count > kDecodeWindowSize) count = kDecodeWindowSize;  // never write past the window
  uint32_t r = 0;
  CopyMatch(window, &r, count);
  while (r < count) {
    const uint32_t s = DecodeLitLen();
    if (s < kFirstMatchSymbol) {
      window[r++] = static_cast<uint8_t>(s);
      continue;
    }
    Lzh.CopyRemaining = static_cast<int32_t>(s - kMatchLengthBias);
    const uint32_t d = DecodePosition();
    Lzh.CopyPosition = (r - d - 1) & kWindowMask;
    CopyMatch(window, &r, count);
  }
  if (Lzh.ConsumedBits > 8 * static_cast<uint64_t>(Lzh.InputSize)) Fail();  // read past the end
}

void Reset() {
  std::memset(&Lzh, 0, sizeof Lzh);
  std::memset(DecodeWindow, 0, sizeof DecodeWindow);
  DecodeFailed = 0;
}

}  // namespace reference
