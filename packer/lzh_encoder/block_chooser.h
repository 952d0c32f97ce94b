// Chooses where the blocks of an optimally parsed segment begin and end. Host only.
#pragma once

#include <cstdint>
#include <vector>

#include "packer/lzh_encoder/lzh_format.h"

namespace lzh {

// Chooses block sizes (in tokens) for tokens[0..count-1] so that the blocks, each written with
// codes of its own, measure fewest bits. Blocks begin near boundaries of pieces of about
// pieceTokens tokens (longer when there would be more than 16 per candidate), chosen among the
// `candidates` pieces that remain after merging. Appends the sizes in order: each is 1..65535 and
// they sum to count. Assumes count, pieceTokens, candidates >= 1.
void ChooseBlocks(const Token* tokens, uint32_t count, uint32_t pieceTokens, uint32_t candidates,
                  std::vector<uint32_t>& sizes);

}  // namespace lzh
