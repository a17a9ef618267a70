#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "base/gbk_text_type.h"

namespace qm {

// A path below a scratch folder. The folder lies under /tmp with an ASCII
// name, the same bytes internally and on disk, so the path passes both to
// the core (as internal text) and to std::filesystem and the streams.
class ScratchPath {
 public:
  explicit ScratchPath(std::string path) : path_(std::move(path)) {}
  operator GbkText() const { return GbkText(path_); }
  operator std::string() const { return path_; }
  operator std::filesystem::path() const { return path_; }
  const std::string& str() const { return path_; }

  friend ScratchPath operator+(const ScratchPath& a, const char* b) {
    return ScratchPath(a.path_ + b);
  }
  friend ScratchPath operator+(const ScratchPath& a, const std::string& b) {
    return ScratchPath(a.path_ + b);
  }
  friend GbkText operator+(const ScratchPath& a, const GbkText& b) { return GbkText(a.path_) + b; }
  friend bool operator==(const ScratchPath& a, const GbkText& b) { return GbkText(a.path_) == b; }

 private:
  std::string path_;
};

// A real temporary folder "<root>/w" whose files hold their own original
// names, so that every file can be traced after any run. The root also holds
// what a test puts beside the folder (a journal folder, for one).
class ScratchFolder {
 public:
  ScratchFolder() {
    char pattern[] = "/tmp/qm_scratch_XXXXXX";
    root_ = mkdtemp(pattern);
    path_ = root_ + "/w";
    std::filesystem::create_directory(path_);
  }
  ~ScratchFolder() {
    namespace fs = std::filesystem;
    std::error_code ignored;  // a test may have moved or removed the folder
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  ScratchPath Path() const { return ScratchPath(path_ + "/"); }
  std::string Root() const { return root_; }
  void Add(const std::string& name) const { std::ofstream(path_ + "/" + name) << name; }
  // name -> content of every entry in the folder.
  std::map<std::string, std::string> Files() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      std::ifstream in(entry.path());
      std::stringstream content;
      content << in.rdbuf();
      files[entry.path().filename().string()] = content.str();
    }
    return files;
  }

 private:
  std::string root_;
  std::string path_;
};

}  // namespace qm
