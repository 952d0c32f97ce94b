// The quantities of the -lh5- stream as the encoder sees them. Host only. Every number comes from
// the format's one header (archive/lzh_format.h), so the two sides cannot drift.
//
// Format notes
// ------------
// A stream is a sequence of blocks with no alignment and no end marker; bits are written most
// significant first. A block is: a 16-bit symbol count (1..65535 here); the code-length code (5-bit
// count, lengths in the 3-bit/unary form, a 2-bit zero-run field after the third length); the
// 9-bit count and lengths of the literal/length code, coded with the code-length code; the 4-bit
// count and lengths of the position code (no zero-run field); then the symbols. A count of 0 in any
// of the three code headers is followed by the one symbol of a single-symbol code, which then costs
// no bits per use.
#pragma once

#include <cstdint>

#include "archive/lzh_decoder.h"

namespace lzh {

using ::kCodeLenSymbols;
using ::kLitLenSymbols;  // 0..255 literals, 256..509 lengths 3..256
using ::kMaxCodeLength;
using ::kPositionSymbols;  // classes 0..13

constexpr int kWindowSize = int(kDecodeWindowSize);  // farthest reach of a match
constexpr int kMinMatch = int(kMinMatchLength);
constexpr int kMaxMatch = int(kMaxMatchLength);
constexpr int kLiteralSymbols = int(kFirstMatchSymbol);
constexpr int kMatchSymbolBase = int(kMatchLengthBias);       // symbol = length + 253
constexpr int kMaxBlockSymbols = (1 << kBlockCountBits) - 1;  // 0 would mean "to the end"

using ::kBlockCountBits;
using ::kCodeLenCountBits;
using ::kLitLenCountBits;
using ::kPositionCountBits;
using ::kZeroRunBits;  // after the third code-length length
constexpr int kZeroRunIndex = kZeroRunAfterIndex;
constexpr int kMaxZeroRun = (1 << kZeroRunBits) - 1;
constexpr int kPlainLengthBits = kLengthFieldBits;  // lengths 0..6; 7+ continue in unary
constexpr int kUnaryLengthStart = int(kUnaryLength);

// Code-length code symbols: 0 one zero length, 1 a run of 3..18 zeros (4 bits), 2 a run of
// 20..531 zeros (9 bits), 3..18 the lengths 1..16.
constexpr int kShortRunSymbol = int(kShortZeroRun);
constexpr int kShortRunBits = kShortZeroRunBits;
constexpr int kShortRunMin = int(kShortZeroRunBase);
constexpr int kShortRunMax = kShortRunMin + (1 << kShortRunBits) - 1;
constexpr int kLongRunSymbol = int(kLongZeroRun);
constexpr int kLongRunBits = kLongZeroRunBits;
constexpr int kLongRunMin = int(kLongZeroRunBase);
constexpr int kLongRunMax = kLongRunMin + (1 << kLongRunBits) - 1;
constexpr int kLengthSymbolBase = int(kCodeLenBias);  // code-length symbol = length + 2

// Position class of a match position d (distance d + 1): 0 for d = 0, else the bit length of d.
inline int PositionClass(uint32_t d) { return d == 0 ? 0 : 32 - __builtin_clz(d); }
// Extra bits after the position class: class - 1 for classes 2 and up.
inline int PositionExtraBits(int positionClass) {
  return positionClass >= 2 ? positionClass - 1 : 0;
}

// One step of a parse: a literal (Length 0, Value the byte) or a match (Length 3..256, Value the
// position d, the match starting d + 1 bytes back).
struct Token {
  uint16_t Length;
  uint16_t Value;
};

}  // namespace lzh
