// The decoder on hand-built streams: special cases of the format, codes of the boundary lengths,
// and damaged streams (invalid length sets, values beyond the format's arrays), which set
// DecodeFailed and still produce the asked-for count of bytes; none may read or write outside an
// array (the sanitizer build checks that). Every stream is spelled out field by field with the
// test-only bit writer. (The worked example, single-symbol blocks and a block count of 0 are in
// the differential fuzz corpus, replayed in both look-ahead widths.)
#include "archive/lzh_decoder.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/bit_writer.h"
#include "tests/support/lzh_decode_all.h"

namespace {

// Lengths that reach the longest codes: a code-length code of 1 to 16 bits (0: 1 bit, t = 3..17:
// t - 1 bits, 18: 16 bits) and a position code of 1 to 13 bits (class j: j + 1 bits, 13: 13 bits).
const std::vector<int> kLongCodeLengthLengths = {1, 0,  0,  2,  3,  4,  5,  6,  7, 8,
                                                 9, 10, 11, 12, 13, 14, 15, 16, 16};
const std::vector<int> kLongPositionLengths = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 13};

// Writes a match: its length symbol (length + 253), its position class, and the class's extra
// bits, for a distance of 1..8192.
void WriteMatch(BitWriter& out, const CanonicalCode& litLen, const CanonicalCode& position,
                int length, int distance) {
  out.PutSymbol(litLen, length + 253);
  const uint32_t d = static_cast<uint32_t>(distance - 1);
  int j = 0;
  while ((d >> j) != 0) j++;  // class j: d in [2^(j-1), 2^j)
  out.PutSymbol(position, j);
  if (j > 1) out.Put(d - (1u << (j - 1)), j - 1);
}

// The full code-length code, then literal/length lengths with the given symbols at 1 bit under
// the given count field (-1: the usual one).
void LitLenOneBit(BitWriter& out, std::initializer_list<int> symbols, int count = -1) {
  WriteCodeLengthCode(out, FullCodeLengthCodeLengths());
  std::vector<int> lengths(510, 0);
  for (int s : symbols) lengths[s] = 1;
  WriteLitLenLengths(out, FullCodeLengthCodeLengths(), lengths, count);
}
void SingleAAndPosition0(BitWriter& out) {
  WriteSingleSymbolCode(out, 9, 'A');
  WriteSingleSymbolCode(out, 4, 0);
}
void SymbolsABBA(BitWriter& out) { out.Put(0b0110, 4); }  // with 'A' and 'B' at 1 bit
// A code-length code of count 3: lengths 1, middle and 1, no zero run.
void CodeLengths3(BitWriter& out, int middle) {
  out.Put(3, 5);
  out.PutSmallLength(1);
  out.PutSmallLength(middle);
  out.PutSmallLength(1);
  out.Put(0, 2);
}
// The full code-length code, then literal/length count 510 with 'A' and 'B' at 1 bit, sent as
// single lengths up to 'B' and a long zero run of 531 zeros from 67, past the last length.
void LitLenABThenLongRun(BitWriter& out) {
  WriteCodeLengthCode(out, FullCodeLengthCodeLengths());
  const CanonicalCode cl = MakeCanonicalCode(FullCodeLengthCodeLengths());
  out.Put(510, 9);
  for (int s = 0; s < 'A'; s++) out.PutSymbol(cl, 0);
  out.PutSymbol(cl, 3);  // 'A': length 1
  out.PutSymbol(cl, 3);  // 'B': length 1
  out.PutSymbol(cl, 2);  // long zero run
  out.Put(511, 9);
}

using Writer = std::function<void(BitWriter&)>;
void Nothing(BitWriter&) {}
void SinglePosition0(BitWriter& out) { WriteSingleSymbolCode(out, 4, 0); }

// What surrounds the damage, and the bytes produced despite it. The fresh decoder's tables are
// all zero, so a code whose table was never built yields symbol 0 without consuming bits.
struct Frame {
  Writer Before, After;
  std::string Expected;
};
// Damage in the code-length code, then single 'A' and position 0.
const Frame kInCodeLengths{Nothing, SingleAAndPosition0, "AAAA"};
// Damage up to the literal/length code's end, then single position 0: a failed build leaves the
// zero table.
const Frame kInLitLen{Nothing, SinglePosition0, std::string(4, '\0')};
// The same where the damaged value is cut back and the code of 'A' and 'B' still builds.
void SinglePosition0ThenABBA(BitWriter& out) { SinglePosition0(out), SymbolsABBA(out); }
const Frame kInLitLenKeepingAB{Nothing, SinglePosition0ThenABBA, "ABBA"};
// 'A' and 'B' at 1 bit, then damage in the position code, then A B B A.
const Frame kInPosition{[](BitWriter& out) { LitLenOneBit(out, {'A', 'B'}); }, SymbolsABBA, "ABBA"};
// The damage is the whole header.
const Frame kWhole{Nothing, Nothing, std::string(4, '\0')};

