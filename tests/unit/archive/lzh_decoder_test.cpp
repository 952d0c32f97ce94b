// The decoder on hand-built streams: the worked example, each special case of the format, and
// codes of the boundary lengths. Every stream is spelled out field by field with the test-only
// bit writer. Damaged streams are in lzh_decoder_damage_test.cpp.
#include "archive/lzh_decoder.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/bit_writer.h"
#include "tests/support/lzh_decode_all.h"

namespace {

class LzhDecoderTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetDecoder(); }
};

// A literal (Literal >= 0) or a match of Length bytes Distance back.
struct Op {
  int Literal;
  int Length;
  int Distance;
};
Op Lit(int byte) { return {byte, 0, 0}; }
Op Match(int length, int distance) { return {-1, length, distance}; }

// A complete literal/length code over all 510 symbols: literals 9 bits, match symbols 256 and 257
// 8 bits, the others 9 bits. A complete position code: classes 0 and 1 3 bits, 2..13 4 bits.
std::vector<int> AllLitLenLengths() {
  std::vector<int> lengths(510, 9);
  lengths[256] = lengths[257] = 8;
  return lengths;
}
std::vector<int> AllPositionLengths() {
  std::vector<int> lengths(14, 4);
  lengths[0] = lengths[1] = 3;
  return lengths;
}

// Appends one block holding ops, with the codes above.
void WriteBlock(BitWriter& out, const std::vector<Op>& ops) {
  WriteBlockHeader(out, static_cast<uint32_t>(ops.size()), AllLitLenLengths(),
                   AllPositionLengths());
  const CanonicalCode litLen = MakeCanonicalCode(AllLitLenLengths());
  const CanonicalCode position = MakeCanonicalCode(AllPositionLengths());
  for (const Op& op : ops) {
    if (op.Literal >= 0) {
      out.PutSymbol(litLen, op.Literal);
    } else {
      WriteMatch(out, litLen, position, op.Length, op.Distance);
    }
  }
}

// What ops mean, worked out directly on a growing string (matches stay within the output).
std::string Expand(const std::vector<Op>& ops) {
  std::string out;
  for (const Op& op : ops) {
    if (op.Literal >= 0) {
      out += static_cast<char>(op.Literal);
    } else {
      for (int i = 0; i < op.Length; i++) out += out[out.size() - op.Distance];
    }
  }
  return out;
}

// count literals of a pattern without short repeats.
std::vector<Op> Literals(int count) {
  std::vector<Op> ops;
  for (int i = 0; i < count; i++) ops.push_back(Lit((i * 7 + i / 251) % 256));
  return ops;
}

