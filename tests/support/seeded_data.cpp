// Seeded test data of several kinds.
#include "tests/support/seeded_data.h"

#include <random>

namespace {

// Appends one piece of data of kind (not Mixed).
void AppendPiece(DataKind kind, std::mt19937& rng, std::string& data) {
  static const char* const kWords[] = {"decoder ",    "window ", "block ", "the ",   "match ",
                                       "literal\r\n", "1994 ",   "0x1F, ", "setup, "};
  switch (kind) {
    case DataKind::Text:
      data += kWords[rng() % 9];
      break;
    case DataKind::Random:
      data += char(rng());
      break;
    case DataKind::Runs:
      data.append(1 + rng() % 700,
                  "\0\xff"
                  "a"[rng() % 3]);
      break;
    case DataKind::FarRepeats: {
      const size_t back = 1 + rng() % 12000;
      if (data.size() > back)
        data += data.substr(data.size() - back, 1 + rng() % 300);
      else
        data += char(rng() % 16);
      break;
    }
    default:
      data += char((data.size() % 97) * (data.size() / 3000));
  }
}

}  // namespace

std::string SeededData(DataKind kind, size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  std::string data;
  while (data.size() < size) {
    const DataKind slice = kind == DataKind::Mixed ? DataKind(rng() % 3) : kind;
    const size_t sliceEnd = data.size() + (kind == DataKind::Mixed ? 1 + rng() % 3000 : size);
    while (data.size() < sliceEnd) AppendPiece(slice, rng, data);
  }
  data.resize(size);
  return data;
}