struct DamageCase {
  const char* Label;
  const Frame& Around;
  Writer Damaged;  // the header after the 16-bit symbol count, or the part of it in Around
};

// A literal (Literal >= 0) or a match of Length bytes Distance back.
struct Op {
  int Literal;
  int Length;
  int Distance;
};
Op Lit(int byte) { return {byte, 0, 0}; }
Op Match(int length, int distance) { return {-1, length, distance}; }

struct Codes {
  std::vector<int> LitLen, Position, CodeLength;
};

// Complete codes over all symbols: literals 9 bits, match symbols 256 and 257 8 bits, the other
// match symbols 9 bits; position classes 0 and 1 3 bits, 2..13 4 bits.
Codes AllSymbolCodes() {
  Codes codes{std::vector<int>(510, 9), std::vector<int>(14, 4), FullCodeLengthCodeLengths()};
  codes.LitLen[256] = codes.LitLen[257] = 8;
  codes.Position[0] = codes.Position[1] = 3;
  return codes;
}

// Codes at the edge of the direct tables: literal/length codes of 1 to 16 bits ('A' 1 bit ...
// 'O' 15 bits; 'P' and the 3-byte match 16 bits; 'L' 12 bits, 'M' 13 bits), sent with a
// code-length code of 1 to 16 bits (length 7 takes 8 bits, length 8 takes 9), and a position code
// of 1 to 13 bits (class 7: 8 bits, class 8: 9 bits). One bit beyond a table's width passes one
// tree node.
Codes LongCodes() {
  Codes codes{std::vector<int>(510, 0), kLongPositionLengths, kLongCodeLengthLengths};
  for (int i = 0; i < 15; i++) codes.LitLen['A' + i] = i + 1;
  codes.LitLen['P'] = codes.LitLen[256] = 16;
  return codes;
}

// Appends one block holding ops, with the given codes.
void WriteBlock(BitWriter& out, const std::vector<Op>& ops, const Codes& codes) {
  WriteBlockHeader(out, static_cast<uint32_t>(ops.size()), codes.LitLen, codes.Position,
                   codes.CodeLength);
  const CanonicalCode litLen = MakeCanonicalCode(codes.LitLen);
  const CanonicalCode position = MakeCanonicalCode(codes.Position);
  for (const Op& op : ops) {
    if (op.Literal >= 0) {
      out.PutSymbol(litLen, op.Literal);
    } else {
      WriteMatch(out, litLen, position, op.Length, op.Distance);
    }
  }
}

