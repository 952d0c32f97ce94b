// The quantities of the -lh5- stream: alphabets, field widths, the code-length code's own symbols
// and the position classes. The one home of these numbers: the decoder, the encoder and the
// reference decoder of the bench include it, so that the sides cannot drift. Portable.
#pragma once

#include <cstdint>

constexpr uint32_t kDecodeWindowSize = 8192;  // the dictionary; a match reaches at most this far
constexpr int kLitLenSymbols = 510;           // 0..255 literals, 256..509 match lengths 3..256
constexpr int kCodeLenSymbols = 19;           // code-length code
constexpr int kPositionSymbols = 14;          // position classes 0..13
constexpr int kMaxCodeLength = 16;

// Block header fields, in stream order.
constexpr int kBlockCountBits = 16;
constexpr int kCodeLenCountBits = 5;
constexpr int kLitLenCountBits = 9;
constexpr int kPositionCountBits = 4;
constexpr int kZeroRunAfterIndex = 3;  // the code-length code's zero-run field follows length 3
constexpr int kZeroRunBits = 2;
constexpr int kLengthFieldBits = 3;   // small-code length: 0..6 in 3 bits, 7 and up in unary
constexpr uint32_t kUnaryLength = 7;  // the 3-bit value that announces the unary extension

// Literal/length symbols: 0..255 a literal byte, 256 + k a match of k + 3 bytes.
constexpr uint32_t kMinMatchLength = 3;
constexpr uint32_t kMaxMatchLength = 256;
constexpr uint32_t kFirstMatchSymbol = 256;
constexpr uint32_t kMatchLengthBias = kFirstMatchSymbol - kMinMatchLength;  // 253

// Code-length code symbols with a meaning of their own; 3..18 stand for the lengths 1..16.
constexpr uint32_t kZeroLength = 0;
constexpr uint32_t kShortZeroRun = 1;  // 4 bits + 3 zero lengths
constexpr int kShortZeroRunBits = 4;
constexpr uint32_t kShortZeroRunBase = 3;
constexpr uint32_t kLongZeroRun = 2;  // 9 bits + 20 zero lengths
constexpr int kLongZeroRunBits = 9;
constexpr uint32_t kLongZeroRunBase = 20;
constexpr uint32_t kCodeLenBias = 2;  // symbol t >= 3 is the length t - 2

// Position classes. Distance d + 1 of class j: d is 0 for class 0, else 2^(j-1) plus j - 1 extra
// bits.
constexpr int kMaxExtraBits = kPositionSymbols - 2;  // class 13: 12 bits
constexpr uint32_t kClassBase[kPositionSymbols] = {1,  2,   3,   5,   9,    17,   33,
                                                   65, 129, 257, 513, 1025, 2049, 4097};
constexpr uint8_t kClassExtraBits[kPositionSymbols] = {0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
