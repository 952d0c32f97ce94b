// The -lh5- encoder: bytes in, a compressed stream out that the program's decoder reads. Host only.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "packer/lzh_encoder/bit_writer.h"
#include "packer/lzh_encoder/lzh_format.h"

namespace lzh {

enum class ParseStrategy { Greedy, Lazy, Optimal };

struct EncoderSettings {
  ParseStrategy Strategy;
  int ChainDepth;       // match candidates examined per position
  int NiceLength;       // a match this long ends the search
  int FirstPasses;      // optimal parse: parses of a piece's first segment, each priced by the
                        // one before (the first by the literals' shares)
  int Passes;           // optimal parse: parses of each later segment, the first priced by the
                        // codes of the segment before
  int PieceTokens;      // optimal parse: blocks begin on boundaries of pieces of this many tokens
  int BlockCandidates;  // optimal parse: the pieces are merged down to this many, then grouped
};

// Level 1 fastest (greedy), 2-4 lazy, 5 default and up optimal; 9 strongest.
EncoderSettings SettingsForLevel(int level);

// Called after each segment with the number of input bytes encoded so far.
using EncodeProgress = std::function<void(uint32_t bytesDone)>;

// An entry's stream is made of pieces of kPieceBytes input bytes (the last one shorter), each
// whole blocks encoded on its own, so that pieces can be encoded in parallel and the stream is the
// same bytes however they were scheduled. A multiple of the window, so that a piece starts where
// the decoder starts a chunk.
constexpr uint32_t kPieceBytes = uint32_t(1) << 20;
static_assert(kPieceBytes % kWindowSize == 0, "pieces start on chunk boundaries");

// How many bytes before the piece at offset begin its matches may reach into.
inline uint32_t PieceHistory(uint32_t begin) {
  return begin < uint32_t(kWindowSize) ? begin : uint32_t(kWindowSize);
}

// One piece's stream: BitCount bits in Bytes, the last byte filled up with zero bits.
struct StreamPiece {
  std::vector<uint8_t> Bytes;
  uint64_t BitCount = 0;
};

// Encodes piece[0..size-1], whose matches may reach back into piece[-history..-1]; progress gets
// the bytes of the piece encoded so far.
StreamPiece EncodePiece(const uint8_t* piece, uint32_t history, uint32_t size,
                        const EncoderSettings& settings, const EncodeProgress& progress = nullptr);

// Appends the piece's bits to out, where the previous piece ended.
void AppendPiece(const StreamPiece& piece, BitWriter& out);

// Compresses data[0..size-1] piece by piece. The stream's matches never reach before data[0], every block has
// 1 to 65535 symbols, no code is longer than 16 bits, and a code with one used symbol is sent in
// the single-symbol form. An empty input gives an empty stream.
std::vector<uint8_t> EncodeLzh(const uint8_t* data, uint32_t size, const EncoderSettings& settings,
                               const EncodeProgress& progress = nullptr);

}  // namespace lzh
