// Length-limited Huffman code lengths and canonical codes. Host only.
//
// Algorithm
// ---------
// Plain Huffman over the used symbols with the two-queue method (leaves sorted by frequency, merged
// nodes arrive in non-decreasing order). When the deepest leaf exceeds the limit, the frequencies
// are flattened (halved, rounded up to at least 1) and the tree is built again; this converges
// because equal frequencies give a balanced tree, and codes of at most 510 symbols need 9 bits.
//
// Optimizations
// -------------
// The block chooser builds thousands of codes per segment. The leaves are packed (frequency,
// symbol) keys in fixed arrays, sorted by a radix sort over the frequency's bytes (two passes
// for a block's frequencies), with no allocation. Packed keys in symbol order make the radix
// sort, and the plain sort after flattening, give the order of a stable sort by frequency.
#include "packer/lzh_encoder/huffman_lengths.h"

#include <algorithm>

namespace lzh {
namespace {

constexpr int kMaxSymbols = 510;

// Builds an unlimited Huffman tree over leaves keys[0..leaves-1] (frequency << 16 | symbol, sorted
// ascending) and stores each leaf's depth in lengths. Returns the largest depth. Assumes at least
// two leaves.
int BuildUnlimited(const uint64_t* keys, int leaves, uint8_t* lengths) {
  // Nodes 0..leaves-1 are leaves (in sorted order), leaves.. are merged nodes.
  uint64_t weight[2 * kMaxSymbols];
  int parent[2 * kMaxSymbols];
  for (int i = 0; i < leaves; ++i) weight[i] = keys[i] >> 16;
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
  int depth[2 * kMaxSymbols];
  depth[2 * leaves - 2] = 0;
  int maxDepth = 0;
  for (int n = 2 * leaves - 3; n >= 0; --n) depth[n] = depth[parent[n]] + 1;
  for (int i = 0; i < leaves; ++i) {
    lengths[keys[i] & 0xFFFF] = uint8_t(depth[i]);
    maxDepth = std::max(maxDepth, depth[i]);
  }
  return maxDepth;
}

// Sorts keys[0..n-1] (frequency << 16 | symbol, symbols ascending on entry) by frequency, keeping
// the symbol order among equal frequencies: a byte-wise radix sort over the frequency's bytes.
void SortByFrequency(uint64_t* keys, int n) {
  uint64_t scratch[kMaxSymbols];
  uint64_t top = 0;
  for (int i = 0; i < n; ++i) top |= keys[i] >> 16;
  for (int shift = 16; (top >> (shift - 16)) != 0; shift += 8) {
    int start[257] = {};
    for (int i = 0; i < n; ++i) start[((keys[i] >> shift) & 0xFF) + 1]++;
    for (int b = 0; b < 256; ++b) start[b + 1] += start[b];
    for (int i = 0; i < n; ++i) scratch[start[(keys[i] >> shift) & 0xFF]++] = keys[i];
    std::copy(scratch, scratch + n, keys);
  }
}

}  // namespace

void BuildHuffmanLengths(const uint32_t* freqs, int count, int maxLength, uint8_t* lengths) {
  uint64_t keys[kMaxSymbols];
  int leaves = 0;
  for (int s = 0; s < count; ++s) {
    lengths[s] = 0;
    if (freqs[s] != 0) keys[leaves++] = uint64_t(freqs[s]) << 16 | uint32_t(s);
  }
  if (leaves == 0) return;
  if (leaves == 1) {
    lengths[keys[0] & 0xFFFF] = 1;
    return;
  }
  SortByFrequency(keys, leaves);
  while (BuildUnlimited(keys, leaves, lengths) > maxLength) {
    for (int i = 0; i < leaves; ++i) {  // flatten; stays >= 1
      uint64_t f = ((keys[i] >> 16) + 1) / 2;
      keys[i] = f << 16 | (keys[i] & 0xFFFF);
    }
    std::sort(keys, keys + leaves);
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
