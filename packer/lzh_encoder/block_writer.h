// Writes one block of the -lh5- stream: its header (the three codes) and its symbols. Host only.
#pragma once

#include <cstdint>

#include "packer/lzh_encoder/bit_writer.h"
#include "packer/lzh_encoder/lzh_format.h"

namespace lzh {

// The codes of one block and its exact size, computed before anything is written.
struct BlockPlan {
  uint32_t SymbolCount = 0;
  uint8_t LitLenLengths[kLitLenSymbols] = {};
  uint8_t PositionLengths[kPositionSymbols] = {};
  uint8_t CodeLenLengths[kCodeLenSymbols] = {};
  int LitLenSingle = -1;  // the symbol of a single-symbol code, or -1
  int PositionSingle = -1;
  int CodeLenSingle = -1;
  uint64_t HeaderBits = 0;
  uint64_t BodyBits = 0;
};

// Symbol frequencies of a run of tokens.
struct BlockFrequencies {
  uint32_t LitLen[kLitLenSymbols] = {};
  uint32_t Position[kPositionSymbols] = {};
};

void CountFrequencies(const Token* tokens, uint32_t count, BlockFrequencies& freqs);

// Chooses the three codes for tokens[0..count-1] (1 <= count <= 65535) and measures the block.
void PlanBlock(const Token* tokens, uint32_t count, BlockPlan& plan);

// The same from frequencies already counted.
void PlanBlockFromFrequencies(const BlockFrequencies& freqs, uint32_t count, BlockPlan& plan);

// Writes the planned block for the same tokens.
void WriteBlock(const BlockPlan& plan, const Token* tokens, BitWriter& out);

}  // namespace lzh
