// The progress line of long packer work on a terminal. Host only.
#include "packer/payload/progress_line.h"

#include <unistd.h>

#include <cstdio>

ProgressLine::ProgressLine() : enabled_(isatty(STDERR_FILENO) != 0) {
  start_ = lastPrint_ = std::chrono::steady_clock::now();
}

void ProgressLine::Print(uint32_t filesDone, uint32_t filesTotal, uint64_t bytesIn,
                         uint64_t bytesWritten, uint64_t bytesOut) {
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  char ratio[16] = "  - %";  // until a file is written
  if (bytesWritten)
    std::snprintf(ratio, sizeof ratio, "%.1f %%", 100.0 * double(bytesOut) / double(bytesWritten));
  double rate = seconds > 0 ? double(bytesIn) / 1e6 / seconds : 0.0;
  std::fprintf(stderr, "\r%u/%u files  %.1f MB in  %.1f MB out  %s  %.1f MB/s ", filesDone,
               filesTotal, double(bytesIn) / 1e6, double(bytesOut) / 1e6, ratio, rate);
  std::fflush(stderr);
}

void ProgressLine::Update(uint32_t filesDone, uint32_t filesTotal, uint64_t bytesIn,
                          uint64_t bytesWritten, uint64_t bytesOut) {
  if (!enabled_) return;
  auto now = std::chrono::steady_clock::now();
  if (now - lastPrint_ < std::chrono::milliseconds(100)) return;
  lastPrint_ = now;
  Print(filesDone, filesTotal, bytesIn, bytesWritten, bytesOut);
}

void ProgressLine::Finish(uint32_t filesDone, uint32_t filesTotal, uint64_t bytesIn,
                          uint64_t bytesWritten, uint64_t bytesOut) {
  if (!enabled_) return;
  Print(filesDone, filesTotal, bytesIn, bytesWritten, bytesOut);
  std::fputc('\n', stderr);
}
