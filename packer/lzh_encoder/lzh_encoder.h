// The -lh5- encoder: bytes in, a compressed stream out that the program's decoder reads. Host only.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace lzh {

enum class ParseStrategy { Greedy, Lazy, Optimal };

struct EncoderSettings {
  ParseStrategy Strategy;
  int ChainDepth;       // match candidates examined per position
  int NiceLength;       // a match this long ends the search
  int Passes;           // optimal parse: parses per segment, each priced by the one before
  int PieceTokens;      // optimal parse: blocks begin on boundaries of pieces of this many tokens
  int BlockCandidates;  // optimal parse: the pieces are merged down to this many, then grouped
};

// Level 1 fastest (greedy), 2-4 lazy, 5 default and up optimal; 9 strongest.
EncoderSettings SettingsForLevel(int level);

// Called after each segment with the number of input bytes encoded so far.
using EncodeProgress = std::function<void(uint32_t bytesDone)>;

// Compresses data[0..size-1]. The stream's matches never reach before data[0], every block has
// 1 to 65535 symbols, no code is longer than 16 bits, and a code with one used symbol is sent in
// the single-symbol form. An empty input gives an empty stream.
std::vector<uint8_t> EncodeLzh(const uint8_t* data, uint32_t size, const EncoderSettings& settings,
                               const EncodeProgress& progress = nullptr);

}  // namespace lzh
