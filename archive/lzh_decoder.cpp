// The block-Huffman LZ decoder: restores the bytes of a compressed payload entry into the
// 8,192-byte window, one chunk at a time. Portable; owns the process-wide record Lzh, the window
// DecodeWindow and the flag DecodeFailed. This is the fast form; the plain form it must match on
// every input, byte for byte and flag for flag, is bench/reference_lzh_decoder.cpp; the fuzz target
// tests/fuzz/fuzz_decode_differential.cpp compares the two.
//
// Format notes (the -lh5- stream)
//   Bits are taken from each byte most significant bit first, bytes in increasing order; every
//   multi-bit field is read most significant bit first. Bits past the stored bytes read as 0, but
//   an entry that uses any of them is damaged (cut short, or its unpacked size inflated).
//   The stream is a sequence of blocks with no alignment and no end marker; decoding stops when
//   the entry's unpacked size has been produced. A block is:
//     1. symbol count, 16 bits: literal/length symbols in the block; 0 runs to the entry's end.
//     2. code-length code: 5-bit count, then that many lengths, with a 2-bit zero-run field after
//        the third length (ReadSmallLengths).
//     3. literal/length code: 9-bit count, then the lengths coded with the code-length code
//        (ReadLitLenLengths).
//     4. position code: 4-bit count, then the lengths, no zero-run field (ReadSmallLengths).
//     5. symbols: a literal (0..255) or a match length 3..256 (256..509); a match is followed at
//        once by a position class and its extra bits (DecodeDistance).
//   Codes are canonical: shorter codes first, within a length in increasing symbol order.
//   A count field of 0 announces a single-symbol code: its one symbol follows in a field of the
//   same width, and reading that code then takes no bits at all.
//
// Damaged streams: the values a well-formed stream never carries (counts beyond the alphabet,
// zero runs past the last length, single symbols beyond the code, length values above 16, tree
// walks that do not end in a symbol) set DecodeFailed like an invalid code and are clamped where
// they are read, so that no array is read or written outside its bounds. A failed build leaves a
// table as it was while the lengths already hold the new values; decoding goes on through it.
//
// Algorithm: a direct table of the top 12 (literal/length) or 8 (small codes) look-ahead bits
// gives a symbol and its code length; longer codes continue down a tree of nodes. Each symbol's
// bits are consumed once the symbol is known. A match copies from the window, which is both the
// dictionary and the output buffer.
//
// Optimizations (each measured with bench/decode_speed and bench/decode_memory):
//   - The bit reader and the block count live in locals for one run of symbols (DecodeFast).
//   - The look-ahead is a register-wide left-aligned word refilled from memory by one big-endian
//     load while a whole word of input remains, byte by byte (zeros past the end) after that.
//   - Table entries carry the code length next to the symbol, so a direct hit needs one load.
//   - A fast loop runs while a word of input remains, without checks on the input, and cuts a
//     match at the chunk's end itself; a careful loop, with the byte-wise refill, decodes what
//     the stream's last bytes hold.
//   - With a 64-bit look-ahead the next symbol's table entry is looked up as soon as a symbol is
//     done, before the refill, which takes the refill off the lookup's critical path.
//   - Matches at a distance of 8 or more are copied in whole words: two words at once for
//     the common short match, running past its end, with the 16 bytes after the end saved
//     before and put back after (they may still be read as the previous chunk's bytes); near
//     the window's end, with the last word overlapping the one before instead. Short distances
//     and wrapping sources go byte by byte.
//   Tried and dropped, as they did not pay: a second literal per refill (replaced by the early
//   lookup), table entries holding two literals, a fill for distance-1 runs, two-word copies
//   for matches of 9..16 bytes.
#include "archive/lzh_decoder.h"

#include <cstddef>
#include <cstring>

LzhDecoder Lzh;
uint8_t DecodeWindow[kDecodeWindowSize];
int DecodeFailed;

