// The block-Huffman LZ decoder for compressed payload entries (the -lh5- stream: LZ77 over an
// 8,192-byte window, canonical Huffman codes sent at the head of each block). Portable: it performs
// no input or output and includes no platform header. All state is one process-wide record.
//
// Calling order for one entry: clear DecodeFailed, DecodeStart(data, storedSize), then DecodeChunk
// until the unpacked size has been produced, testing DecodeFailed after each call. Every chunk but
// the entry's last must be exactly kDecodeWindowSize bytes. DecodeEntry (decode_entry.h) does this.
#pragma once

#include <cstdint>

#include "archive/lzh_format.h"

constexpr uint32_t kWindowMask = kDecodeWindowSize - 1;
constexpr int kLitLenTableBits = 12;
constexpr int kSmallTableBits = 8;
constexpr int kTreeNodes = 2 * kLitLenSymbols - 1;  // 1019, shared by the three codes
constexpr uint32_t kLzhTreeEntry = 0x80000000u;  // table entry flag: walk the tree (see LzhDecoder)

// The look-ahead word: as wide as a register, so 64 bits on x86-64 and 32 bits on i686. The tests
// also build the 32-bit form on x86-64 (KPX_LZH_NARROW_LOOKAHEAD), where it can run.
#if UINTPTR_MAX > 0xFFFFFFFFu && !defined(KPX_LZH_NARROW_LOOKAHEAD)
using LzhBitWord = uint64_t;
#else
using LzhBitWord = uint32_t;
#endif

// The bit reader. Buffer holds Count (0..width-1) not yet consumed bits, left-aligned (the next
// bit is the most significant). The bits below them are either zero or the leading bits of *Next,
// the next byte not yet taken in, so a refill may OR that byte in again. Bytes at or past End
// read as 0, leave Next where it is and add their 8 bits to the decoder's PastEnd.
struct LzhBitReader {
  const uint8_t* Next;
  const uint8_t* End;
  LzhBitWord Buffer;
  uint32_t Count;
};

struct LzhDecoder {
  LzhBitReader Bits;
  // Zero bits taken in from beyond the stored bytes; it stops growing once it exceeds any Count.
  // The stream has been read beyond its end once PastEnd > Bits.Count. Kept out of the bit
  // reader, which the fast loop copies into registers.
  uint32_t PastEnd;
  // Block and match state
  uint32_t BlockRemaining;
  uint32_t CopyRemaining;  // bytes of a match cut off by the end of the last chunk
  uint32_t CopyPosition;   // where they continue in the window
  // Codes of the current block. A table entry holds its raw value (a symbol, or a tree node for
  // codes longer than the table) in the low 16 bits; for a symbol of the code that uses the
  // table, also the symbol's code length at bit 16, else kLzhTreeEntry.
  uint8_t LitLenLengths[kLitLenSymbols];
  uint8_t SmallLengths[kCodeLenSymbols];
  uint32_t LitLenTable[1 << kLitLenTableBits];
  uint32_t SmallTable[1 << kSmallTableBits];
  uint16_t TreeLeft[kTreeNodes];
  uint16_t TreeRight[kTreeNodes];
};

extern LzhDecoder Lzh;
// The dictionary, and the buffer each chunk is decoded into (positions 0..count-1).
extern uint8_t DecodeWindow[kDecodeWindowSize];
// 0 or 1; 1 once the current entry's stream was found damaged: an over-full or incomplete code,
// or a value beyond the format's arrays (a count above the code's symbols, a zero run past the
// last length, a single symbol beyond its code, a length above 16, a tree walk that does not end
// in a symbol), or a chunk that leaves more bits consumed than the stored bytes hold. The caller
// clears it before DecodeStart and tests it after every DecodeChunk.
extern int DecodeFailed;

// Begins one entry: input is its stored bytes (kept in place by the caller until the entry's last
// DecodeChunk), storedSize their number. Does not touch DecodeFailed.
void DecodeStart(const uint8_t* input, uint32_t storedSize);

// Produces the next count (1..8192; more is cut to 8192) bytes of the entry into
// window[0..count-1]; window is DecodeWindow. Sets DecodeFailed on a damaged stream but always
// produces count bytes. Bits past the stored bytes read as 0, and using any of them is damage: a
// stream cut short, or an unpacked size larger than the stream holds.
void DecodeChunk(uint32_t count, uint8_t* window);
