// Paths of test data and whole-file reading for the tests.
#include "tests/support/test_paths.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

std::string SourcePath(const std::string& relative) {
  return std::string(KPX_SOURCE_DIR) + "/" + relative;
}

std::string PeerDataPath(const std::string& relative) {
  const char* env = std::getenv("KPX_PEER_DATA");
  std::string root = env ? env : std::string(KPX_SOURCE_DIR) + "/../shared/testdata/lh5-peers";
  return root + "/" + relative;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read " << path;
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}
