// kpx's outputs are written whole or not at all, never through a link, and a failed write says why.
#include "packer/output_file.h"

#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "packer/kpx_error.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/test_paths.h"

namespace {

namespace fs = std::filesystem;

// Caps the size of files this process may write, as a full disk would; writes past it fail with
// EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

 private:
  rlimit old_;
};

struct OutputCase {
  const char* what;
  std::function<void(const ScratchDir&)> prepare;
  const char* output;  // below the scratch directory
  rlim_t sizeLimit;    // RLIM_INFINITY: none
  const char* error;   // nullptr: the write succeeds
  std::vector<std::string> listing;
};

TEST(WriteFileAtomically, NeverThroughALinkAndNothingLostOnFailure) {
  const OutputCase cases[] = {
      {"a link where a fixed temporary name would be",
       [](const ScratchDir& d) { fs::create_symlink(d.Write("victim", "victim"), d.Path("out.kpx.tmp")); },
       "out.kpx", RLIM_INFINITY, nullptr, {"out.kpx", "out.kpx.tmp", "victim"}},
      {"the output is a link: the link is replaced",
       [](const ScratchDir& d) { fs::create_symlink(d.Write("victim", "victim"), d.Path("out.kpx")); },
       "out.kpx", RLIM_INFINITY, nullptr, {"out.kpx", "victim"}},
      {"a full disk keeps the old output",
       [](const ScratchDir& d) { d.Write("out.kpx", "victim"); },
       "out.kpx", 0, "out.kpx: cannot write the file (File too large)", {"out.kpx"}},
      {"a missing folder", [](const ScratchDir&) {}, "no/out.kpx", RLIM_INFINITY,
       "cannot create a temporary file beside it (No such file or directory)", {}},
  };
  const std::vector<uint8_t> bytes(5000, 'n');
  for (const OutputCase& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    c.prepare(dir);
    const std::string output = dir.Path(c.output).string();
    try {
      FileSizeLimit limit(c.sizeLimit);
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
    if (c.error && fs::exists(output)) {
      EXPECT_EQ(ReadWholeFile(output), "victim");  // the old output
    }
  }
}

}  // namespace
