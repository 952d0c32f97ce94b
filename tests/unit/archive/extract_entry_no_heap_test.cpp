// Proves that extracting a whole archive allocates nothing: this program replaces the C library's
// allocator with counting wrappers (glibc lets a program do that) and walks an archive of stored
// and compressed entries in subdirectories while counting. A plain main, not GoogleTest, so that
// nothing else allocates in between. Host builds without sanitizers only (they bring their own
// allocator).
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>

#include "archive/extract_entry.h"
#include "setup/setup_state.h"
#include "tests/support/archive_builder.h"
#include "tests/support/test_paths.h"

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);
}

namespace {
bool Counting = false;
long Allocations = 0;
void Count() {
  if (Counting) ++Allocations;
}
}  // namespace

extern "C" {
void* malloc(size_t size) { Count(); return __libc_malloc(size); }
void* calloc(size_t count, size_t size) { Count(); return __libc_calloc(count, size); }
void* realloc(void* block, size_t size) { Count(); return __libc_realloc(block, size); }
void* memalign(size_t alignment, size_t size) { Count(); return __libc_memalign(alignment, size); }
void* aligned_alloc(size_t alignment, size_t size) { return memalign(alignment, size); }
int posix_memalign(void** out, size_t alignment, size_t size) {
  *out = memalign(alignment, size);
  return *out ? 0 : ENOMEM;
}
void free(void* block) { __libc_free(block); }
}

void* operator new(size_t size) {
  Count();
  if (void* block = __libc_malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
void operator delete(void* block) noexcept { __libc_free(block); }
void operator delete[](void* block) noexcept { __libc_free(block); }
void operator delete(void* block, size_t) noexcept { __libc_free(block); }
void operator delete[](void* block, size_t) noexcept { __libc_free(block); }

namespace {

std::string TestArchive() {
  std::string archive;
  AppendEntry(archive, StoredEntry("program.exe", std::string(70000, 'p')));
  AppendEntry(archive, CompressedEntry("data\\a.bin", RepeatedByteStream('a', 30000), 30000));
  AppendEntry(archive, CompressedEntry("data\\deeper\\empty", "", 0));
  std::string peer = ReadWholeFile(PeerDataPath("streams/lhasa_lha213_lh5.lh5"));
  if (!peer.empty()) AppendEntry(archive, CompressedEntry("data\\peer.txt", peer, 18092));
  AppendEntry(archive, StoredEntry("last.txt", "last"));
  return archive;
}

}  // namespace

int main() {
  const std::string archive = TestArchive();
  const auto destination = std::filesystem::temp_directory_path() / "kpx-no-heap-test";
  std::filesystem::remove_all(destination);
  std::filesystem::create_directory(destination);
  const std::string destinationText = destination.string();

  Counting = true;
  int result = 0;
  uint32_t offset = 0;
  while ((result = ExtractEntry(Bytes(archive), offset, uint32_t(archive.size()),
                                destinationText.c_str())) > 0) {
    offset = uint32_t(result);
  }
  Counting = false;

  std::filesystem::current_path(std::filesystem::temp_directory_path());
  std::filesystem::remove_all(destination);
  std::printf("extracted %u files, result %d, %ld allocations\n", Setup.FilesDone, result,
              Allocations);
  bool passed = result == kExtractEnd && Setup.FilesDone >= 4 && Allocations == 0;
  std::printf("%s\n", passed ? "1 passed, 0 failed" : "0 passed, 1 failed");
  return passed ? 0 : 1;
}
