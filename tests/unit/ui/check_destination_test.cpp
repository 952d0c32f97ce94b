// The destination checks against a scripted directory and user, for the cases the Wine suites do
// not meet (they hold a missing directory, a non-empty one answered No, the current product, and
// both program generations answered No, the older one Yes too).
#include "ui/check_destination.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What the fakes see and record; one per row.
struct World {
  bool Empty;
  PreviousInstallResult Detected;
  UserAnswer Answer;
  std::string Current, Calls;
};
World* world = nullptr;

void Record(const std::string& call) { world->Calls += (world->Calls.empty() ? "" : ", ") + call; }
bool FakeEnter(const char* path) {
  return Record(std::string("enter ") + path), world->Current = path, true;
}
bool FakeRemove(const char* path) {  // never the current directory
  return Record(std::string("remove ") + path), world->Current != path && world->Empty;
}
PreviousInstallResult FakeDetect(const char*) { return Record("detect"), world->Detected; }
void FakeRemoveLegacy(const char*) { Record("remove legacy"); }
UserAnswer FakeAsk(void* owner, DestinationQuestion question) {
  EXPECT_EQ(owner, static_cast<void*>(world));
  Record(question == DestinationQuestion::InstallIntoNonEmpty ? "ask non-empty" : "ask other");
  return world->Answer;
}

TEST(CheckDestination, DecidesByWhatTheDirectoryHoldsAndTheAnswer) {
  using D = DestinationDecision;
  const std::string kLeaveAndRemove = "enter D, detect, enter start, remove D";
  const struct {
    const char* Label;
    bool Empty;
    PreviousInstallResult Detected;
    UserAnswer Answer;
    D Expected;
    std::string Calls;  // what the fakes saw, in order
  } rows[] = {
      {"empty directory", true, kNoPreviousProgram, UserAnswer::No, D::Proceed, kLeaveAndRemove},
      {"other files, Yes", false, kNoPreviousProgram, UserAnswer::Yes, D::Proceed,
       kLeaveAndRemove + ", ask non-empty"},
      {"undefined classification, No", false, PreviousInstallResult(7), UserAnswer::No, D::Stay,
       kLeaveAndRemove + ", ask non-empty"},
      {"program file, Yes", false, kUnknownProgramFound, UserAnswer::Yes, D::Proceed,
       "enter D, detect, ask other"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Label);
    World w{row.Empty, row.Detected, row.Answer, "start", ""};
    world = &w;
    DestinationOps ops = {&w,         "start",          FakeEnter, FakeRemove,
                          FakeDetect, FakeRemoveLegacy, FakeAsk};
    EXPECT_EQ(CheckDestination("D", ops), row.Expected);
    EXPECT_EQ(w.Calls, row.Calls);
  }
}

}  // namespace
