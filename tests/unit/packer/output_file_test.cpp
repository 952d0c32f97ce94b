// kpx's outputs are written through a fresh temporary file, never through a link. (A full disk is
// tried end to end by tests/cli/host_io_test.)
#include "packer/output_file.h"

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "packer/kpx_error.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/test_paths.h"

namespace {

namespace fs = std::filesystem;

struct OutputCase {
  const char* what;
  std::function<void(const ScratchDir&)> prepare;
  const char* output;  // below the scratch directory
  const char* error;   // nullptr: the write succeeds
  std::vector<std::string> listing;
};

TEST(WriteFileAtomically, NeverThroughALink) {
  const OutputCase cases[] = {
      {"a link where a fixed temporary name would be",
       [](const ScratchDir& d) { fs::create_symlink(d.Write("victim", "victim"), d.Path("out.kpx.tmp")); },
       "out.kpx", nullptr, {"out.kpx", "out.kpx.tmp", "victim"}},
      {"the output is a link: the link is replaced",
       [](const ScratchDir& d) { fs::create_symlink(d.Write("victim", "victim"), d.Path("out.kpx")); },
       "out.kpx", nullptr, {"out.kpx", "victim"}},
      {"a missing folder", [](const ScratchDir&) {}, "no/out.kpx",
       "cannot create a temporary file beside it (No such file or directory)", {}},
  };
  const std::vector<uint8_t> bytes(5000, 'n');
  for (const OutputCase& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    c.prepare(dir);
    const std::string output = dir.Path(c.output).string();
    try {
      WriteFileAtomically(output, bytes);
      EXPECT_EQ(c.error, nullptr) << "accepted";
      EXPECT_EQ(ReadWholeFile(output), std::string(bytes.begin(), bytes.end()));
      EXPECT_FALSE(fs::is_symlink(output));
    } catch (const KpxError& e) {
      ASSERT_NE(c.error, nullptr) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << e.what();
    }
    EXPECT_EQ(dir.Listing(), c.listing);
    if (fs::exists(dir.Path("victim"))) {
      EXPECT_EQ(ReadWholeFile(dir.Path("victim").string()), "victim");
    }
  }
}

}  // namespace
