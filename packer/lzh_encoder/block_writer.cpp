// Writes one block of the -lh5- stream: its header (the three codes) and its symbols. Host only.
//
// Format notes
// ------------
// symbol count (16) | code-length code | literal/length code | position code | symbols.
// A small code (code-length, position) is a count (5 or 4 bits) and that many lengths, each 0..6 in
// three bits or 7 + k as 111, k one bits and a zero bit; after the third code-length length comes a
// 2-bit count of further zero lengths (also when the count is 3). A count of 0 is followed by the
// single symbol (5 or 4 bits). The literal/length code is a 9-bit count and that many lengths sent
// as code-length symbols: 0 one zero, 1 + 4 bits 3..18 zeros, 2 + 9 bits 20..531 zeros, 3..18 the
// lengths 1..16; a count of 0 is followed by the single symbol in 9 bits. Lengths past a count are 0,
// so trailing zeros are never sent.
//
// A code with one used symbol must be sent in the single-symbol form: one length alone is an
// incomplete code, which the decoder rejects.
#include "packer/lzh_encoder/block_writer.h"

#include "packer/lzh_encoder/huffman_lengths.h"

namespace lzh {
namespace {

// Bits of one length in the 3-bit/unary form.
int LengthFieldBits(int length) {
  return length < kUnaryLengthStart ? kPlainLengthBits : length - kPlainLengthBits;
}

void WriteLengthField(int length, BitWriter& out) {
  if (length < kUnaryLengthStart) {
    out.Put(uint32_t(length), kPlainLengthBits);
    return;
  }
  out.Put(kUnaryLengthStart, kPlainLengthBits);
  int ones = length - kUnaryLengthStart;
  out.Put(((1u << ones) - 1) << 1, ones + 1);  // k one bits, then the closing zero
}

// Number of lengths to send: one past the last nonzero length.
int SentCount(const uint8_t* lengths, int count) {
  while (count > 0 && lengths[count - 1] == 0) --count;
  return count;
}

// The single used symbol of a set of lengths from BuildHuffmanLengths, or -1 when there are
// none or several.
int SingleSymbol(const uint8_t* lengths, int count) {
  int found = -1;
  for (int s = 0; s < count; ++s) {
    if (lengths[s] == 0) continue;
    if (found >= 0) return -1;
    found = s;
  }
  return found;
}

// Visits the lengths a small code sends: calls field(length) for each length field and
// run(z) for the zero-run field. Returns nothing; the caller counts or writes.
template <typename Field, typename Run>
void VisitSmallLengths(const uint8_t* lengths, int sent, int specialIndex, Field field, Run run) {
  for (int i = 0; i < sent;) {
    field(lengths[i++]);
    if (i == specialIndex) {
      int z = 0;
      while (z < kMaxZeroRun && i + z < sent && lengths[i + z] == 0) ++z;
      run(z);
      i += z;
    }
  }
}

uint64_t SmallCodeBits(const uint8_t* lengths, int count, int countBits, int specialIndex,
                       int single) {
  if (single >= 0 || SentCount(lengths, count) == 0) return 2 * uint64_t(countBits);
  uint64_t bits = uint64_t(countBits);
  VisitSmallLengths(
      lengths, SentCount(lengths, count), specialIndex,
      [&](int len) { bits += LengthFieldBits(len); }, [&](int) { bits += kZeroRunBits; });
  return bits;
}

void WriteSmallCode(const uint8_t* lengths, int count, int countBits, int specialIndex, int single,
                    BitWriter& out) {
  int sent = SentCount(lengths, count);
  if (single >= 0 || sent == 0) {
    out.Put(0, countBits);
    out.Put(uint32_t(single >= 0 ? single : 0), countBits);
    return;
  }
  out.Put(uint32_t(sent), countBits);
  VisitSmallLengths(
      lengths, sent, specialIndex, [&](int len) { WriteLengthField(len, out); },
      [&](int z) { out.Put(uint32_t(z), kZeroRunBits); });
}

// Visits the literal/length lengths as code-length items: calls item(symbol, extra) for each.
// Zero runs of 3 or more become run symbols (19 zeros as 18 + 1), shorter runs single zeros.
template <typename Item>
void VisitLitLenItems(const uint8_t* lengths, Item item) {
  int sent = SentCount(lengths, kLitLenSymbols);
  for (int i = 0; i < sent;) {
    if (lengths[i] != 0) {
      item(lengths[i++] + kLengthSymbolBase, 0);
      continue;
    }
    int run = 0;
    while (i + run < sent && lengths[i + run] == 0) ++run;
    i += run;
    while (run > 0) {
      if (run >= kLongRunMin) {
        int take = run < kLongRunMax ? run : kLongRunMax;
        item(kLongRunSymbol, take - kLongRunMin);
        run -= take;
      } else if (run >= kShortRunMin) {
        int take = run < kShortRunMax ? run : kShortRunMax;
        item(kShortRunSymbol, take - kShortRunMin);
        run -= take;
      } else {
        item(0, 0);
        --run;
      }
    }
  }
}

int ItemExtraBits(int symbol) {
  return symbol == kShortRunSymbol ? kShortRunBits : symbol == kLongRunSymbol ? kLongRunBits : 0;
}

// Plans the code-length code and the literal/length part of the header; returns its bits.
uint64_t PlanLitLenHeader(BlockPlan& plan) {
  uint32_t freqs[kCodeLenSymbols] = {};
  uint64_t extraBits = 0;
  VisitLitLenItems(plan.LitLenLengths, [&](int symbol, int) {
    freqs[symbol]++;
    extraBits += uint64_t(ItemExtraBits(symbol));
  });
  BuildHuffmanLengths(freqs, kCodeLenSymbols, kMaxCodeLength, plan.CodeLenLengths);
  plan.CodeLenSingle = SingleSymbol(plan.CodeLenLengths, kCodeLenSymbols);
  uint64_t bits = SmallCodeBits(plan.CodeLenLengths, kCodeLenSymbols, kCodeLenCountBits,
                                kZeroRunIndex, plan.CodeLenSingle);
  bits += kLitLenCountBits + extraBits;
  if (plan.CodeLenSingle < 0) {
    for (int s = 0; s < kCodeLenSymbols; ++s) bits += uint64_t(freqs[s]) * plan.CodeLenLengths[s];
  }
  return bits;
}

}  // namespace

void CountFrequencies(const Token* tokens, uint32_t count, BlockFrequencies& freqs) {
  for (uint32_t i = 0; i < count; ++i) {
    const Token& t = tokens[i];
    if (t.Length == 0) {
      freqs.LitLen[t.Value]++;
    } else {
      freqs.LitLen[t.Length + kMatchSymbolBase]++;
      freqs.Position[PositionClass(t.Value)]++;
    }
  }
}

void PlanBlockFromFrequencies(const BlockFrequencies& freqs, uint32_t count, BlockPlan& plan) {
  plan.SymbolCount = count;
  BuildHuffmanLengths(freqs.LitLen, kLitLenSymbols, kMaxCodeLength, plan.LitLenLengths);
  BuildHuffmanLengths(freqs.Position, kPositionSymbols, kMaxCodeLength, plan.PositionLengths);
  plan.LitLenSingle = SingleSymbol(plan.LitLenLengths, kLitLenSymbols);
  plan.PositionSingle = SingleSymbol(plan.PositionLengths, kPositionSymbols);
  plan.HeaderBits = kBlockCountBits;
  if (plan.LitLenSingle >= 0) {
    for (uint8_t& len : plan.CodeLenLengths) len = 0;
    plan.CodeLenSingle = 0;
    plan.HeaderBits += 2 * kCodeLenCountBits + 2 * kLitLenCountBits;
  } else {
    plan.HeaderBits += PlanLitLenHeader(plan);
  }
  plan.HeaderBits += SmallCodeBits(plan.PositionLengths, kPositionSymbols, kPositionCountBits, -1,
                                   plan.PositionSingle);
  uint64_t body = 0;
  if (plan.LitLenSingle < 0) {
    for (int s = 0; s < kLitLenSymbols; ++s)
      body += uint64_t(freqs.LitLen[s]) * plan.LitLenLengths[s];
  }
  for (int j = 0; j < kPositionSymbols; ++j) {
    int codeBits = plan.PositionSingle >= 0 ? 0 : plan.PositionLengths[j];
    body += uint64_t(freqs.Position[j]) * (codeBits + PositionExtraBits(j));
  }
  plan.BodyBits = body;
}

void PlanBlock(const Token* tokens, uint32_t count, BlockPlan& plan) {
  BlockFrequencies freqs;
  CountFrequencies(tokens, count, freqs);
  PlanBlockFromFrequencies(freqs, count, plan);
}

// Writes the header of a planned block.
static void WriteBlockHeader(const BlockPlan& plan, BitWriter& out) {
  out.Put(plan.SymbolCount, kBlockCountBits);
  WriteSmallCode(plan.CodeLenLengths, kCodeLenSymbols, kCodeLenCountBits, kZeroRunIndex,
                 plan.CodeLenSingle, out);
  if (plan.LitLenSingle >= 0) {
    out.Put(0, kLitLenCountBits);
    out.Put(uint32_t(plan.LitLenSingle), kLitLenCountBits);
  } else {
    uint16_t codes[kCodeLenSymbols] = {};
    AssignCanonicalCodes(plan.CodeLenLengths, kCodeLenSymbols, codes);
    out.Put(uint32_t(SentCount(plan.LitLenLengths, kLitLenSymbols)), kLitLenCountBits);
    VisitLitLenItems(plan.LitLenLengths, [&](int symbol, int extra) {
      if (plan.CodeLenSingle < 0) out.Put(codes[symbol], plan.CodeLenLengths[symbol]);
      out.Put(uint32_t(extra), ItemExtraBits(symbol));
    });
  }
  WriteSmallCode(plan.PositionLengths, kPositionSymbols, kPositionCountBits, -1,
                 plan.PositionSingle, out);
}

void WriteBlock(const BlockPlan& plan, const Token* tokens, BitWriter& out) {
  WriteBlockHeader(plan, out);
  uint16_t litLenCodes[kLitLenSymbols] = {};
  uint16_t positionCodes[kPositionSymbols] = {};
  AssignCanonicalCodes(plan.LitLenLengths, kLitLenSymbols, litLenCodes);
  AssignCanonicalCodes(plan.PositionLengths, kPositionSymbols, positionCodes);
  bool litLenBits = plan.LitLenSingle < 0, positionBits = plan.PositionSingle < 0;
  for (uint32_t i = 0; i < plan.SymbolCount; ++i) {
    const Token& t = tokens[i];
    int symbol = t.Length == 0 ? t.Value : t.Length + kMatchSymbolBase;
    if (litLenBits) out.Put(litLenCodes[symbol], plan.LitLenLengths[symbol]);
    if (t.Length == 0) continue;
    int j = PositionClass(t.Value);
    if (positionBits) out.Put(positionCodes[j], plan.PositionLengths[j]);
    int extra = PositionExtraBits(j);
    out.Put(t.Value & ((1u << extra) - 1), extra);
  }
}

}  // namespace lzh
