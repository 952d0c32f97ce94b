// The progress line of long packer work on a terminal: files, bytes in and out, ratio, rate.
// Silent when stderr is not a terminal. Host only.
#pragma once

#include <chrono>
#include <cstdint>

class ProgressLine {
 public:
  ProgressLine();
  // Shows the counts after a file (at most ten times a second).
  void Update(uint32_t filesDone, uint32_t filesTotal, uint64_t bytesIn, uint64_t bytesOut);
  // Shows the final counts and ends the line.
  void Finish(uint32_t filesDone, uint32_t filesTotal, uint64_t bytesIn, uint64_t bytesOut);

 private:
  void Print(uint32_t filesDone, uint32_t filesTotal, uint64_t bytesIn, uint64_t bytesOut);
  bool enabled_;
  std::chrono::steady_clock::time_point start_, lastPrint_;
};
