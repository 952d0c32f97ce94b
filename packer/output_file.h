// Writing an output file of kpx pack and package whole or not at all, and never over an input.
// Host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An output written in pieces through a temporary file created afresh beside path (never an
// existing file or link), renamed over path by Commit once every byte is written and the file is
// flushed and closed. Destroyed uncommitted (an error on the way), it removes the temporary file
// and leaves the old file at path untouched. Every failure throws KpxError naming path with the
// system's reason ("No space left on device").
class AtomicOutput {
 public:
  explicit AtomicOutput(const std::string& path);
  AtomicOutput(const AtomicOutput&) = delete;
  AtomicOutput& operator=(const AtomicOutput&) = delete;
  ~AtomicOutput();

  // Appends bytes at the end.
  void Write(const uint8_t* bytes, size_t size);
  void Write(const std::vector<uint8_t>& bytes) { Write(bytes.data(), bytes.size()); }
  // Overwrites bytes already written, at offset (offset + size <= Size()).
  void WriteAt(uint64_t offset, const uint8_t* bytes, size_t size);
  // Cuts the output back to its first size bytes (size <= Size()).
  void Truncate(uint64_t size);
  uint64_t Size() const { return size_; }
  void Commit();

 private:
  void Flush();
  [[noreturn]] void Fail(int error);

  std::string path_, temporary_;
  int fd_ = -1;
  uint64_t size_ = 0;            // bytes written, buffered ones included
  std::vector<uint8_t> buffer_;  // the last bytes written, not yet in the file
};

// Writes bytes to path as one AtomicOutput.
void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

// Throws KpxError naming output when writing it would replace or add to an input: when output lies
// in or is one of folders, or is one of files. Paths are compared as the system resolves them
// (relative spellings, links in their folders); output's own last component is not followed, since
// the write replaces a link there rather than what it points to. Call it before anything is
// written. Empty names in files stand for inputs not given.
void CheckOutputIsNoInput(const std::string& output, const std::vector<std::string>& folders,
                          const std::vector<std::string>& files);
