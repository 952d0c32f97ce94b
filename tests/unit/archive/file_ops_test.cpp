// The file layer under the extractor: '\'-separated paths reach the system, a missing directory is
// told apart from an existing one, and deleting a missing file is harmless.
#include "archive/file_ops.h"

#include <gtest/gtest.h>

#include "tests/support/scratch_dir.h"

TEST(FileOps, DirectoryTestsAndCreationTakeBackslashPaths) {
  ScratchDir scratch;
  const std::string missing = scratch.Destination() + "\\x\\y";
  EXPECT_FALSE(SetCurrentDirectoryTo(missing.c_str()));
  EXPECT_FALSE(CreateDirectoryAt(missing.c_str()));  // its parent is missing too
  EXPECT_TRUE(CreateDirectoryAt((scratch.Destination() + "\\x").c_str()));
  EXPECT_TRUE(CreateDirectoryAt(missing.c_str()));
  EXPECT_TRUE(SetCurrentDirectoryTo(missing.c_str()));
  EXPECT_EQ(scratch.Listing(), (std::vector<std::string>{"x", "x/y"}));
}

TEST(FileOps, CreatedFileIsWrittenAtItsPositionAndDeleted) {
  ScratchDir scratch;
  const std::string path = scratch.Destination() + "\\f.bin";
  FileHandle file;
  ASSERT_TRUE(CreateOutputFile(path.c_str(), &file));
  EXPECT_EQ(GetFilePosition(file), 0u);
  const uint8_t bytes[3] = {1, 2, 3};
  EXPECT_EQ(WriteFilePiece(file, bytes, 3), 3u);
  EXPECT_EQ(GetFilePosition(file), 3u);
  CloseOutputFile(file);
  EXPECT_EQ(ReadFileOrMissing(scratch.Path("f.bin")), std::string("\1\2\3"));
  DeleteOutputFile(path.c_str());
  DeleteOutputFile(path.c_str());  // a second deletion is harmless
  EXPECT_TRUE(scratch.Listing().empty());
}