namespace {

constexpr int kNoZeroRun = -1;
constexpr uint32_t kCodeSpace = 1u << kMaxCodeLength;  // 0x10000

// Table entries: raw value (symbol or node) in the low bits, code length above, or the tree flag.
constexpr uint32_t kEntryValueMask = 0xFFFF;
constexpr int kEntryLengthShift = 16;

// The bit reader's budget. Every step (a code, a length field, a count) takes at most 16 bits,
// the look-ahead that the tree walk examines; a refill leaves at least kRefillBits.
constexpr int kWordBits = static_cast<int>(sizeof(LzhBitWord) * 8);
constexpr uint32_t kRefillBits = kWordBits - 8;
constexpr int kLookAheadBits = kMaxCodeLength;
static_assert(kRefillBits >= kLookAheadBits, "a refill must cover any single step");
// With a 64-bit word one refill covers a whole match: its length code, position code and extra
// bits. With 32 bits the match refills before each of the three.
constexpr bool kOneRefillPerMatch = kRefillBits >= 2 * kMaxCodeLength + kMaxExtraBits;
static_assert(sizeof(LzhBitWord) == 4 || kOneRefillPerMatch, "64-bit look-ahead covers a match");
// Whether a whole match still leaves a full table index in the look-ahead, so that the next
// symbol's table entry can be looked up before the refill (see DecodeFast).
constexpr bool kLookUpBeforeRefill =
    kOneRefillPerMatch && kRefillBits - (2 * kMaxCodeLength + kMaxExtraBits) >= kLitLenTableBits;

// Marks the stream as damaged. The caller discards the entry; decoding goes on regardless.
void Fail() { DecodeFailed = 1; }

// Returns the word stored big-endian at p[0..sizeof(LzhBitWord)-1].
inline LzhBitWord LoadBigEndian(const uint8_t* p) {
  LzhBitWord word;
  std::memcpy(&word, p, sizeof word);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  return word;
#else
  if constexpr (sizeof word == sizeof(uint64_t)) {
    return static_cast<LzhBitWord>(__builtin_bswap64(word));
  } else {
    return static_cast<LzhBitWord>(__builtin_bswap32(static_cast<uint32_t>(word)));
  }
#endif
}

// Tops the look-ahead up to at least kRefillBits bits (at most kWordBits - 1) with one load;
// assumes at least a word of input at Next.
//
// The arithmetic: the word at Next is placed right below the Count bits held (shifted right by
// Count). Only the whole bytes of it that fit below them are counted, (kWordBits - 1 - Count) / 8
// of them, which is how far Next moves; Count grows by 8 per byte. As Count < kWordBits,
// kWordBits - 1 - Count is Count with its low log2(kWordBits) bits inverted, so those bytes times
// 8 are exactly the bits of kRefillBits (all ones from bit 3 up) that Count lacks: the new Count
// is Count | kRefillBits, between kRefillBits and kWordBits - 1, with no add and no branch. The
// uncounted low bits of the load are the leading bits of the byte now at *Next; the next load
// ORs the same bits into the same places again, which is why the bits below Count must be zero
// or exactly those bits.
inline void RefillWord(LzhBitReader& in) {
  in.Buffer |= LoadBigEndian(in.Next) >> in.Count;
  in.Next += (kWordBits - 1 - in.Count) >> 3;
  in.Count |= kRefillBits;
}

// Tops the look-ahead up to at least kRefillBits bits (at most kWordBits - 1). Reads only bytes
// in [Next..End-1]; past End it shifts in zero bits.
inline void Refill(LzhBitReader& in) {
  if (static_cast<size_t>(in.End - in.Next) >= sizeof(LzhBitWord)) {
    RefillWord(in);
    return;
  }
  while (in.Count < kRefillBits) {
    LzhBitWord byte = 0;
    if (in.Next < in.End) {
      byte = *in.Next++;
    } else if (Lzh.PastEnd <= kRefillBits) {  // beyond any Count already: stays so
      Lzh.PastEnd += 8;
    }
    in.Buffer |= byte << (kRefillBits - in.Count);
    in.Count += 8;
  }
}

// Drops n (0..16) bits; assumes Count >= n.
inline void Consume(LzhBitReader& in, uint32_t n) {
  in.Buffer <<= n;
  in.Count -= n;
}

// The next 16 bits, right-aligned, refilling first when fewer are held.
inline uint32_t Look16(LzhBitReader& in) {
  if (in.Count < static_cast<uint32_t>(kLookAheadBits)) Refill(in);
  return static_cast<uint32_t>(in.Buffer >> (kWordBits - kLookAheadBits));
}

// The next n (0..16) bits as a number, without consuming them; assumes Count >= n. The shift
// in two steps keeps n = 0 defined.
inline uint32_t PeekBits(const LzhBitReader& in, int n) {
  return static_cast<uint32_t>((in.Buffer >> 1) >> (kWordBits - 1 - n));
}

// Returns the next n (0..16) bits as a number and consumes them.
uint32_t GetBits(LzhBitReader& in, int n) {
  if (in.Count < static_cast<uint32_t>(n)) Refill(in);
  const uint32_t value = PeekBits(in, n);
  Consume(in, static_cast<uint32_t>(n));
  return value;
}

// The table entry for raw value e in a table used by a code of symbolCount symbols with the given
// lengths: the symbol with its length, or e flagged for the tree walk.
inline uint32_t PackEntry(uint32_t e, uint32_t symbolCount, const uint8_t* lengths) {
  if (e >= symbolCount) return e | kLzhTreeEntry;
  return e | static_cast<uint32_t>(lengths[e]) << kEntryLengthShift;
}

// Recomputes every entry of a table from its raw value, after the lengths or the code that
// reads the table changed while the table itself did not (a failed build, a bad single symbol).
void RepackTable(uint32_t* table, int tableBits, uint32_t symbolCount, const uint8_t* lengths) {
  for (uint32_t i = 0; i < (1u << tableBits); i++)
    table[i] = PackEntry(table[i] & kEntryValueMask, symbolCount, lengths);
}

// Finishes a lookup whose table entry is a node (or a value beyond the code): walks down the tree
// on the look-ahead bits after the table index (top16 holds the next 16 bits). Returns the
// symbol's packed entry. A walk that does not reach a symbol within the longest code (possible
// only through a table kept from a failed build) is damage: it sets DecodeFailed and yields
// symbol 0.
__attribute__((noinline)) uint32_t WalkTree(uint32_t top16, uint32_t e, int tableBits,
                                            uint32_t symbolCount, const uint8_t* lengths) {
  uint32_t mask = 1u << (kLookAheadBits - 1 - tableBits);
  for (int step = tableBits; step < kMaxCodeLength && e >= symbolCount; step++) {
    if (e >= static_cast<uint32_t>(kTreeNodes)) break;
    e = (top16 & mask) ? Lzh.TreeRight[e] : Lzh.TreeLeft[e];
    mask >>= 1;
  }
  if (e >= symbolCount) {
    Fail();  // a walk off the tree: stale nodes of another code
    e = 0;
  }
  return PackEntry(e, symbolCount, lengths);
}

// Reads one symbol of the code whose table has 2^tableBits entries; consumes its bits.
inline uint32_t ReadSymbol(LzhBitReader& in, const uint32_t* table, int tableBits,
                           uint32_t symbolCount, const uint8_t* lengths) {
  const uint32_t top16 = Look16(in);
  uint32_t entry = table[top16 >> (kLookAheadBits - tableBits)];
  if (entry & kLzhTreeEntry)
    entry = WalkTree(top16, entry & kEntryValueMask, tableBits, symbolCount, lengths);
  Consume(in, entry >> kEntryLengthShift);
  return entry & kEntryValueMask;
}

// Adds one tree path for a code longer than tableBits: from the table slot of its left-aligned
// code k, len - tableBits nodes (made on first use), and puts symbol s at the path's end. Node
// numbers come from *nextNode. Returns false when the nodes run out (not possible for a code that
// passed the Kraft check).
bool AddTreePath(uint32_t* table, int tableBits, uint32_t k, int len, uint32_t s,
                 uint32_t* nextNode) {
  uint32_t& first = table[k >> (kLookAheadBits - tableBits)];
  const uint32_t mask = 1u << (kLookAheadBits - 1 - tableBits);
  if ((first & kEntryValueMask) == 0) {
    if (*nextNode >= static_cast<uint32_t>(kTreeNodes)) return false;
    Lzh.TreeLeft[*nextNode] = 0;
    Lzh.TreeRight[*nextNode] = 0;
    first = *nextNode | kLzhTreeEntry;
    (*nextNode)++;
  }
  const uint32_t node = first & kEntryValueMask;
  uint16_t* slot = (k & mask) ? &Lzh.TreeRight[node] : &Lzh.TreeLeft[node];
  k <<= 1;
  for (int i = tableBits + 1; i < len; i++) {
    if (*slot == 0) {
      if (*nextNode >= static_cast<uint32_t>(kTreeNodes)) return false;
      Lzh.TreeLeft[*nextNode] = 0;
      Lzh.TreeRight[*nextNode] = 0;
      *slot = static_cast<uint16_t>(*nextNode);
      (*nextNode)++;
    }
    slot = (k & mask) ? &Lzh.TreeRight[*slot] : &Lzh.TreeLeft[*slot];
    k <<= 1;
  }
  *slot = static_cast<uint16_t>(s);
  return true;
}

// Builds the canonical code given by lengths[0..symbolCount-1] (each 0..16) as a direct table of
// 2^tableBits packed entries plus tree nodes numbered from symbolCount. Returns true when built.
// An over-full or incomplete set (including all zeros, and one symbol of length 1 alone) sets
// DecodeFailed and returns false with the table and trees as they were.
bool BuildTable(uint32_t symbolCount, const uint8_t* lengths, int tableBits, uint32_t* table) {
  uint32_t count[kMaxCodeLength + 1] = {};
  uint32_t start[kMaxCodeLength + 2] = {};
  uint32_t weight[kMaxCodeLength + 1] = {};
  for (uint32_t s = 0; s < symbolCount; s++) count[lengths[s]]++;
  for (int len = 1; len <= kMaxCodeLength; len++)
    start[len + 1] = start[len] + (count[len] << (kMaxCodeLength - len));
  if (start[kMaxCodeLength + 1] != kCodeSpace) {
    Fail();  // over-full or incomplete code
    return false;
  }
  const int toIndex = kLookAheadBits - tableBits;
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
      const uint32_t entry = s | static_cast<uint32_t>(len) << kEntryLengthShift;
      for (uint32_t i = start[len]; i < next; i++) table[i] = entry;
    } else if (!AddTreePath(table, tableBits, start[len], len, s, &nextNode)) {
      Fail();
      return false;
    }
    start[len] = next;
  }
  return true;
}

