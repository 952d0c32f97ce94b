// ExtractEntry's header checks, name checks and path composition: which archives it refuses, with
// which result, and that a refused entry creates nothing and counts nothing.
#include "archive/extract_entry.h"
#include "archive/entry_header.h"

#include <filesystem>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/extract_fixture.h"

namespace {

std::string OneEntry(const TestEntry& entry) {
  std::string archive;
  AppendEntry(archive, entry);
  return archive;
}

std::string WithNameField(const std::string& nameField) {
  TestEntry entry = StoredEntry(nameField, "data");
  entry.AddNul = false;
  return OneEntry(entry);
}

const std::string kValid = OneEntry(StoredEntry("f.txt", "hello"));

std::string Patched(uint32_t at, uint32_t value) {
  std::string archive = kValid;
  PatchLe32(archive, at, value);
  return archive;
}

std::string WithByte(size_t at, char value) {
  std::string archive = kValid;
  archive[at] = value;
  return archive;
}

constexpr int kEnd = kExtractEnd;
constexpr int kBad = kExtractMalformedHeader;

}  // namespace

class ExtractEntryHeader : public ExtractFixture {};

TEST_F(ExtractEntryHeader, RefusesEachBadHeaderAndCreatesNothing) {
  const uint32_t end = uint32_t(kValid.size());
  const struct {
    const char* label;
    std::string archive;
    uint32_t offset;
    int expected;
    HeaderProblem problem;  // what ReadEntryHeader names as the fault
  } rows[] = {
      {"empty archive", "", 0, kEnd, kHeaderSound},
      {"20 bytes", kValid.substr(0, 20), 0, kEnd, kHeaderSound},
      {"21 bytes, no magic", std::string(21, 'x'), 0, kBad, kBadMagic},
      {"20 stray bytes after the entry", kValid + std::string(20, 'x'), end, kEnd, kHeaderSound},
      {"21 stray bytes after the entry", kValid + std::string(21, 'x'), end, kBad, kBadMagic},
      {"offset that wraps when 20 is added", kValid, 0xFFFFFFF0u, kEnd, kHeaderSound},
      {"magic byte 0", WithByte(0, 'K'), 0, kBad, kBadMagic},
      {"magic byte 3", WithByte(3, '\r'), 0, kBad, kBadMagic},
      {"header ends at the end", OneEntry(StoredEntry("f.txt", "")), 0, kBad, kHeaderPastEnd},
      {"empty name", OneEntry(StoredEntry("", "hello")), 0, kBad, kEmptyName},
      {"header size 20", Patched(kHeaderSizeOffset, 20), 0, kBad, kNoNameField},
      {"header size 2^32-1", Patched(kHeaderSizeOffset, 0xFFFFFFFFu), 0, kBad, kHeaderPastEnd},
      {"data one byte past the end", Patched(kStoredSizeOffset, 6), 0, kBad, kDataPastEnd},
      {"stored size 2^32-1", Patched(kStoredSizeOffset, 0xFFFFFFFFu), 0, kBad, kDataPastEnd},
      {"stored entry unpacking more than it stores", Patched(kUnpackedSizeOffset, 6), 0, kBad,
       kUnpackedExceedsStored},
      {"compressed entry of 2^31 bytes", OneEntry(CompressedEntry("f.txt", "xx", 0x80000000u)), 0,
       kBad, kSizeTooLarge},
      {"name field without its NUL", WithNameField("f.txt"), 0, kBad, kUnsafeName},
      {"NUL inside the name field", WithNameField(std::string("f\0g", 3) + '\0'), 0, kBad,
       kUnsafeName},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(Extract(row.archive, row.offset), row.expected);
    EntryHeader entry;
    EXPECT_EQ(ReadEntryHeader(Bytes(row.archive), row.offset, uint32_t(row.archive.size()), &entry),
              row.expected);
    EXPECT_EQ(entry.Problem, row.problem);
    EXPECT_EQ(Created().size(), 0u);
    EXPECT_TRUE(scratch.Listing().empty());
  }
}

// A stored entry may store more than it unpacks; the next entry still follows all stored bytes.
TEST_F(ExtractEntryHeader, AStoredEntryMayStoreMoreThanItUnpacks) {
  TestEntry shorter = StoredEntry("two", "22xx");
  shorter.UnpackedSize = 2;
  const std::string archive = OneEntry(shorter);
  EXPECT_EQ(Extract(archive), int(archive.size()));
  EXPECT_EQ(Contents("two"), "22");
}

