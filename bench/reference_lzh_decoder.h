// The reference form of the block-Huffman LZ decoder: the plain implementation, one procedure per
// syntax element, a 16-bit look-ahead filled a byte at a time, one output byte at a time. The
// decoding bench times the program's decoder (archive/lzh_decoder.h) against it; both link into
// one binary, so this one lives in namespace reference with its own record,
// window and flag. Same calling order and contract as the program's decoder.
#pragma once

#include <cstdint>

#include "archive/lzh_decoder.h"  // the format's quantities

namespace reference {

struct LzhDecoder {
  // Bit reader
  const uint8_t* InputBase;
  uint32_t InputSize;
  uint32_t InputIndex;
  uint16_t BitBuffer;  // next 16 unconsumed bits, next bit in the most significant position
  uint32_t PendingByte;
  int32_t PendingBits;
  uint64_t ConsumedBits;  // since DecodeStart; more than 8 * InputSize is damage
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
extern uint8_t DecodeWindow[kDecodeWindowSize];
extern int DecodeFailed;

// Begins one entry: input is its stored bytes (kept in place by the caller until the entry's last
// DecodeChunk), storedSize their number. Does not touch DecodeFailed.
void DecodeStart(const uint8_t* input, uint32_t storedSize);

// Produces the next count (1..8192) bytes of the entry into window[0..count-1]. Sets
// DecodeFailed on an invalid code but always produces count bytes.
void DecodeChunk(uint32_t count, uint8_t* window);

// Returns the record, the window and the flag to their state at program start (all zero).
void Reset();

}  // namespace reference