// Reads one small-code length: 0..6 in 3 bits, or 7 + k as the bits 111, k one bits and a zero
// bit (k + 4 bits, which is the length minus 3), all within the 16-bit look-ahead. A length above
// 16 is damage: it sets DecodeFailed and is stored as 16.
uint8_t ReadSmallLength(LzhBitReader& in) {
  const uint32_t top16 = Look16(in);
  uint32_t len = top16 >> (kLookAheadBits - kLengthFieldBits);
  if (len == kUnaryLength) {
    for (uint32_t mask = 1u << (kLookAheadBits - 1 - kLengthFieldBits);
         mask != 0 && (top16 & mask) != 0; mask >>= 1)
      len++;
  }
  // The 3-bit field, then for 7 and up one 1 bit per step above 7 and the closing 0 bit.
  int consumed = kLengthFieldBits;
  if (len >= kUnaryLength) consumed += static_cast<int>(len - kUnaryLength) + 1;
  if (consumed > kLookAheadBits) consumed = kLookAheadBits;  // 13 one bits: no 0 bit in view
  Consume(in, static_cast<uint32_t>(consumed));
  if (len > static_cast<uint32_t>(kMaxCodeLength)) {
    Fail();  // length value above the longest code
    len = kMaxCodeLength;
  }
  return static_cast<uint8_t>(len);
}

