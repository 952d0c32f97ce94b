// Seeded test data for the compressor's and the decoder's round trips: the same seed always gives
// the same bytes.
#pragma once

#include <cstdint>
#include <string>

// Words from a small vocabulary, random bytes, long runs of a few byte values, copies of earlier
// slices up to 12,000 bytes back, a structured table like a bitmap, or slices of the first three
// kinds mixed.
enum class DataKind { Text, Random, Runs, FarRepeats, Table, Mixed };

std::string SeededData(DataKind kind, size_t size, uint32_t seed);
