// The destination checks against a scripted file system and user: each row names what the
// directory holds, the answer given, and what must follow.
#include "ui/check_destination.h"

#include "system/previous_install.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What the fakes see and record; one instance per test row.
struct World {
  bool Exists = false;
  bool Empty = false;
  int Detected = kNoPreviousProgram;
  UserAnswer Answer = UserAnswer::Yes;
  std::string Current = "start";
  std::vector<std::string> Calls;
  std::vector<DestinationQuestion> Questions;
};
World* world = nullptr;

bool FakeEnter(const char* path) {
  std::string p = path;
  world->Calls.push_back("enter " + p);
  if (p != "start" && !world->Exists) return false;
  world->Current = p;
  return true;
}
bool FakeRemove(const char* path) {
  world->Calls.push_back(std::string("remove ") + path);
  return world->Current != path && world->Empty;
}
int FakeDetect(const char* directory) {
  world->Calls.push_back(std::string("detect ") + directory);
  return world->Detected;
}
void FakeRemoveLegacy(const char* directory) {
  world->Calls.push_back(std::string("remove legacy ") + directory);
}
UserAnswer FakeAsk(void* owner, DestinationQuestion question) {
  EXPECT_EQ(owner, static_cast<void*>(world));
  world->Questions.push_back(question);
  return world->Answer;
}

DestinationDecision Check(World& w) {
  world = &w;
  DestinationOps ops = {&w, "start", FakeEnter, FakeRemove, FakeDetect, FakeRemoveLegacy, FakeAsk};
  return CheckDestination("D:\\Games", ops);
}

using Q = DestinationQuestion;
using D = DestinationDecision;

struct Row {
  const char* Label;
  bool Exists, Empty;
  int Detected;
  UserAnswer Answer;
  D Expected;
  std::vector<Q> Questions;
  std::string Current;  // current directory afterwards
};

TEST(CheckDestination, DecidesByWhatTheDirectoryHoldsAndTheAnswer) {
  const Row rows[] = {
      {"missing directory", false, false, kNoPreviousProgram, UserAnswer::No, D::Proceed, {}, "start"},
      {"empty directory", true, true, kNoPreviousProgram, UserAnswer::No, D::Proceed, {}, "start"},
      {"other files, No", true, false, kNoPreviousProgram, UserAnswer::No, D::Stay,
       {Q::InstallIntoNonEmpty}, "start"},
      {"other files, Yes", true, false, kNoPreviousProgram, UserAnswer::Yes, D::Proceed,
       {Q::InstallIntoNonEmpty}, "start"},
      {"unknown result", true, false, 7, UserAnswer::No, D::Stay, {Q::InstallIntoNonEmpty},
       "start"},
      {"program file, No", true, false, kUnknownProgramFound, UserAnswer::No, D::Stay,
       {Q::OverwriteProgram}, "D:\\Games"},
      {"program file, Yes", true, false, kUnknownProgramFound, UserAnswer::Yes, D::Proceed,
       {Q::OverwriteProgram}, "D:\\Games"},
      {"older version, No", true, false, kPreviousGenerationFound, UserAnswer::No, D::Abort,
       {Q::RemoveOlderVersion}, "D:\\Games"},
      {"older version, Yes", true, false, kPreviousGenerationFound, UserAnswer::Yes, D::Proceed,
       {Q::RemoveOlderVersion}, "D:\\Games"},
      {"current product", true, false, kCurrentProductFound, UserAnswer::No, D::Proceed, {},
       "D:\\Games"},
  };
  for (const Row& row : rows) {
    World w;
    w.Exists = row.Exists;
    w.Empty = row.Empty;
    w.Detected = row.Detected;
    w.Answer = row.Answer;
    EXPECT_EQ(Check(w), row.Expected) << row.Label;
    EXPECT_EQ(w.Questions, row.Questions) << row.Label;
    EXPECT_EQ(w.Current, row.Current) << row.Label;
  }
}

TEST(CheckDestination, RemovesTheOlderVersionOnlyAfterYes) {
  World yes;
  yes.Exists = true;
  yes.Detected = kPreviousGenerationFound;
  Check(yes);
  EXPECT_EQ(yes.Calls.back(), "remove legacy D:\\Games");

  World no = yes;
  no.Calls.clear();
  no.Answer = UserAnswer::No;
  Check(no);
  for (const std::string& call : no.Calls) EXPECT_EQ(call.find("remove"), std::string::npos);
}

TEST(CheckDestination, LeavesTheDirectoryBeforeTryingToRemoveIt) {
  World w;
  w.Exists = true;
  w.Empty = true;
  Check(w);
  const std::vector<std::string> expected = {"enter D:\\Games", "detect D:\\Games", "enter start",
                                             "remove D:\\Games"};
  EXPECT_EQ(w.Calls, expected);
}

TEST(CheckDestination, MissingDirectoryIsNeitherClassifiedNorRemoved) {
  World w;
  Check(w);
  const std::vector<std::string> expected = {"enter D:\\Games"};
  EXPECT_EQ(w.Calls, expected);
}

}  // namespace
