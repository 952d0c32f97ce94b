// Windows only: output files are opened without sharing, so a file that another handle holds open
// cannot be created, and the extractor reports it as such.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/extract_fixture.h"

class ExtractEntryWin : public ExtractFixture {};

TEST_F(ExtractEntryWin, AFileHeldOpenElsewhereCannotBeCreated) {
  HANDLE held = CreateFileA((scratch.Root() + "\\held.txt").c_str(), GENERIC_WRITE, 0, NULL,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::string archive;
  AppendEntry(archive, StoredEntry("held.txt", "x"));
  EXPECT_EQ(Extract(archive), kExtractCannotCreateFile);
  EXPECT_EQ(Created().size(), 0u);
  CloseHandle(held);
  EXPECT_EQ(Extract(archive), int(archive.size()));
}
