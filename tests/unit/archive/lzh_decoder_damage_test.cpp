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
// A code-length code of count 3: lengths 1, middle and 1, no zero run. A middle above 16 is
// written in unary up to the 16-bit look-ahead (for 20: 111 and thirteen 1 bits, no 0 bit).
void CodeLengths3(BitWriter& out, int middle) {
  out.Put(3, 5);
  out.PutSmallLength(1);
  if (middle < 20) out.PutSmallLength(middle);
  if (middle >= 20) out.Put(0xFFFF, 16);
  out.PutSmallLength(1);
  out.Put(0, 2);
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

using Writer = std::function<void(BitWriter&)>;

struct DamageCase {
  const char* Label;
  Writer Write;          // everything after the 16-bit symbol count
  std::string Expected;  // the bytes produced despite the damage
};

// The fresh decoder's tables are all zero, so a code whose table was never built yields symbol 0
// (a zero byte) without consuming bits.
const std::string kZeros(4, '\0');

// A case whose stream is before, damaged and after in turn.
DamageCase Framed(const char* label, Writer before, Writer damaged, Writer after,
                  std::string expected) {
  return {label, [=](BitWriter& out) { before(out); damaged(out); after(out); }, expected};
}
void Nothing(BitWriter&) {}
void SinglePosition0(BitWriter& out) { WriteSingleSymbolCode(out, 4, 0); }
void SinglePosition0ThenABBA(BitWriter& out) { SinglePosition0(out); SymbolsABBA(out); }
void LitLenAB(BitWriter& out) { LitLenOneBit(out, {'A', 'B'}); }

// Damage in the code-length code, then single 'A' and position 0.
DamageCase InCodeLengths(const char* label, Writer damaged) {
  return Framed(label, Nothing, damaged, SingleAAndPosition0, "AAAA");
}
// Damage up to the literal/length code's end, then single position 0: a failed build leaves the
// zero table.
DamageCase InLitLen(const char* label, Writer damaged) {
  return Framed(label, Nothing, damaged, SinglePosition0, kZeros);
}
// The same where the damaged value is cut back and the code of 'A' and 'B' still builds.
DamageCase InLitLenKeepingAB(const char* label, Writer damaged) {
  return Framed(label, Nothing, damaged, SinglePosition0ThenABBA, "ABBA");
}
// 'A' and 'B' at 1 bit, then damage in the position code, then A B B A.
DamageCase InPosition(const char* label, Writer damaged) {
  return Framed(label, LitLenAB, damaged, SymbolsABBA, "ABBA");
}

TEST(LzhDecoderDamage, DamagedStreamsFailButProduceTheCount) {
  const DamageCase cases[] = {
      InLitLen("literal/length over-full (three 1-bit codes)",
               [](BitWriter& out) { LitLenOneBit(out, {'A', 'B', 'C'}); }),
      InLitLen("literal/length incomplete (one 1-bit code alone)",
               [](BitWriter& out) { LitLenOneBit(out, {'A'}); }),
      InLitLen("literal/length all zero (count 3: code-length symbol 0 three times)",
               [](BitWriter& out) {
                 WriteCodeLengthCode(out, FullCodeLengthCodeLengths());
                 out.Put(3, 9);
                 out.Put(0, 3 * 4);
               }),
      InCodeLengths("code-length over-full (three 1-bit codes)",
                    [](BitWriter& out) { WriteCodeLengthCode(out, {1, 1, 1}); }),
      InLitLen("code-length incomplete, then literal/length count 2 read through the empty table",
               [](BitWriter& out) { WriteCodeLengthCode(out, {0, 0, 0, 2, 2, 2}); out.Put(2, 9); }),
      InCodeLengths("code-length all zero (count 5; five zero lengths and a zero-run field of 0)",
                    [](BitWriter& out) { out.Put(5, 5); out.Put(0, 5 * 3 + 2); }),
      InPosition("position over-full",
                 [](BitWriter& out) { WritePositionLengths(out, {1, 1, 1}); }),
      InPosition("position incomplete",
                 [](BitWriter& out) { WritePositionLengths(out, {0, 0, 0, 0, 0, 0, 0, 1}); }),
      InPosition("position all zero (count 2)",
                 [](BitWriter& out) { out.Put(2, 4); out.Put(0, 6); }),
      InCodeLengths("code-length count 20 (one more than 19): 19 lengths read",
                    [](BitWriter& out) { WriteCodeLengthCode(out, FullCodeLengthCodeLengths(), 20); }),
      InPosition("position count 15: 14 lengths read",
                 [](BitWriter& out) {
                   WritePositionLengths(out, {3, 3, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4}, 15);
                 }),
      InLitLenKeepingAB("literal/length count 511: 510 lengths read",
                        [](BitWriter& out) { LitLenOneBit(out, {'A', 'B'}, 511); }),
      InLitLenKeepingAB("long zero run past the last length (531 zeros from 67)",
                        [](BitWriter& out) { LitLenABThenLongRun(out, 511); }),
      InLitLenKeepingAB("short zero run past the last length (18 zeros from 500)",
                        [](BitWriter& out) {
                          LitLenABThenLongRun(out, 413);  // 433 zeros: 67..499
                          out.PutSymbol(MakeCanonicalCode(FullCodeLengthCodeLengths()), 1);
                          out.Put(15, 4);
                        }),
      InCodeLengths("single code-length symbol 19",
                    [](BitWriter& out) { WriteSingleSymbolCode(out, 5, 19); }),
      InLitLen("single code-length symbol 31, then literal/length count 4 read through the zeros",
               [](BitWriter& out) { WriteSingleSymbolCode(out, 5, 31); out.Put(4, 9); }),
      {"single position symbol 14",
       [](BitWriter& out) { WriteSingleSymbolCodes(out, 0, 'A', 14); }, "AAAA"},
      {"single literal/length symbol 510",
       [](BitWriter& out) { WriteSingleSymbolCodes(out, 0, 510, 0); }, kZeros},
      InCodeLengths("code-length length 17 (111, ten 1 bits, 0)",
                    [](BitWriter& out) { CodeLengths3(out, 17); }),
      InCodeLengths("code-length length 20 (111 and thirteen 1 bits: 16 bits consumed)",
                    [](BitWriter& out) { CodeLengths3(out, 20); }),
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
