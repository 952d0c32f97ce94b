// Running another program from kpx release (the signer, the verifier) and a scratch folder for
// their files. Host only.
#pragma once

#include <string>
#include <vector>

// Runs argv[0] (searched on PATH) with argv, its standard output sent to kpx's standard error so
// that kpx's own output stays its own. Returns its exit code, or -1 when it could not be started
// or did not exit normally.
int RunProgram(const std::vector<std::string>& argv);

// A folder of its own below TMPDIR (or /tmp), removed with everything in it when destroyed.
class ScratchFolder {
 public:
  ScratchFolder();  // throws KpxError when the folder cannot be made
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// The folder of the running kpx executable ("" when the system does not say).
std::string ExecutableFolder();
