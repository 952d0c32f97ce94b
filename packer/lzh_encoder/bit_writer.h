// A most-significant-bit-first bit writer for the -lh5- stream. Host only.
#pragma once

#include <cstdint>
#include <vector>

namespace lzh {

class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}

  // Appends the low `count` (0..32) bits of value, most significant first.
  void Put(uint32_t value, int count) {
    if (count == 0) return;
    accumulator_ = (accumulator_ << count) | (value & ((uint64_t(1) << count) - 1));
    pending_ += count;
    while (pending_ >= 8) {
      pending_ -= 8;
      out_.push_back(uint8_t(accumulator_ >> pending_));
    }
  }

  // Pads the last byte with zero bits.
  void Flush() {
    if (pending_ > 0) out_.push_back(uint8_t(accumulator_ << (8 - pending_)));
    pending_ = 0;
    accumulator_ = 0;
  }

  uint64_t BitCount() const { return uint64_t(out_.size()) * 8 + pending_; }

 private:
  std::vector<uint8_t>& out_;
  uint64_t accumulator_ = 0;
  int pending_ = 0;  // bits in the accumulator not yet in out_ (0..7 between calls)
};

}  // namespace lzh
