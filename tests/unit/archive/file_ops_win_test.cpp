// Windows only: output files are opened without sharing, so a file that another handle holds open
// cannot be created, and the extractor reports it as such.
#include <gtest/gtest.h>

#include "tests/support/extract_fixture.h"

class ExtractEntryWin : public ExtractFixture {};

TEST_F(ExtractEntryWin, AFileHeldOpenElsewhereCannotBeCreated) {
  FileHandle held;
  ASSERT_TRUE(CreateOutputFile((scratch.Root() + "\\held.txt").c_str(), &held));
  std::string archive;
  AppendEntry(archive, StoredEntry("held.txt", "x"));
  EXPECT_EQ(Extract(archive), kExtractCannotCreateFile);
  EXPECT_EQ(Created().size(), 0u);
  CloseOutputFile(held);
  EXPECT_EQ(Extract(archive), int(archive.size()));
}
