// The progress line of long packer work on a terminal. Host only.
#include "packer/progress_line.h"

#include <unistd.h>

#include <cstdio>

ProgressLine::ProgressLine() : enabled_(isatty(STDERR_FILENO) != 0) {
  start_ = lastPrint_ = std::chrono::steady_clock::now();
}

void ProgressLine::Print(uint32_t filesDone, uint32_t filesTotal, uint64_t bytesIn,
                         uint64_t bytesOut) {
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  double ratio = bytesIn ? 100.0 * double(bytesOut) / double(bytesIn) : 0.0;
  double rate = seconds > 0 ? double(bytesIn) / 1e6 / seconds : 0.0;
  std::fprintf(stderr, "\r%u/%u files  %.1f MB in  %.1f MB out  %.1f %%  %.1f MB/s ", filesDone,
               filesTotal, double(bytesIn) / 1e6, double(bytesOut) / 1e6, ratio, rate);
  std::fflush(stderr);
}

void ProgressLine::Update(uint32_t filesDone, uint32_t filesTotal, uint64_t bytesIn,
                          uint64_t bytesOut) {
  if (!enabled_) return;
  auto now = std::chrono::steady_clock::now();
  if (now - lastPrint_ < std::chrono::milliseconds(100)) return;
  lastPrint_ = now;
  Print(filesDone, filesTotal, bytesIn, bytesOut);
}

void ProgressLine::Finish(uint32_t filesDone, uint32_t filesTotal, uint64_t bytesIn,
                          uint64_t bytesOut) {
  if (!enabled_) return;
  Print(filesDone, filesTotal, bytesIn, bytesOut);
  std::fputc('\n', stderr);
}
