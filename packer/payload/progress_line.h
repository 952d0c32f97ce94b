// The progress line of long packer work on a terminal: files, bytes in and out, ratio, rate.
// Silent when stderr is not a terminal. Host only.
#pragma once

#include <chrono>
#include <cstdint>

class ProgressLine {
 public:
  ProgressLine();
  // Shows the counts, at most ten times a second. bytesIn is the input compressed so far, which
  // runs ahead of the files written; the ratio is that of the files written: bytesOut of their
  // bytesWritten.
  void Update(uint32_t filesDone, uint32_t filesTotal, uint64_t bytesIn, uint64_t bytesWritten,
              uint64_t bytesOut);
  // Shows the final counts and ends the line.
  void Finish(uint32_t filesDone, uint32_t filesTotal, uint64_t bytesIn, uint64_t bytesWritten,
              uint64_t bytesOut);

 private:
  void Print(uint32_t filesDone, uint32_t filesTotal, uint64_t bytesIn, uint64_t bytesWritten,
             uint64_t bytesOut);
  bool enabled_;
  std::chrono::steady_clock::time_point start_, lastPrint_;
};
