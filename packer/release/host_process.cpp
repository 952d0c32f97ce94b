// Child processes and scratch folders for kpx release. POSIX. Host only.
#include "packer/release/host_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "packer/kpx_error.h"

int RunProgram(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    (void)dup2(STDERR_FILENO, STDOUT_FILENO);  // best effort: the child's words go to stderr
    execvp(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (!WIFEXITED(status)) return -1;
  return WEXITSTATUS(status) == 127 ? -1 : WEXITSTATUS(status);
}

ScratchFolder::ScratchFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/kpx-release.XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr)
    throw KpxError(pattern + ": cannot make a scratch folder (" + std::strerror(errno) + ")");
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;  // best effort: a leftover in TMPDIR is harmless
  std::filesystem::remove_all(path_, ignored);
}

std::string ExecutableFolder() {
  std::error_code ec;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : self.parent_path().string();
}
