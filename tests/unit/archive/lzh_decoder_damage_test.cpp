// The decoder on damaged streams: invalid length sets, and the values that exceed the format's
// arrays. Each sets DecodeFailed and still produces the asked-for count of bytes; none may read
// or write outside an array (the sanitizer build checks that).
#include "archive/lzh_decoder.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/bit_writer.h"
#include "tests/support/lzh_decode_all.h"

namespace {

// The full code-length code, then literal/length lengths with the given symbols at 1 bit.
void LitLenOneBit(BitWriter& out, std::initializer_list<int> symbols) {
  WriteCodeLengthCode(out, FullCodeLengthCodeLengths());
  std::vector<int> lengths(510, 0);
  for (int s : symbols) lengths[s] = 1;
  WriteLitLenLengths(out, FullCodeLengthCodeLengths(), lengths);
}
void SingleAAndPosition0(BitWriter& out) {
  WriteSingleSymbolCode(out, 9, 'A');
  WriteSingleSymbolCode(out, 4, 0);
}
void SymbolsABBA(BitWriter& out) { out.Put(0b0110, 4); }  // with 'A' and 'B' at 1 bit
// The full code-length code's 19 lengths under the given count field, then single 'A' and 0.
void CodeLengthCountThenSingles(BitWriter& out, uint32_t count) {
  out.Put(count, 5);
  const std::vector<int> lengths = FullCodeLengthCodeLengths();
  for (int s = 0; s < 19; s++) {
    out.PutSmallLength(lengths[s]);
    if (s == 2) out.Put(0, 2);  // zero-run field
  }
  SingleAAndPosition0(out);
}
// The full code-length code, then literal/length count 510 with 'A' and 'B' at 1 bit, sent as
// single lengths up to 'B' and a long zero run of run9 + 20 zeros from 67.
void LitLenABThenLongRun(BitWriter& out, uint32_t run9) {
  WriteCodeLengthCode(out, FullCodeLengthCodeLengths());
  const CanonicalCode cl = MakeCanonicalCode(FullCodeLengthCodeLengths());
  out.Put(510, 9);
  for (int s = 0; s < 'A'; s++) out.PutSymbol(cl, 0);
  out.PutSymbol(cl, 3);  // 'A': length 1
  out.PutSymbol(cl, 3);  // 'B': length 1
  out.PutSymbol(cl, 2);  // long zero run
  out.Put(run9, 9);
}

struct DamageCase {
  const char* Label;
  std::function<void(BitWriter&)> Write;  // everything after the 16-bit symbol count
  std::string Expected;                   // the bytes produced despite the damage
};

// The fresh decoder's tables are all zero, so a code whose table was never built yields symbol 0
// (a zero byte) without consuming bits.
const std::string kZeros(4, '\0');

TEST(LzhDecoderDamage, DamagedStreamsFailButProduceTheCount) {
  const DamageCase cases[] = {
      {"literal/length over-full (three 1-bit codes)",
       [](BitWriter& out) {
         LitLenOneBit(out, {'A', 'B', 'C'});
         WriteSingleSymbolCode(out, 4, 0);
       },
       kZeros},
      {"literal/length incomplete (one 1-bit code alone)",
       [](BitWriter& out) {
         LitLenOneBit(out, {'A'});
         WriteSingleSymbolCode(out, 4, 0);
       },
       kZeros},
      {"literal/length all zero (count 3)",
       [](BitWriter& out) {
         WriteCodeLengthCode(out, FullCodeLengthCodeLengths());
         out.Put(3, 9);
         out.Put(0, 3 * 4);  // code-length symbol 0 three times: zero lengths
         WriteSingleSymbolCode(out, 4, 0);
       },
       kZeros},
      {"code-length over-full (three 1-bit codes)",
       [](BitWriter& out) {
         WriteCodeLengthCode(out, {1, 1, 1});
         SingleAAndPosition0(out);
       },
       "AAAA"},
      {"code-length incomplete, then its lengths read through the empty table",
       [](BitWriter& out) {
         WriteCodeLengthCode(out, {0, 0, 0, 2, 2, 2});
         out.Put(2, 9);  // literal/length count 2: symbols read as 0 from the zero table
         WriteSingleSymbolCode(out, 4, 0);
       },
       kZeros},
      {"code-length all zero (count 5)",
       [](BitWriter& out) {
         out.Put(5, 5);
         out.Put(0, 5 * 3 + 2);  // five zero lengths and a zero-run field of 0
         SingleAAndPosition0(out);
       },
       "AAAA"},
      {"position over-full",
       [](BitWriter& out) {
         LitLenOneBit(out, {'A', 'B'});
         WritePositionLengths(out, {1, 1, 1});
         SymbolsABBA(out);
       },
       "ABBA"},
      {"position incomplete",
       [](BitWriter& out) {
         LitLenOneBit(out, {'A', 'B'});
         WritePositionLengths(out, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
         SymbolsABBA(out);
       },
       "ABBA"},
      {"position all zero (count 2)",
       [](BitWriter& out) {
         LitLenOneBit(out, {'A', 'B'});
         out.Put(2, 4);
         out.Put(0, 2 * 3);
         SymbolsABBA(out);
       },
       "ABBA"},
      {"code-length count 20 (one more than 19): 19 lengths read",
       [](BitWriter& out) { CodeLengthCountThenSingles(out, 20); }, "AAAA"},
      {"position count 15: 14 lengths read",
       [](BitWriter& out) {
         LitLenOneBit(out, {'A', 'B'});
         out.Put(15, 4);
         for (int j = 0; j < 14; j++) out.PutSmallLength(j < 2 ? 3 : 4);
         SymbolsABBA(out);
       },
       "ABBA"},
      {"literal/length count 511: 510 lengths read",
       [](BitWriter& out) {
         WriteCodeLengthCode(out, FullCodeLengthCodeLengths());
         const CanonicalCode cl = MakeCanonicalCode(FullCodeLengthCodeLengths());
         out.Put(511, 9);
         for (int s = 0; s < 510; s++) out.PutSymbol(cl, s == 'A' || s == 'B' ? 3 : 0);
         WriteSingleSymbolCode(out, 4, 0);
         SymbolsABBA(out);
       },
       "ABBA"},
      {"long zero run past the last length (531 zeros from 67)",
       [](BitWriter& out) {
         LitLenABThenLongRun(out, 511);
         WriteSingleSymbolCode(out, 4, 0);
         SymbolsABBA(out);
       },
       "ABBA"},
      {"short zero run past the last length (18 zeros from 500)",
       [](BitWriter& out) {
         LitLenABThenLongRun(out, 413);  // 433 zeros: 67..499
         out.PutSymbol(MakeCanonicalCode(FullCodeLengthCodeLengths()), 1);  // short zero run
         out.Put(15, 4);                                                   //   of 18
         WriteSingleSymbolCode(out, 4, 0);
         SymbolsABBA(out);
       },
       "ABBA"},
      {"single code-length symbol 19",
       [](BitWriter& out) { WriteSingleSymbolCodes(out, 19, 'A', 0); }, "AAAA"},
      {"single code-length symbol 31, then lengths read through the zero table",
       [](BitWriter& out) {
         WriteSingleSymbolCode(out, 5, 31);
         out.Put(4, 9);  // literal/length count 4
         WriteSingleSymbolCode(out, 4, 0);
       },
       kZeros},
      {"single position symbol 14",
       [](BitWriter& out) { WriteSingleSymbolCodes(out, 0, 'A', 14); }, "AAAA"},
      {"single literal/length symbol 510",
       [](BitWriter& out) { WriteSingleSymbolCodes(out, 0, 510, 0); }, kZeros},
      {"code-length length 17 (111, ten 1 bits, 0)",
       [](BitWriter& out) {
         out.Put(3, 5);
         for (int len : {1, 17, 1}) out.PutSmallLength(len);
         out.Put(0, 2);  // zero-run field
         SingleAAndPosition0(out);
       },
       "AAAA"},
      {"code-length length 20 (111 and thirteen 1 bits: 16 bits consumed)",
       [](BitWriter& out) {
         out.Put(3, 5);
         out.PutSmallLength(1);
         out.Put(0xFFFF, 16);
         out.PutSmallLength(1);
         out.Put(0, 2);  // zero-run field
         SingleAAndPosition0(out);
       },
       "AAAA"},
      {"position length 18",
       [](BitWriter& out) {
         WriteSingleSymbolCode(out, 5, 0);
         WriteSingleSymbolCode(out, 9, 'A');
         WritePositionLengths(out, {1, 18});
       },
       "AAAA"},
  };
  for (const DamageCase& c : cases) {
    SCOPED_TRACE(c.Label);
    ResetDecoder();
    BitWriter out;
    out.Put(static_cast<uint32_t>(c.Expected.size()), 16);  // symbol count
    c.Write(out);
    const DecodeResult result = DecodeAll(out.Bytes(), static_cast<uint32_t>(c.Expected.size()));
    EXPECT_TRUE(result.Failed);
    EXPECT_EQ(result.Bytes, c.Expected);
  }
}

// Codes that an earlier block built, kept after a failed build, must not lead a later read
// outside the tree arrays: block 1 builds long codes (tree nodes for all three codes), block 2
// has a code-length code with long codes and an invalid position code, so positions are read
// through the code-length code's table and nodes. The bytes are not checked, only the flag,
// the count and (under the sanitizer) the bounds.
TEST(LzhDecoderDamage, StaleTablesAfterFailedBuildsStayInsideTheTrees) {
  ResetDecoder();
  const std::vector<int> codeLength = LongCodeLengthLengths();
  std::vector<int> litLen(510, 0);
  for (int i = 0; i < 15; i++) litLen[256 + i] = i + 1;
  litLen[300] = litLen[509] = 16;
  BitWriter out;
  WriteBlockHeader(out, 1, litLen, LongPositionLengths(), codeLength);
  out.PutSymbol(MakeCanonicalCode(litLen), 256);  // one match: length 3, position 0 (1 bit: 0)
  out.Put(0, 1);
  out.Put(40, 16);  // block 2: 40 symbols
  WriteCodeLengthCode(out, codeLength);
  WriteLitLenLengths(out, codeLength, litLen);
  WritePositionLengths(out, {1, 1, 1});  // over-full
  for (int i = 0; i < 12; i++) out.Put(0xF00F, 16);  // long match codes and position bits
  const DecodeResult result = DecodeAll(out.Bytes(), 3000);
  EXPECT_TRUE(result.Failed);
  EXPECT_EQ(result.Bytes.size(), 3000u);
}

}  // namespace