std::vector<Op> Concat(std::vector<Op> a, const std::vector<Op>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(LzhDecoderTest, WorkedExampleGivesAbcabcabc) {
  const std::vector<uint8_t> stream = {0x00, 0x04, 0x28, 0x05, 0x30, 0x41,
                                       0x37, 0x91, 0x70, 0x21, 0xB0};
  const DecodeResult result = DecodeAll(stream, 9);
  EXPECT_FALSE(result.Failed);
  EXPECT_EQ(result.Bytes, "abcabcabc");
}

TEST_F(LzhDecoderTest, EmptyEntryProducesNothing) {
  const DecodeResult result = DecodeAll(std::vector<uint8_t>(), 0);
  EXPECT_FALSE(result.Failed);
  EXPECT_EQ(result.Bytes, "");
}

// Single-symbol codes take no bits, so the second block header starts right after the first
// one, in the middle of a byte (52 header bits).
TEST_F(LzhDecoderTest, SingleSymbolCodesTakeNoBitsAndNextHeaderStartsMidByte) {
  BitWriter out;
  out.Put(3, 16);     // block 1: symbol count 3
  out.Put(0, 5);      // code-length code: count 0
  out.Put(0, 5);      //   single symbol 0
  out.Put(0, 9);      // literal/length code: count 0
  out.Put('A', 9);    //   single symbol 'A'
  out.Put(0, 4);      // position code: count 0
  out.Put(0, 4);      //   single symbol 0
  ASSERT_EQ(out.BitCount() % 8, 4u);
  out.Put(2, 16);     // block 2: symbol count 2
  out.Put(0, 5);      // code-length code: count 0
  out.Put(18, 5);     //   single symbol 18
  out.Put(0, 9);      // literal/length code: count 0
  out.Put('B', 9);    //   single symbol 'B'
  out.Put(0, 4);      // position code: count 0
  out.Put(13, 4);     //   single symbol 13
  const DecodeResult result = DecodeAll(out.Bytes(), 5);
  EXPECT_FALSE(result.Failed);
  EXPECT_EQ(result.Bytes, "AAABB");
}

// A position code whose single symbol is 0 puts every match at distance 1 without position bits;
// a 256-byte match then repeats the preceding byte 256 times.
TEST_F(LzhDecoderTest, SingleSymbolPositionZeroRepeatsThePrecedingByte) {
  std::vector<int> litLen(510, 0);
  litLen['x'] = litLen[509] = 1;  // 'x' is 0, the 256-byte match is 1
  BitWriter out;
  out.Put(3, 16);                                          // symbol count 3
  WriteCodeLengthCode(out, FullCodeLengthCodeLengths());   // code-length code
  WriteLitLenLengths(out, FullCodeLengthCodeLengths(), litLen);
  out.Put(0, 4);                                           // position code: count 0
  out.Put(0, 4);                                           //   single symbol 0
  out.Put(0, 1);                                           // 'x'
  out.Put(1, 1);                                           // match of 256, no position bits
  out.Put(1, 1);                                           // match of 256
  const DecodeResult result = DecodeAll(out.Bytes(), 513);
  EXPECT_FALSE(result.Failed);
  EXPECT_EQ(result.Bytes, std::string(513, 'x'));
}

// The code-length code's 2-bit zero-run field follows its third length: read for a count of 3 or
// more, absent for 1 or 2; a run may carry the index past the count. Each stream then has a
// single-symbol literal 'A' and position code, so a misread field shows as other bytes.
struct ZeroRunCase {
  const char* Label;
  int Count;
  std::vector<int> Lengths;  // the lengths sent before the zero-run field (at most 3)
  int Run;                   // the zero-run field, -1 when absent
  std::vector<int> After;    // lengths sent after the field
  bool Fails;
};

TEST_F(LzhDecoderTest, ZeroRunFieldFollowsTheThirdLengthOnly) {
  const ZeroRunCase cases[] = {
      {"count 1 has no field (one length 1 alone is incomplete)", 1, {1}, -1, {}, true},
      {"count 2 has no field", 2, {1, 1}, -1, {}, false},
      {"count 3 reads the field", 3, {1, 1, 0}, 0, {}, false},
      {"count 3 with a run of 3 past the count", 3, {1, 1, 0}, 3, {}, false},
      {"count 4 with a run of 0 reads a fourth length", 4, {1, 0, 0}, 0, {1}, false},
      {"count 4 with a run of 1 ends at the count", 4, {1, 1, 0}, 1, {}, false},
      {"count 4 with a run of 3 ends with entries 3 to 5 zero", 4, {1, 1, 0}, 3, {}, false},
  };
  for (const ZeroRunCase& c : cases) {
    SCOPED_TRACE(c.Label);
    ResetDecoder();
    BitWriter out;
    out.Put(3, 16);                               // symbol count 3
    out.Put(static_cast<uint32_t>(c.Count), 5);   // code-length code: count
    for (int len : c.Lengths) out.PutSmallLength(len);
    if (c.Run >= 0) out.Put(static_cast<uint32_t>(c.Run), 2);  // zero-run field
    for (int len : c.After) out.PutSmallLength(len);
    out.Put(0, 9);    // literal/length code: count 0
    out.Put('A', 9);  //   single symbol 'A'
    out.Put(0, 4);    // position code: count 0
    out.Put(0, 4);    //   single symbol 0
    const DecodeResult result = DecodeAll(out.Bytes(), 3);
    EXPECT_EQ(result.Failed, c.Fails);
    EXPECT_EQ(result.Bytes, "AAA");
  }
}

// A four-length code-length code in real use: symbols 0 (one zero length) and 3 (length 1).
TEST_F(LzhDecoderTest, CodeLengthCodeWithZeroRunFieldCodesTheLiteralLengths) {
  BitWriter out;
  out.Put(4, 16);           // symbol count 4
  out.Put(4, 5);            // code-length code: count 4
  out.PutSmallLength(1);    //   symbol 0: 1 bit (code 0)
  out.PutSmallLength(0);    //   symbol 1: absent
  out.PutSmallLength(0);    //   symbol 2: absent
  out.Put(0, 2);            //   zero-run field: no run
  out.PutSmallLength(1);    //   symbol 3: 1 bit (code 1)
  out.Put('B' + 1, 9);      // literal/length code: count 67
  for (int s = 0; s < 'A'; s++) out.Put(0, 1);  // symbols 0..64: length 0
  out.Put(1, 1);            //   'A': length 1 (code 0)
  out.Put(1, 1);            //   'B': length 1 (code 1)
  out.Put(0, 4);            // position code: count 0
  out.Put(0, 4);            //   single symbol 0
  out.Put(0b0110, 4);       // A B B A
  const DecodeResult result = DecodeAll(out.Bytes(), 4);
  EXPECT_FALSE(result.Failed);
  EXPECT_EQ(result.Bytes, "ABBA");
}

// A block symbol count of 0 wraps on its first decrement: the block runs to the entry's end and
// no further header is read (one would give zero bytes: the input is used up).
TEST_F(LzhDecoderTest, BlockCountZeroRunsToTheEntryEnd) {
  BitWriter out;
  out.Put(0, 16);    // symbol count 0
  out.Put(0, 5);     // code-length code: count 0
  out.Put(0, 5);     //   single symbol 0
  out.Put(0, 9);     // literal/length code: count 0
  out.Put('Z', 9);   //   single symbol 'Z'
  out.Put(0, 4);     // position code: count 0
  out.Put(0, 4);     //   single symbol 0
  const DecodeResult result = DecodeAll(out.Bytes(), 20000);
  EXPECT_FALSE(result.Failed);
  EXPECT_EQ(result.Bytes, std::string(20000, 'Z'));
}

struct MatchCase {
  const char* Label;
  std::vector<std::vector<Op>> Blocks;
  uint32_t Size;  // 0: the whole expansion
};

TEST_F(LzhDecoderTest, LiteralsAndMatchesAcrossChunksAndBlocks) {
  const MatchCase cases[] = {
      {"distance 1, length 256", {{Lit('q'), Match(256, 1), Lit('r')}}, 0},
      {"distance 2 (class 1, no extra bits) and 3..5",
       {{Lit('a'), Lit('b'), Match(4, 2), Match(3, 3), Match(5, 4), Match(6, 5)}}, 0},
      {"distances 4096, 4097 and 8191",
       {Concat(Literals(8191), {Match(3, 4096), Match(4, 4097), Match(5, 8191)})}, 0},
      {"distance 8192 reads the byte at the same window position",
       {Concat(Literals(8192), {Match(10, 8192), Lit('!'), Match(256, 8192)})}, 0},
      {"match cut by the chunk end finishes in the next chunk",
       {Concat(Literals(8190), {Match(5, 3), Lit('E')})}, 0},
      {"256-byte match cut by the chunk end", {Concat(Literals(8000), {Match(256, 100)})}, 0},
      {"entry of exactly 8192 bytes", {Concat(Literals(8189), {Match(3, 1)})}, 0},
      {"last match cut off at the entry's end", {{Lit('a'), Match(10, 1)}}, 5},
      {"bytes just after a far match still hold the last chunk's for a long-distance match",
       {Concat(Concat(Literals(8212), {Match(3, 10), Match(5, 8190), Match(9, 20), Match(4, 8192)}),
               Literals(40))},
       0},
      {"three blocks, headers mid-byte and across a chunk",
       {{Lit('x'), Match(7, 1)}, Concat(Literals(8185), {Match(20, 30)}), {Match(9, 8000)}}, 0},
  };
  for (const MatchCase& c : cases) {
    SCOPED_TRACE(c.Label);
    ResetDecoder();
    BitWriter out;
    std::vector<Op> all;
    for (const auto& block : c.Blocks) {
      WriteBlock(out, block);
      all = Concat(all, block);
    }
    std::string expected = Expand(all);
    if (c.Size != 0) expected.resize(c.Size);
    const DecodeResult result = DecodeAll(out.Bytes(), static_cast<uint32_t>(expected.size()));
    EXPECT_FALSE(result.Failed);
    EXPECT_TRUE(result.Bytes == expected);
  }
}

// Codes at the edge of the direct tables: a literal/length code with codes of 1 to 16 bits
// ('A' 1 bit ... 'O' 15 bits; 'P' and the 3-byte match 16 bits; 'L' 12 bits, 'M' 13 bits), its
// lengths sent with a code-length code of 1 to 16 bits (symbol t has t - 1 bits, so length 7 takes
// 8 bits and length 8 takes 9), and a position code of 1 to 13 bits (class 7: 8 bits, class 8:
// 9 bits). One bit beyond a table's width passes one tree node.
TEST_F(LzhDecoderTest, CodesOfTableWidthAndOneBitLongerDecode) {
  std::vector<int> codeLength(19, 0);
  codeLength[0] = 1;
  for (int t = 3; t <= 17; t++) codeLength[t] = t - 1;
  codeLength[18] = 16;
  std::vector<int> litLen(510, 0);
  for (int i = 0; i < 15; i++) litLen['A' + i] = i + 1;
  litLen['P'] = litLen[256] = 16;
  std::vector<int> position(14, 0);
  for (int j = 0; j < 13; j++) position[j] = j + 1;
  position[13] = 13;
  const std::vector<Op> ops = {Lit('L'), Lit('M'), Lit('A'), Lit('P'), Lit('K'), Lit('N'),
                               Match(3, 1), Lit('L'), Match(3, 65), Match(3, 129), Lit('M'),
                               Match(3, 200), Lit('O'), Match(3, 4097)};
  BitWriter out;
  WriteBlockHeader(out, static_cast<uint32_t>(ops.size()), litLen, position, codeLength);
  const CanonicalCode litLenCode = MakeCanonicalCode(litLen);
  const CanonicalCode positionCode = MakeCanonicalCode(position);
  for (const Op& op : ops) {
    if (op.Literal >= 0) {
      out.PutSymbol(litLenCode, op.Literal);
    } else {
      WriteMatch(out, litLenCode, positionCode, op.Length, op.Distance);
    }
  }
  // Distances up to 4097 reach before the first byte: those bytes are the zero window.
  std::string expected;
  for (const Op& op : ops) {
    if (op.Literal >= 0) {
      expected += static_cast<char>(op.Literal);
      continue;
    }
    for (int i = 0; i < op.Length; i++) {
      const long from = static_cast<long>(expected.size()) - op.Distance;
      expected += from >= 0 ? expected[from] : '\0';
    }
  }
  const DecodeResult result = DecodeAll(out.Bytes(), static_cast<uint32_t>(expected.size()));
  EXPECT_FALSE(result.Failed);
  EXPECT_EQ(result.Bytes, expected);
}

// The window is not cleared between entries: a match reaching before an entry's first byte
// copies what the previous entry left at that window position.
TEST_F(LzhDecoderTest, MatchBeforeTheFirstByteReadsThePreviousEntrysWindow) {
  BitWriter first;
  WriteBlock(first, Literals(100));
  ASSERT_FALSE(DecodeAll(first.Bytes(), 100).Failed);
  BitWriter second;
  WriteBlock(second, {Match(4, 8192 - 10)});  // window positions 10..13 of the first entry
  const DecodeResult result = DecodeAll(second.Bytes(), 4);
  EXPECT_FALSE(result.Failed);
  EXPECT_EQ(result.Bytes, Expand(Literals(100)).substr(10, 4));
}

}  // namespace