// Makes SmallTable yield the single symbol v of a code of symbolCount symbols without consuming
// bits (a count field of 0). A symbol beyond the code sets DecodeFailed and keeps the table.
void SetSingleSmallSymbol(uint32_t symbolCount, uint32_t v) {
  for (uint32_t i = 0; i < symbolCount; i++) Lzh.SmallLengths[i] = 0;
  if (v >= symbolCount) {
    Fail();  // single symbol beyond the code
    RepackTable(Lzh.SmallTable, kSmallTableBits, symbolCount, Lzh.SmallLengths);
    return;
  }
  for (uint32_t& entry : Lzh.SmallTable) entry = PackEntry(v, symbolCount, Lzh.SmallLengths);
}

// Reads the lengths of the code-length code (19 symbols, 5-bit count, zero-run field after the
// third length) or of the position code (14 symbols, 4-bit count, no zero-run field:
// specialIndex kNoZeroRun) into SmallLengths and builds SmallTable for that code. A count of 0 is
// followed by the code's single symbol. A count above symbolCount sets DecodeFailed and is cut
// to symbolCount.
void ReadSmallLengths(uint32_t symbolCount, int countBits, int specialIndex) {
  LzhBitReader& in = Lzh.Bits;
  uint32_t n = GetBits(in, countBits);
  if (n == 0) {
    SetSingleSmallSymbol(symbolCount, GetBits(in, countBits));
    return;
  }
  if (n > symbolCount) {
    Fail();  // more lengths than symbols
    n = symbolCount;
  }
  uint32_t i = 0;
  while (i < n) {
    Lzh.SmallLengths[i] = ReadSmallLength(in);
    i++;
    if (static_cast<int>(i) == specialIndex) {
      // Fewer than symbolCount - 3 zeros: 2 bits hold at most 3, and the index is 3 of 19.
      for (uint32_t z = GetBits(in, kZeroRunBits); z > 0; z--) Lzh.SmallLengths[i++] = 0;
    }
  }
  for (; i < symbolCount; i++) Lzh.SmallLengths[i] = 0;
  if (!BuildTable(symbolCount, Lzh.SmallLengths, kSmallTableBits, Lzh.SmallTable))
    RepackTable(Lzh.SmallTable, kSmallTableBits, symbolCount, Lzh.SmallLengths);
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

// Makes LitLenTable yield the single symbol v without consuming bits (a count field of 0). A
// symbol beyond the code sets DecodeFailed and keeps the table.
void SetSingleLitLenSymbol(uint32_t v) {
  for (uint8_t& len : Lzh.LitLenLengths) len = 0;
  if (v >= static_cast<uint32_t>(kLitLenSymbols)) {
    Fail();  // single symbol beyond the code
    RepackTable(Lzh.LitLenTable, kLitLenTableBits, kLitLenSymbols, Lzh.LitLenLengths);
    return;
  }
  for (uint32_t& entry : Lzh.LitLenTable) entry = PackEntry(v, kLitLenSymbols, Lzh.LitLenLengths);
}

// Reads the 510 literal/length lengths, coded with the code-length code in SmallTable, and builds
// LitLenTable. Code-length symbol 0 is one zero length, 1 is 3..18 zeros (4 more bits), 2 is
// 20..531 zeros (9 more bits), and t from 3 to 18 the length t - 2. A count of 0 is followed by
// the code's single symbol (9 bits). A count above 510 sets DecodeFailed and is cut to 510.
void ReadLitLenLengths() {
  LzhBitReader& in = Lzh.Bits;
  uint32_t n = GetBits(in, kLitLenCountBits);
  if (n == 0) {
    SetSingleLitLenSymbol(GetBits(in, kLitLenCountBits));
    return;
  }
  if (n > static_cast<uint32_t>(kLitLenSymbols)) {
    Fail();  // more lengths than symbols
    n = kLitLenSymbols;
  }
  uint32_t i = 0;
  while (i < n) {
    const uint32_t t =
        ReadSymbol(in, Lzh.SmallTable, kSmallTableBits, kCodeLenSymbols, Lzh.SmallLengths);
    if (t == kZeroLength) {
      ZeroLitLenLengths(&i, 1);
    } else if (t == kShortZeroRun) {
      ZeroLitLenLengths(&i, GetBits(in, kShortZeroRunBits) + kShortZeroRunBase);
    } else if (t == kLongZeroRun) {
      ZeroLitLenLengths(&i, GetBits(in, kLongZeroRunBits) + kLongZeroRunBase);
    } else {
      Lzh.LitLenLengths[i++] = static_cast<uint8_t>(t - kCodeLenBias);
    }
  }
  for (; i < kLitLenSymbols; i++) Lzh.LitLenLengths[i] = 0;
  if (!BuildTable(kLitLenSymbols, Lzh.LitLenLengths, kLitLenTableBits, Lzh.LitLenTable))
    RepackTable(Lzh.LitLenTable, kLitLenTableBits, kLitLenSymbols, Lzh.LitLenLengths);
}

// Reads a block header into Lzh: the symbol count and the three codes.
__attribute__((noinline)) void ReadBlockHeader() {
  Lzh.BlockRemaining = GetBits(Lzh.Bits, kBlockCountBits);
  ReadSmallLengths(kCodeLenSymbols, kCodeLenCountBits, kZeroRunAfterIndex);
  ReadLitLenLengths();
  ReadSmallLengths(kPositionSymbols, kPositionCountBits, kNoZeroRun);
}

// Finishes reading a literal/length symbol whose table entry is known: walks the tree for a
// long code, consumes the code's bits and returns the symbol (0..509). Assumes at least 16 bits
// in the look-ahead.
inline uint32_t FinishLitLen(LzhBitReader& in, uint32_t entry) {
  if (entry & kLzhTreeEntry) {
    const uint32_t top16 = static_cast<uint32_t>(in.Buffer >> (kWordBits - kLookAheadBits));
    entry = WalkTree(top16, entry & kEntryValueMask, kLitLenTableBits, kLitLenSymbols,
                     Lzh.LitLenLengths);
  }
  Consume(in, entry >> kEntryLengthShift);
  return entry & kEntryValueMask;
}

// Reads one literal/length symbol (0..509). Assumes at least 16 bits in the look-ahead.
inline uint32_t ReadLitLen(LzhBitReader& in) {
  const uint32_t entry = Lzh.LitLenTable[in.Buffer >> (kWordBits - kLitLenTableBits)];
  return FinishLitLen(in, entry);
}

// Reads a match's position class and extra bits; returns its distance, 1..8192. Assumes at least
// 16 bits in the look-ahead, and 16 + 12 when the look-ahead covers a whole match.
inline uint32_t ReadDistance(LzhBitReader& in) {
  const uint32_t top16 = static_cast<uint32_t>(in.Buffer >> (kWordBits - kLookAheadBits));
  uint32_t entry = Lzh.SmallTable[top16 >> (kLookAheadBits - kSmallTableBits)];
  if (entry & kLzhTreeEntry)
    entry = WalkTree(top16, entry & kEntryValueMask, kSmallTableBits, kPositionSymbols,
                     Lzh.SmallLengths);
  Consume(in, entry >> kEntryLengthShift);
  const uint32_t j = entry & kEntryValueMask;
  if (!kOneRefillPerMatch) Refill(in);
  const int extraBits = kClassExtraBits[j];
  const uint32_t extra = PeekBits(in, extraBits);
  Consume(in, static_cast<uint32_t>(extraBits));
  return kClassBase[j] + extra;
}

// Copies a match of length bytes from window[(r - distance) & kWindowMask] to window[r..], one
// byte at a time in increasing order with the source wrapping at the window's end, so that a
// match may overlap its own output.
void CopyBytes(uint8_t* window, uint32_t r, uint32_t from, uint32_t length) {
  for (uint32_t i = 0; i < length; i++) {
    window[r + i] = window[from];
    from = (from + 1) & kWindowMask;
  }
}

// Copy 8 or 4 bytes from src to dst with one load and one store.
inline void Copy8(uint8_t* dst, const uint8_t* src) {
  uint64_t word;
  std::memcpy(&word, src, sizeof word);
  std::memcpy(dst, &word, sizeof word);
}
inline void Copy4(uint8_t* dst, const uint8_t* src) {
  uint32_t word;
  std::memcpy(&word, src, sizeof word);
  std::memcpy(dst, &word, sizeof word);
}

// Copies length bytes forward from src to dst in 8-byte steps, then the rest a byte at a time.
// Gives the byte-by-byte result when src >= dst, or dst - src >= 8 (each step reads only bytes
// that are final by then).
inline void CopyForward(uint8_t* dst, const uint8_t* src, uint32_t length) {
  for (; length >= 8; length -= 8, src += 8, dst += 8) Copy8(dst, src);
  for (; length > 0; length--) *dst++ = *src++;
}

// Copies a match of length (3..256) bytes to dst from src = dst - distance, distance >= 8, in
// whole words and without writing past dst + length: 8-byte steps, then one 8-byte step that
// ends at the match's end and overlaps the previous one (its source bytes are final by then,
// being at least 8 bytes behind); short matches in two overlapping 4-byte steps.
inline void CopyFar(uint8_t* dst, const uint8_t* src, uint32_t length) {
  if (length >= 8) {
    for (uint32_t done = 0; done + 8 <= length; done += 8) Copy8(dst + done, src + done);
    Copy8(dst + length - 8, src + length - 8);
  } else if (length >= 4) {
    Copy4(dst, src);
    Copy4(dst + length - 4, src + length - 4);
  } else {
    dst[0] = src[0];
    dst[1] = src[1];
    dst[2] = src[2];
  }
}

// Copies a match of length (3..256) bytes to dst from src = dst - distance, distance >= 8, in
// whole words that may run up to 15 bytes past the match's end; the 16 bytes after the end are
// saved first and put back after, since they may still be read as the previous chunk's bytes.
// Assumes 16 bytes of the window after the match.
inline void CopyFarWithSpill(uint8_t* dst, const uint8_t* src, uint32_t length) {
  uint64_t after[2];
  std::memcpy(after, dst + length, sizeof after);
  Copy8(dst, src);
  Copy8(dst + 8, src + 8);
  for (uint32_t done = 16; done < length; done += 8) Copy8(dst + done, src + done);
  std::memcpy(dst + length, after, sizeof after);
}

// Copies a whole match to window[r..r+length-1] (which lies inside the window) from distance
// bytes back, taken modulo the window: the byte-by-byte result, faster where it can be.
inline void CopyMatch(uint8_t* window, uint32_t r, uint32_t length, uint32_t distance) {
  const uint32_t from = (r - distance) & kWindowMask;
  if (distance <= r) {  // the source lies below r, unwrapped
    if (distance >= 8 && r + length + 16 <= kDecodeWindowSize) {
      CopyFarWithSpill(window + r, window + from, length);
    } else if (distance >= 8) {
      CopyFar(window + r, window + from, length);
    } else {
      CopyBytes(window, r, from, length);
    }
  } else if (from + length <= kDecodeWindowSize) {  // at or after r: bytes of the last chunk
    CopyForward(window + r, window + from, length);
  } else {
    CopyBytes(window, r, from, length);
  }
}

// Produces the bytes still owed by a match that a chunk's end cut off, into window[r..count-1];
// returns the next position. CopyRemaining and CopyPosition keep what is still owed.
uint32_t CopyCutMatch(uint8_t* window, uint32_t r, uint32_t count) {
  uint32_t n = count - r;
  if (n > Lzh.CopyRemaining) n = Lzh.CopyRemaining;
  CopyBytes(window, r, Lzh.CopyPosition, n);
  Lzh.CopyPosition = (Lzh.CopyPosition + n) & kWindowMask;
  Lzh.CopyRemaining -= n;
  return r + n;
}

// The fast loop: decodes symbols into window[r..count-1] while a whole word of input remains,
// and returns the next position. The bit reader and the block count stay in locals.
// Entry conditions of each pass, which let its body go without bounds checks on the input:
//   - r < count: a literal fits; a match that does not fit is cut at count, which ends the loop
//     with the bytes still owed in CopyRemaining and CopyPosition;
//   - a whole word of input remains at Next, so the refill is one load;
//   - no match is pending (CopyRemaining is 0).
// After its refill the look-ahead holds at least kRefillBits bits: 56 on x86-64, enough for the
// length code, the position code and 12 extra bits with 12 bits to spare; 24 on i686, refilled
// (with the careful refill) before each further part of a match. With 64 bits, the table entry
// of the next symbol is therefore looked up as soon as a symbol is done, from the 12 bits that
// are certainly held, so that the lookup does not wait for the refill.
uint32_t DecodeFast(uint8_t* window, uint32_t r, uint32_t count) {
  const uint32_t* const litLenTable = Lzh.LitLenTable;
  LzhBitReader in = Lzh.Bits;
  uint32_t blockRemaining = Lzh.BlockRemaining;
  Refill(in);
  uint32_t entry = litLenTable[in.Buffer >> (kWordBits - kLitLenTableBits)];
  while (r < count && static_cast<size_t>(in.End - in.Next) >= sizeof(LzhBitWord)) {
    if (blockRemaining != 0) {
      RefillWord(in);
    } else {
      Lzh.Bits = in;
      ReadBlockHeader();
      in = Lzh.Bits;
      blockRemaining = Lzh.BlockRemaining;
      Refill(in);  // the header may have used up the word of input
      entry = litLenTable[in.Buffer >> (kWordBits - kLitLenTableBits)];
    }
    blockRemaining--;
    if (!kLookUpBeforeRefill) entry = litLenTable[in.Buffer >> (kWordBits - kLitLenTableBits)];
    const uint32_t s = FinishLitLen(in, entry);
    if (s < kFirstMatchSymbol) {
      if (kLookUpBeforeRefill) entry = litLenTable[in.Buffer >> (kWordBits - kLitLenTableBits)];
      window[r++] = static_cast<uint8_t>(s);
      continue;
    }
    const uint32_t length = s - kMatchLengthBias;
    if (!kOneRefillPerMatch) Refill(in);
    const uint32_t distance = ReadDistance(in);
    if (kLookUpBeforeRefill) entry = litLenTable[in.Buffer >> (kWordBits - kLitLenTableBits)];
    if (length > count - r) {  // cut by the chunk's end
      Lzh.CopyRemaining = length;
      Lzh.CopyPosition = (r - distance) & kWindowMask;
      r = CopyCutMatch(window, r, count);
      break;
    }
    CopyMatch(window, r, length, distance);
    r += length;
  }
  Lzh.Bits = in;
  Lzh.BlockRemaining = blockRemaining;
  return r;
}

// The careful loop: decodes symbols into window[r..count-1] once less than a word of input is
// left (the refill goes byte by byte, zeros past the end), cutting the last match at count and
// leaving the rest of it in CopyRemaining and CopyPosition.
void DecodeTail(uint8_t* window, uint32_t r, uint32_t count) {
  LzhBitReader& in = Lzh.Bits;
  while (r < count) {
    if (Lzh.BlockRemaining == 0) ReadBlockHeader();
    Lzh.BlockRemaining--;
    Refill(in);
    const uint32_t s = ReadLitLen(in);
    if (s < kFirstMatchSymbol) {
      window[r++] = static_cast<uint8_t>(s);
      continue;
    }
    Lzh.CopyRemaining = s - kMatchLengthBias;
    if (!kOneRefillPerMatch) Refill(in);
    Lzh.CopyPosition = (r - ReadDistance(in)) & kWindowMask;
    r = CopyCutMatch(window, r, count);
  }
}

}  // namespace

// Resets the bit reader and the block and match state for a new entry. Leaves the tables, the
// window and DecodeFailed alone; reads no input yet.
void DecodeStart(const uint8_t* input, uint32_t storedSize) {
  Lzh.Bits.Next = input;
  Lzh.Bits.End = storedSize == 0 ? input : input + storedSize;  // input may be null when empty
  Lzh.Bits.Buffer = 0;
  Lzh.Bits.Count = 0;
  Lzh.PastEnd = 0;
  Lzh.BlockRemaining = 0;
  Lzh.CopyRemaining = 0;
}

// Produces the next count (1..8192) bytes into window[0..count-1]: first the rest of a match cut
// off by the previous chunk, then literals and matches. Assumes every earlier chunk of the entry
// was a full 8192 bytes, so that window positions and output positions agree modulo 8192.
void DecodeChunk(uint32_t count, uint8_t* window) {
  if (count > kDecodeWindowSize) count = kDecodeWindowSize;  // never write past the window
  uint32_t r = CopyCutMatch(window, 0, count);
  if (r < count) r = DecodeFast(window, r, count);
  DecodeTail(window, r, count);
  if (Lzh.PastEnd > Lzh.Bits.Count) Fail();  // used zero bits from beyond the stored bytes
}
