// A GoogleTest fixture for extraction tests: a scratch destination, a clean file layer seam, the
// record of the files the extractor announced, and helpers that hand the extractor exact-size
// copies of test archives (so that a read past the end is caught by the sanitizers).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "archive/extract_entry.h"
#include "archive/file_ops.h"
#include "tests/support/archive_builder.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/test_paths.h"

class ExtractFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Created().clear();
    FileOpsTest = FileOpsHooks{};
  }
  void TearDown() override { FileOpsTest = FileOpsHooks{}; }

  // ExtractEntry on an exact-size copy of archive, into the scratch directory.
  int Extract(const std::string& archive, uint32_t offset = 0) {
    return ExtractTo(archive, offset, scratch.Root());
  }
  int ExtractTo(const std::string& archive, uint32_t offset, const std::string& destination,
                OutputFileCreated announce = RecordCreated) {
    std::vector<uint8_t> exact(archive.begin(), archive.end());
    return ExtractEntry(exact.data(), offset, uint32_t(exact.size()), destination.c_str(),
                        announce);
  }

  // Walks the archive as the install run does: from offset 0 until a result of 0 or below, which
  // it returns.
  int ExtractAll(const std::string& archive, OutputFileCreated announce = RecordCreated) {
    int result;
    for (uint32_t offset = 0; (result = ExtractTo(archive, offset, scratch.Root(), announce)) > 0;)
      offset = uint32_t(result);
    return result;
  }

  std::string Contents(const std::string& name) const {
    return ReadWholeFile(scratch.Path(name).string());
  }

  // The paths the extractor announced as created, in order.
  static std::vector<std::string>& Created() {
    static std::vector<std::string> created;
    return created;
  }
  static void RecordCreated(const char* path) { Created().push_back(path); }
  std::string LastCreated() const { return Created().empty() ? "" : Created().back(); }

  ScratchDir scratch;
};
