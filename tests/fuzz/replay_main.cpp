// Corpus replay: runs a fuzz target's entry point once on every file of the folders named on the
// command line, so that the committed corpus and its regression inputs are checked
// by every test run, without libFuzzer. A crash or sanitizer report fails the test; otherwise it
// prints how many inputs ran and exits 0 (1 when there was nothing to run).
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  int ran = 0;
  for (int i = 1; i < argc; i++) {
    for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
      std::ifstream in(entry.path(), std::ios::binary);
      // Exactly the file's bytes, so that a read past them is a sanitizer report.
      const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
      std::printf("%s (%zu bytes)\n", entry.path().c_str(), bytes.size());
      std::fflush(stdout);  // name the input before a crash can hide it
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      ran++;
    }
  }
  std::printf("%d inputs replayed\n", ran);
  return ran > 0 ? 0 : 1;
}