TEST_F(ExtractEntryHeader, RefusesNamesThatLeaveTheDestinationOrThatWindowsLosesButNotDotsInside) {
  const char* const kLeaving[] = {
      "\\abs.txt", "C:evil.txt", "c:\\evil.txt", "a:b",    "..\\up.txt", "a\\..\\..\\up.txt",
      "..",        ".",          "a\\.\\b",      "a/b",    "/abs",       "a\\\\b",
      "a\\",       "\\",         "...",          ". .\\x", "a\\..",
  };
  // Names Windows opens a device for, or trims into another name.
  const char* const kLost[] = {
      "NUL .txt", "aux .txt",    "CON .log", "CONIN$",      "conout$.txt", "CLOCK$",
      "COM\xB9",  "com\xB2.txt", "COM\xB3",  "LPT\xB2.txt", "lpt9",        "prn",
      "dir\\nul", "con\\f.txt",  "trail.",   "trail2 ",     "a..",         "dir.\\f.txt",
  };
  for (const auto& [names, problem] :
       {std::pair{std::vector<const char*>(std::begin(kLeaving), std::end(kLeaving)), kUnsafeName},
        std::pair{std::vector<const char*>(std::begin(kLost), std::end(kLost)), kWindowsName}}) {
    for (const char* name : names) {
      SCOPED_TRACE(name);
      const std::string archive = OneEntry(StoredEntry(name, "x"));
      EXPECT_EQ(Extract(archive), kExtractMalformedHeader);
      EntryHeader entry;
      (void)ReadEntryHeader(Bytes(archive), 0, uint32_t(archive.size()), &entry);
      EXPECT_EQ(entry.Problem, problem);
    }
  }
  EXPECT_EQ(Created().size(), 0u);
  EXPECT_TRUE(scratch.Listing().empty());
  for (const char* name : {"a.b", "..a", "dir.d\\x.txt", " a", "console.txt", "COM10", "COM0",
                           "LPT\xB9x", "NULL.txt", "CON_x", "x.CON", "CONIN", "CLOCK$$"}) {
    SCOPED_TRACE(name);
    std::string archive = OneEntry(StoredEntry(name, "x"));
    EXPECT_EQ(Extract(archive), int(archive.size()));
  }
}

class ExtractEntryPath : public ExtractFixture {};

TEST_F(ExtractEntryPath, ComposedPathsOf253CharactersFitAnd254DoNot) {
  const std::string destination = scratch.Root();
  const struct {
    std::string destination;
    size_t pathLength;  // 0: a one-letter name
    bool fits;
  } rows[] = {
      // Refused ones first: they must leave the directory empty.
      {destination, 254, false}, {std::string(300, 'd'), 0, false}, {"", 0, false},
      {destination, 253, true},  {destination + "\\", 253, true},  // the trailing separator is not doubled
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.destination.size()) + " " + std::to_string(row.pathLength));
    // A name in a subdirectory "d" that makes the composed path exactly pathLength characters.
    std::string name = row.pathLength == 0
                           ? "f"
                           : "d\\" + std::string(row.pathLength - destination.size() - 3, 'n');
    std::string archive = OneEntry(StoredEntry(name, "x"));
    int result = ExtractTo(archive, 0, row.destination);
    EXPECT_EQ(result, row.fits ? int(archive.size()) : kExtractMalformedHeader);
    EXPECT_EQ(LastCreated(), row.fits ? destination + "\\" + name : "");
    EXPECT_EQ(scratch.Listing().empty(), !row.fits);
  }
}

TEST_F(ExtractEntryPath, ReplacesAndTruncatesAnExistingFile) {
  scratch.Write("f.txt", std::string(1000, 'o'));
  EXPECT_GT(Extract(OneEntry(StoredEntry("f.txt", "new"))), 0);
  EXPECT_EQ(Contents("f.txt"), "new");
}

TEST_F(ExtractEntryPath, AnOutputPathTakenByADirectoryCannotBeCreated) {
  std::filesystem::create_directories(scratch.Path("sub\\taken"));
  EXPECT_EQ(Extract(OneEntry(StoredEntry("sub\\taken", "x"))), kExtractCannotCreateFile);
  EXPECT_EQ(Created().size(), 0u);
  EXPECT_EQ(LastCreated(), "");
}