// What ops mean, worked out directly on a growing string; bytes before the first are the zero
// window of a fresh decoder.
std::string Expand(const std::vector<Op>& ops) {
  std::string out;
  for (const Op& op : ops) {
    if (op.Literal >= 0) out += static_cast<char>(op.Literal);
    for (int i = 0; i < op.Length; i++) {
      const long from = static_cast<long>(out.size()) - op.Distance;
      out += from >= 0 ? out[from] : '\0';
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

struct StreamCase {
  const char* Label;
  Writer Write;
  std::string Expected;
};

// A block of three symbols whose code-length code has the given count, the lengths before the
// 2-bit zero-run field (at most 3) and the field (-1: absent); then a single-symbol literal 'A'
// and position code, so that a misread field shows as other bytes.
Writer ZeroRunField(uint32_t count, std::vector<int> lengths, int run) {
  return [=](BitWriter& out) {
    out.Put(3, 16);
    out.Put(count, 5);
    for (int len : lengths) out.PutSmallLength(len);
    if (run >= 0) out.Put(static_cast<uint32_t>(run), 2);
    SingleAAndPosition0(out);
  };
}

TEST(LzhDecoderTest, HandBuiltStreamsGiveTheirBytes) {
  std::vector<int> xAndMatch256(510, 0);
  xAndMatch256['x'] = xAndMatch256[509] = 1;  // 'x' is 0, the 256-byte match is 1
  const StreamCase cases[] = {
      // Every match is at distance 1 without position bits.
      {"single position symbol 0, 256-byte matches repeat the preceding byte",
       [&](BitWriter& out) {
         out.Put(3, 16);
         WriteCodeLengthCode(out, FullCodeLengthCodeLengths());
         WriteLitLenLengths(out, FullCodeLengthCodeLengths(), xAndMatch256);
         WriteSingleSymbolCode(out, 4, 0);
         out.Put(0b011, 3);  // 'x', two matches
       },
       std::string(513, 'x')},
      {"zero-run field: count 2 has none", ZeroRunField(2, {1, 1}, -1), "AAA"},
      {"zero-run field: count 3, run 3 past it", ZeroRunField(3, {1, 1, 0}, 3), "AAA"},
      // Count 4 with a run of 0: symbols 0 (one zero length) and 3 (length 1, after the field).
      {"zero-run field: count 4, run 0, the fourth length codes the literal lengths",
       [](BitWriter& out) {
         out.Put(4, 16);
         WriteCodeLengthCode(out, {1, 0, 0, 1});
         std::vector<int> ab(510, 0);
         ab['A'] = ab['B'] = 1;
         WriteLitLenLengths(out, {1, 0, 0, 1}, ab);
         SinglePosition0ThenABBA(out);
       },
       "ABBA"},
  };
  for (const StreamCase& c : cases) {
    SCOPED_TRACE(c.Label);
    ResetDecoder();
    BitWriter out;
    c.Write(out);
    const DecodeResult result = DecodeAll(out.Bytes(), static_cast<uint32_t>(c.Expected.size()));
    EXPECT_FALSE(result.Failed);
    EXPECT_TRUE(result.Bytes == c.Expected);
  }
}

struct MatchCase {
  const char* Label;
  std::vector<std::vector<Op>> Blocks;
  uint32_t Size = 0;  // 0: the whole expansion
  Codes Code = AllSymbolCodes();
};

TEST(LzhDecoderTest, LiteralsAndMatchesAcrossChunksAndBlocks) {
  const MatchCase cases[] = {
      {"distance 8192 reads the byte at the same window position",
       {Concat(Literals(8192), {Match(10, 8192), Lit('!'), Match(256, 8192)})}},
      {"match cut by the chunk end finishes in the next chunk",
       {Concat(Literals(8190), {Match(5, 3), Lit('E')})}},
      {"last match cut off at the entry's end", {{Lit('a'), Match(10, 1)}}, 5},
      {"bytes just after a far match still hold the last chunk's for a long-distance match",
       {Concat(Concat(Literals(8212), {Match(3, 10), Match(5, 8190), Match(9, 20), Match(4, 8192)}),
               Literals(40))}},
      {"three blocks, headers mid-byte and across a chunk",
       {{Lit('x'), Match(7, 1)}, Concat(Literals(8185), {Match(20, 30)}), {Match(9, 8000)}}},
      {"codes of table width and one bit longer; distances up to 4097 read the zero window",
       {{Lit('L'), Lit('M'), Lit('A'), Lit('P'), Lit('K'), Lit('N'), Match(3, 1), Lit('L'),
         Match(3, 65), Match(3, 129), Lit('M'), Match(3, 200), Lit('O'), Match(3, 4097)}},
       0,
       LongCodes()},
  };
  for (const MatchCase& c : cases) {
    SCOPED_TRACE(c.Label);
    ResetDecoder();
    BitWriter out;
    std::vector<Op> all;
    for (const auto& block : c.Blocks) {
      WriteBlock(out, block, c.Code);
      all = Concat(all, block);
    }
    std::string expected = Expand(all);
    if (c.Size != 0) expected.resize(c.Size);
    const DecodeResult result = DecodeAll(out.Bytes(), static_cast<uint32_t>(expected.size()));
    EXPECT_FALSE(result.Failed);
    EXPECT_TRUE(result.Bytes == expected);
  }
}

// A far match of the longest position code (class 13: 13 bits, then 12 extra bits) in the last
// bytes of a stream, where the look-ahead is filled a byte at a time, at every bit alignment: a
// 32-bit look-ahead must refill between the code and its extra bits. The window is not cleared
// between entries: the match reads the previous entry's bytes, so a misread distance shows.
TEST(LzhDecoderTest, FarMatchAtTheStreamsEndInEveryAlignment) {
  const std::vector<Op> previous = Literals(8192);
  for (int k = 0; k < 16; k++) {
    SCOPED_TRACE(k);
    ResetDecoder();
    BitWriter first, second;
    WriteBlock(first, previous, AllSymbolCodes());
    ASSERT_FALSE(DecodeAll(first.Bytes(), 8192).Failed);
    std::vector<Op> ops(k, Lit('A'));
    ops.push_back(Match(3, 8192 - k));
    WriteBlock(second, ops, LongCodes());
    const std::string expected = Expand(Concat(previous, ops)).substr(8192);
    const DecodeResult result = DecodeAll(second.Bytes(), static_cast<uint32_t>(expected.size()));
    EXPECT_FALSE(result.Failed);
    EXPECT_EQ(result.Bytes, expected);
  }
}

TEST(LzhDecoderDamage, DamagedStreamsFailButProduceTheCount) {
  const DamageCase cases[] = {
      {"literal/length over-full (three 1-bit codes)", kInLitLen,
       [](BitWriter& out) {
         LitLenOneBit(out, {'A', 'B', 'C'});
       }},
      {"literal/length incomplete (one 1-bit code alone)", kInLitLen,
       [](BitWriter& out) { LitLenOneBit(out, {'A'}); }},
      {"code-length over-full (three 1-bit codes)", kInCodeLengths,
       [](BitWriter& out) {
         WriteCodeLengthCode(out, {1, 1, 1});
       }},
      {"code-length incomplete, then literal/length count 2 read through the empty table",
       kInLitLen,
       [](BitWriter& out) {
         WriteCodeLengthCode(out, {0, 0, 0, 2, 2, 2});
         out.Put(2, 9);
       }},
      {"position incomplete", kInPosition,
       [](BitWriter& out) {
         WritePositionLengths(out, {0, 0, 0, 0, 0, 0, 0, 1});
       }},
      {"code-length count 20 (one more than 19): 19 lengths read", kInCodeLengths,
       [](BitWriter& out) { WriteCodeLengthCode(out, FullCodeLengthCodeLengths(), 20); }},
      {"literal/length count 511: 510 lengths read", kInLitLenKeepingAB,
       [](BitWriter& out) {
         LitLenOneBit(out, {'A', 'B'}, 511);
       }},
      {"long zero run past the last length (531 zeros from 67)", kInLitLenKeepingAB,
       LitLenABThenLongRun},
      {"single code-length symbol 19", kInCodeLengths,
       [](BitWriter& out) { WriteSingleSymbolCode(out, 5, 19); }},
      {"single literal/length symbol 510", kWhole,
       [](BitWriter& out) { WriteSingleSymbolCodes(out, 0, 510, 0); }},
      {"code-length length 17 (111, ten 1 bits, 0)", kInCodeLengths,
       [](BitWriter& out) { CodeLengths3(out, 17); }},
  };
  for (const DamageCase& c : cases) {
    SCOPED_TRACE(c.Label);
    ResetDecoder();
    BitWriter out;
    const std::string& expected = c.Around.Expected;
    out.Put(static_cast<uint32_t>(expected.size()), 16);  // symbol count
    c.Around.Before(out);
    c.Damaged(out);
    c.Around.After(out);
    const DecodeResult result = DecodeAll(out.Bytes(), static_cast<uint32_t>(expected.size()));
    EXPECT_TRUE(result.Failed);
    EXPECT_EQ(result.Bytes, expected);
  }
}

// Codes that an earlier block built, kept after a failed build, must not lead a later read
// outside the tree arrays: block 1 builds long codes (tree nodes for all three codes), block 2
// has a code-length code with long codes and an invalid position code, so positions are read
// through the code-length code's table and nodes. The bytes are not checked, only the flag,
// the count and (under the sanitizer) the bounds.
TEST(LzhDecoderDamage, StaleTablesAfterFailedBuildsStayInsideTheTrees) {
  ResetDecoder();
  const std::vector<int> codeLength = kLongCodeLengthLengths;
  std::vector<int> litLen(510, 0);
  for (int i = 0; i < 15; i++) litLen[256 + i] = i + 1;
  litLen[300] = litLen[509] = 16;
  BitWriter out;
  WriteBlockHeader(out, 1, litLen, kLongPositionLengths, codeLength);
  out.PutSymbol(MakeCanonicalCode(litLen), 256);  // one match: length 3, position 0 (1 bit: 0)
  out.Put(0, 1);
  out.Put(40, 16);  // block 2: 40 symbols
  WriteCodeLengthCode(out, codeLength);
  WriteLitLenLengths(out, codeLength, litLen);
  WritePositionLengths(out, {1, 1, 1});              // over-full
  for (int i = 0; i < 12; i++) out.Put(0xF00F, 16);  // long match codes and position bits
  const DecodeResult result = DecodeAll(out.Bytes(), 3000);
  EXPECT_TRUE(result.Failed);
  EXPECT_EQ(result.Bytes.size(), 3000u);
}

}  // namespace
