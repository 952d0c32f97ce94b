// Length-limited Huffman code lengths and canonical codes. Host only.
//
// Algorithm
// ---------
// Plain Huffman over the used symbols with the two-queue method (leaves sorted by frequency, merged
// nodes arrive in non-decreasing order). When the deepest leaf exceeds the limit, the frequencies
// are flattened (halved, rounded up to at least 1) and the tree is built again; this converges
// because equal frequencies give a balanced tree, and codes of at most 510 symbols need 9 bits.
#include "packer/lzh_encoder/huffman_lengths.h"

#include <algorithm>
#include <vector>

namespace lzh {
namespace {

// Builds an unlimited Huffman tree over the used symbols and stores each leaf's depth in lengths.
// Returns the largest depth. Assumes at least two used symbols.
int BuildUnlimited(const std::vector<uint32_t>& freqs, const std::vector<int>& symbols,
                   uint8_t* lengths) {
  int leaves = int(symbols.size());
  std::vector<int> order(leaves);
  for (int i = 0; i < leaves; ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return freqs[a] < freqs[b]; });
  // Nodes 0..leaves-1 are leaves (in sorted order), leaves.. are merged nodes.
  std::vector<uint64_t> weight(2 * leaves);
  std::vector<int> parent(2 * leaves, -1);
  for (int i = 0; i < leaves; ++i) weight[i] = freqs[order[i]];
  int nextLeaf = 0, nextMerged = leaves, created = leaves;
  auto takeSmallest = [&]() {
    if (nextLeaf < leaves && (nextMerged >= created || weight[nextLeaf] <= weight[nextMerged]))
      return nextLeaf++;
    return nextMerged++;
  };
  while (created < 2 * leaves - 1) {
    int a = takeSmallest(), b = takeSmallest();
    weight[created] = weight[a] + weight[b];
    parent[a] = parent[b] = created++;
  }
  std::vector<int> depth(2 * leaves, 0);
  int maxDepth = 0;
  for (int n = 2 * leaves - 3; n >= 0; --n) depth[n] = depth[parent[n]] + 1;
  for (int i = 0; i < leaves; ++i) {
    lengths[symbols[order[i]]] = uint8_t(depth[i]);
    maxDepth = std::max(maxDepth, depth[i]);
  }
  return maxDepth;
}

}  // namespace

void BuildHuffmanLengths(const uint32_t* freqs, int count, int maxLength, uint8_t* lengths) {
  std::vector<int> symbols;
  std::vector<uint32_t> used;
  for (int s = 0; s < count; ++s) {
    lengths[s] = 0;
    if (freqs[s] != 0) {
      symbols.push_back(s);
      used.push_back(freqs[s]);
    }
  }
  if (symbols.empty()) return;
  if (symbols.size() == 1) {
    lengths[symbols[0]] = 1;
    return;
  }
  while (BuildUnlimited(used, symbols, lengths) > maxLength) {
    for (uint32_t& f : used) f = (f + 1) / 2;  // flatten; stays >= 1
  }
}

void AssignCanonicalCodes(const uint8_t* lengths, int count, uint16_t* codes) {
  int perLength[17] = {0};
  for (int s = 0; s < count; ++s) perLength[lengths[s]]++;
  perLength[0] = 0;
  uint32_t next[17] = {0};
  uint32_t code = 0;
  for (int len = 1; len <= 16; ++len) {
    code = (code + perLength[len - 1]) << 1;
    next[len] = code;
  }
  for (int s = 0; s < count; ++s) {
    if (lengths[s] != 0) codes[s] = uint16_t(next[lengths[s]]++);
  }
}

}  // namespace lzh
