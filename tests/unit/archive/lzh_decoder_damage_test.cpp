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
const Frame kInLitLenKeepingAB{
    Nothing, [](BitWriter& out) { SinglePosition0(out); SymbolsABBA(out); }, "ABBA"};
// 'A' and 'B' at 1 bit, then damage in the position code, then A B B A.
const Frame kInPosition{[](BitWriter& out) { LitLenOneBit(out, {'A', 'B'}); }, SymbolsABBA, "ABBA"};
// The damage is the whole header.
const Frame kWhole{Nothing, Nothing, std::string(4, '\0')};

struct DamageCase {
  const char* Label;
  const Frame& Around;
  Writer Damaged;  // the header after the 16-bit symbol count, or the part of it in Around
};

TEST(LzhDecoderDamage, DamagedStreamsFailButProduceTheCount) {
  const DamageCase cases[] = {
      {"literal/length over-full (three 1-bit codes)", kInLitLen,
       [](BitWriter& out) { LitLenOneBit(out, {'A', 'B', 'C'}); }},
      {"literal/length incomplete (one 1-bit code alone)", kInLitLen,
       [](BitWriter& out) { LitLenOneBit(out, {'A'}); }},
      {"code-length over-full (three 1-bit codes)", kInCodeLengths,
       [](BitWriter& out) { WriteCodeLengthCode(out, {1, 1, 1}); }},
      {"code-length incomplete, then literal/length count 2 read through the empty table",
       kInLitLen, [](BitWriter& out) { WriteCodeLengthCode(out, {0, 0, 0, 2, 2, 2}); out.Put(2, 9); }},
      {"position incomplete", kInPosition,
       [](BitWriter& out) { WritePositionLengths(out, {0, 0, 0, 0, 0, 0, 0, 1}); }},
      {"code-length count 20 (one more than 19): 19 lengths read", kInCodeLengths,
       [](BitWriter& out) { WriteCodeLengthCode(out, FullCodeLengthCodeLengths(), 20); }},
      {"literal/length count 511: 510 lengths read", kInLitLenKeepingAB,
       [](BitWriter& out) { LitLenOneBit(out, {'A', 'B'}, 511); }},
      {"long zero run past the last length (531 zeros from 67)", kInLitLenKeepingAB,
       LitLenABThenLongRun},
      {"single code-length symbol 19", kInCodeLengths,
       [](BitWriter& out) { WriteSingleSymbolCode(out, 5, 19); }},
      {"single literal/length symbol 510", kWhole,
       [](BitWriter& out) { WriteSingleSymbolCodes(out, 0, 510, 0); }},
      {"code-length length 17 (111, ten 1 bits, 0)", kInCodeLengths,
       [](BitWriter& out) { CodeLengths3(out, 17); }},
      {"code-length length 20 (111 and thirteen 1 bits: 16 bits consumed)", kInCodeLengths,
       [](BitWriter& out) { CodeLengths3(out, 20); }},
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
