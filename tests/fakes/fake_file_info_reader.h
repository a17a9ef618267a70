#pragma once

#include <map>
#include <vector>

#include "platform/file_info.h"

namespace qm {

// What each path holds, as a test says; a path it does not know reads as
// unreadable. Records what was asked.
class FakeFileInfoReader : public FileInfoReader {
 public:
  void ReadEach(const std::vector<GbkText>& paths,
                const std::function<bool(size_t index, FileInfoRead read)>& each) override {
    for (size_t k = 0; k < paths.size(); ++k) {
      ++reads;
      FileInfoRead read;
      auto found = files.find(paths[k]);
      if (found != files.end()) read = found->second;
      if (!each(k, std::move(read))) return;
    }
  }

  std::map<GbkText, FileInfoRead> files;
  int reads = 0;
};

}  // namespace qm
