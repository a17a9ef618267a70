#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fakes/scratch_folder.h"

namespace qm {

// One run of the built quillmere-cli: what it printed and how it ended.
struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ReadWhole(const std::string& path) {
  std::ifstream in(path);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A started run of the program, with no display, no colours asked for or
// refused, and its journals in the scratch folder's root, as a fresh user's.
class CliProcess {
 public:
  CliProcess(const ScratchFolder& scratch, const std::vector<std::string>& arguments)
      : out_path_(scratch.Root() + "/cli.out"), err_path_(scratch.Root() + "/cli.err") {
    std::vector<std::string> words{QM_CLI_BINARY};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    std::string state = "XDG_STATE_HOME=" + scratch.Root() + "/state";
    std::string home = "HOME=" + scratch.Root();
    char* envp[] = {state.data(), home.data(), nullptr};
    pid_ = fork();
    if (pid_ == 0) {
      int out = ::open(out_path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      int err = ::open(err_path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      ::dup2(out, 1);
      ::dup2(err, 2);
      ::execve(argv[0], argv.data(), envp);
      _exit(127);
    }
  }
  pid_t Pid() const { return pid_; }
  CliRun Wait() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWhole(out_path_),
            ReadWhole(err_path_)};
  }

 private:
  std::string out_path_;
  std::string err_path_;
  pid_t pid_ = -1;
};

inline CliRun RunCli(const ScratchFolder& scratch, const std::vector<std::string>& arguments) {
  return CliProcess(scratch, arguments).Wait();
}

// The scratch folder's path as the command line takes it.
inline std::string Folder(const ScratchFolder& scratch) { return scratch.Root() + "/w"; }

}  // namespace qm
