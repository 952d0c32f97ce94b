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
  PreviousInstallResult Detected = kNoPreviousProgram;
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
PreviousInstallResult FakeDetect(const char* directory) {
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
  return CheckDestination("D", ops);
}

std::string Joined(const std::vector<std::string>& calls) {
  std::string joined;
  for (const std::string& call : calls) joined += (joined.empty() ? "" : ", ") + call;
  return joined;
}

using Q = DestinationQuestion;
using D = DestinationDecision;

struct Row {
  const char* Label;
  bool Exists, Empty;
  PreviousInstallResult Detected;
  UserAnswer Answer;
  D Expected;
  std::vector<Q> Questions;
  std::string Current;  // current directory afterwards
  const char* Calls;    // what the fakes saw, in order
};

// The empty directory can only be removed after the current directory has left it (FakeRemove),
// and the older version is removed only after Yes.
TEST(CheckDestination, DecidesByWhatTheDirectoryHoldsAndTheAnswer) {
  const char* const kLeaveAndRemove = "enter D, detect D, enter start, remove D";
  const Row rows[] = {
      {"missing directory", false, false, kNoPreviousProgram, UserAnswer::No, D::Proceed, {},
       "start", "enter D"},
      {"empty directory", true, true, kNoPreviousProgram, UserAnswer::No, D::Proceed, {}, "start",
       kLeaveAndRemove},
      {"other files, No", true, false, kNoPreviousProgram, UserAnswer::No, D::Stay,
       {Q::InstallIntoNonEmpty}, "start", kLeaveAndRemove},
      {"other files, Yes", true, false, kNoPreviousProgram, UserAnswer::Yes, D::Proceed,
       {Q::InstallIntoNonEmpty}, "start", kLeaveAndRemove},
      {"unknown result", true, false, PreviousInstallResult(7), UserAnswer::No, D::Stay, {Q::InstallIntoNonEmpty},
       "start", kLeaveAndRemove},
      {"program file, No", true, false, kUnknownProgramFound, UserAnswer::No, D::Stay,
       {Q::OverwriteProgram}, "D", "enter D, detect D"},
      {"program file, Yes", true, false, kUnknownProgramFound, UserAnswer::Yes, D::Proceed,
       {Q::OverwriteProgram}, "D", "enter D, detect D"},
      {"older version, No", true, false, kPreviousGenerationFound, UserAnswer::No, D::Abort,
       {Q::RemoveOlderVersion}, "D", "enter D, detect D"},
      {"older version, Yes", true, false, kPreviousGenerationFound, UserAnswer::Yes, D::Proceed,
       {Q::RemoveOlderVersion}, "D", "enter D, detect D, remove legacy D"},
      {"current product", true, false, kCurrentProductFound, UserAnswer::No, D::Proceed, {}, "D",
       "enter D, detect D"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Label);
    World w;
    w.Exists = row.Exists;
    w.Empty = row.Empty;
    w.Detected = row.Detected;
    w.Answer = row.Answer;
    EXPECT_EQ(Check(w), row.Expected);
    EXPECT_EQ(w.Questions, row.Questions);
    EXPECT_EQ(w.Current, row.Current);
    EXPECT_EQ(Joined(w.Calls), row.Calls);
  }
}

}  // namespace
