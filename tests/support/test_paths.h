// Where tests find the project's files and the shared peer test data, and scratch directories.
#pragma once

#include <string>

// The project's source root.
std::string SourcePath(const std::string& relative);

// The shared peer streams: ../shared/testdata/lh5-peers beside the project's root, or
// $KPX_PEER_DATA when set. Empty when the folder is not there.
std::string PeerDataPath(const std::string& relative);

// Reads a whole file; fails the current test when it cannot.
std::string ReadWholeFile(const std::string& path);
