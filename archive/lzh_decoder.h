// The block-Huffman LZ decoder for compressed payload entries (the -lh5- stream: LZ77 over an
// 8,192-byte window, canonical Huffman codes sent at the head of each block). Portable: it performs
// no input or output and includes no platform header. All state is one process-wide record.
//
// Calling order for one entry: clear DecodeFailed, DecodeStart(data, storedSize), then DecodeChunk
// until the unpacked size has been produced, testing DecodeFailed after each call. Every chunk but
// the entry's last must be exactly kDecodeWindowSize bytes.
#pragma once

#include <cstdint>

constexpr uint32_t kDecodeWindowSize = 8192;
constexpr uint32_t kWindowMask = kDecodeWindowSize - 1;
constexpr int kLitLenSymbols = 510;    // 0..255 literals, 256..509 match lengths 3..256
constexpr int kCodeLenSymbols = 19;    // code-length code
constexpr int kPositionSymbols = 14;   // position classes 0..13
constexpr int kMaxCodeLength = 16;
constexpr int kLitLenTableBits = 12;
constexpr int kSmallTableBits = 8;
constexpr int kTreeNodes = 2 * kLitLenSymbols - 1;  // 1019, shared by the three codes

struct LzhDecoder {
  // Bit reader
  const uint8_t* InputBase;
  uint32_t InputSize;
  uint32_t InputIndex;
  uint16_t BitBuffer;  // next 16 unconsumed bits, next bit in the most significant position
  uint32_t PendingByte;
  int32_t PendingBits;
  // Block and match state
  uint32_t BlockRemaining;
  int32_t CopyRemaining;
  uint32_t CopyPosition;
  // Codes of the current block
  uint8_t LitLenLengths[kLitLenSymbols];
  uint32_t LitLenTable[1 << kLitLenTableBits];
  uint8_t SmallLengths[kCodeLenSymbols];
  uint32_t SmallTable[1 << kSmallTableBits];
  uint32_t TreeLeft[kTreeNodes];
  uint32_t TreeRight[kTreeNodes];
};

extern LzhDecoder Lzh;
// The dictionary, and the buffer each chunk is decoded into (positions 0..count-1).
extern uint8_t DecodeWindow[kDecodeWindowSize];
// 0 or 1; 1 once the current entry's stream was found damaged: an over-full or incomplete code,
// or a value beyond the format's arrays (a count above the code's symbols, a zero run past the
// last length, a single symbol beyond its code, a length above 16, a tree walk that does not end
// in a symbol). The caller clears it before DecodeStart and tests it after every DecodeChunk.
extern int DecodeFailed;

// Begins one entry: input is its stored bytes (kept in place by the caller until the entry's last
// DecodeChunk), storedSize their number. Does not touch DecodeFailed.
void DecodeStart(const uint8_t* input, uint32_t storedSize);

// Produces the next count (1..8192; more is cut to 8192) bytes of the entry into
// window[0..count-1]; window is DecodeWindow. Sets DecodeFailed on a damaged stream but always
// produces count bytes. Bits past the stored bytes read as 0.
void DecodeChunk(uint32_t count, uint8_t* window);
