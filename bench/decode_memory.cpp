// decode_memory: decodes every compressed entry of a payload archive in memory, in 8,192-byte
// chunks as the extractor does, with the program's decoder and with the reference decoder, and
// prints each one's output rate (best of N runs) and whether they produced the same bytes.
// Used by bench/decode_speed for the faithful decoder's figure. Host only.
//   decode_memory ARCHIVE.kpx [RUNS [program]]   (program: time the program's decoder only)
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "archive/entry_header.h"
#include "archive/lzh_decoder.h"
#include "archive/payload_format.h"
#include "bench/reference_lzh_decoder.h"

namespace {

struct Decoder {
  const char* Name;
  void (*Start)(const uint8_t*, uint32_t);
  void (*Chunk)(uint32_t, uint8_t*);
  uint8_t* Window;
  int* Failed;
};

// A 64-bit FNV-1a digest of every chunk, so that the two decoders' outputs can be compared.
uint64_t Digest(uint64_t h, const uint8_t* p, uint32_t n) {
  for (uint32_t i = 0; i < n; i++) h = (h ^ p[i]) * 1099511628211ull;
  return h;
}

// Decodes every compressed entry once; returns the seconds taken and adds up the output bytes.
double DecodeArchive(const Decoder& d, const std::vector<uint8_t>& a, uint64_t* bytes,
                     uint64_t* digest, bool* failed) {
  const auto begin = std::chrono::steady_clock::now();
  EntryHeader e;
  for (uint32_t at = 0; ReadEntryHeader(a.data(), at, uint32_t(a.size()), &e) == kHeaderValid;
       at = e.NextOffset) {
    if (e.Method != kMethodCompressed) continue;
    *d.Failed = 0;
    d.Start(e.Data, e.StoredSize);
    for (uint32_t left = e.UnpackedSize; left > 0;) {
      const uint32_t n = left < kDecodeWindowSize ? left : kDecodeWindowSize;
      d.Chunk(n, d.Window);
      if (digest) *digest = Digest(*digest, d.Window, n);
      *failed = *failed || *d.Failed != 0;
      left -= n;
      *bytes += n;
    }
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: decode_memory ARCHIVE.kpx [RUNS]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
  const int decoderCount = argc > 3 && std::strcmp(argv[3], "program") == 0 ? 1 : 2;
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<uint8_t> archive((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
  const Decoder decoders[] = {
      {"program", DecodeStart, DecodeChunk, DecodeWindow, &DecodeFailed},
      {"reference", reference::DecodeStart, reference::DecodeChunk, reference::DecodeWindow,
       &reference::DecodeFailed},
  };
  uint64_t digests[2] = {14695981039346656037ull, 14695981039346656037ull};
  for (int k = 0; k < decoderCount; k++) {
    const Decoder& d = decoders[k];
    uint64_t bytes = 0;
    bool failed = false;
    DecodeArchive(d, archive, &bytes, &digests[k], &failed);  // also the warm-up
    double best = 1e30;
    for (int r = 0; r < runs; r++) {
      uint64_t b = 0;
      const double s = DecodeArchive(d, archive, &b, nullptr, &failed);
      if (s < best) best = s;
    }
    std::printf("%-9s %8.1f MB/s  (%llu bytes in %.3f s%s)\n", d.Name, bytes / best / 1e6,
                static_cast<unsigned long long>(bytes), best, failed ? ", DECODE FAILED" : "");
  }
  if (decoderCount == 1) return 0;
  std::printf("outputs %s\n", digests[0] == digests[1] ? "identical" : "DIFFER");
  return digests[0] == digests[1] ? 0 : 1;
}
