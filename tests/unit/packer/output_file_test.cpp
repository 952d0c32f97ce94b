// kpx's outputs are written through a fresh temporary file, never through a link, and never over
// what they are made from. (A full disk is tried end to end by tests/cli/host_io_test.)
#include "packer/output_file.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "packer/kpx_error.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/test_paths.h"

namespace {

namespace fs = std::filesystem;

TEST(WriteFileAtomically, NeverThroughALink) {
  const struct {
    const char* link;    // a link to the file "victim", or nullptr
    const char* output;  // below the scratch directory
    const char* error;   // nullptr: the write succeeds
    std::vector<std::string> listing;
  } cases[] = {
      // A link where a fixed temporary name would be; the output a link (the link is replaced).
      {"out.kpx.tmp", "out.kpx", nullptr, {"out.kpx", "out.kpx.tmp", "victim"}},
      {"out.kpx", "out.kpx", nullptr, {"out.kpx", "victim"}},
      {nullptr, "no/out.kpx", "cannot create a temporary file beside it (No such file", {}},
  };
  const std::vector<uint8_t> bytes(5000, 'n');
  for (const auto& c : cases) {
    SCOPED_TRACE(c.output);
    ScratchDir dir;
    if (c.link) fs::create_symlink(dir.Write("victim", "victim"), dir.Path(c.link));
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
    EXPECT_EQ(c.link ? ReadWholeFile(dir.Path("victim").string()) : "victim", "victim");
  }
}

// Paths below the scratch directory; the product folder is "product" (spelt "product/" in one
// case), the input file is given as "ini-link", a link to "in.ini", and "linked" is a link to the
// product's "sub".
TEST(CheckOutputIsNoInput, AnOutputAmongTheInputsIsRefusedHoweverSpelt) {
  const struct {
    const char* output;
    const char* folder;
    const char* error;  // nullptr: accepted
  } cases[] = {
      {"product/out.kpx", "product", "inside the product folder"},
      {"elsewhere/../product/out.kpx", "product/", "inside the product folder"},
      {"linked/out.kpx", "product", "inside the product folder"},
      {"linked/../out.kpx", "product", "inside the product folder"},  // the link, then ".."
      {"product/sub/x.kpx", "linked", "inside the product folder"},   // the folder named by a link
      {"product", "product", "inside the product folder"},
      {"in.ini", "product", "would replace the input"},
      {"ini-link", "product", "would replace the input"},
      {"out.kpx", "product", nullptr},
      {"product2/out.kpx", "product", nullptr},  // a sibling whose name starts alike
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.output);
    ScratchDir dir;
    dir.Write("product/sub/a.txt", "a");
    dir.Write("product2/b.txt", "b");
    fs::create_directory_symlink(dir.Path("product/sub"), dir.Path("linked"));
    fs::create_symlink(dir.Write("in.ini", "[package]"), dir.Path("ini-link"));
    const fs::path cwd = fs::current_path();
    fs::current_path(dir.Root());  // relative spellings as a user types them
    try {
      CheckOutputIsNoInput(c.output, {c.folder}, {"ini-link"});
      EXPECT_EQ(c.error, nullptr) << "accepted";
    } catch (const KpxError& e) {
      ASSERT_NE(c.error, nullptr) << e.what();
      EXPECT_EQ(std::string(e.what()).rfind(std::string(c.output) + ": the output ", 0), 0u);
      EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << e.what();
    }
    fs::current_path(cwd);
  }
}

}  // namespace
