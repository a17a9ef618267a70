#pragma once

#include <chrono>
#include <string>

#include "platform/file_info.h"

namespace qm {

// Reads photos with Exiv2 (the date taken, the camera, the pixel size) and
// songs and videos with TagLib (tags and length), on a worker thread that
// runs ahead of the caller. Each file gets a time of its own: a damaged file
// that makes a library loop is given up, and the files after it are read by
// a fresh worker.
// One file, on the calling thread and without a time limit: what a worker
// runs, and the baseline the benchmark compares against.
std::optional<FileInfo> ReadMediaFileInfo(const std::string& utf8_path);

class MediaFileInfoReader : public FileInfoReader {
 public:
  // How one file is read; a test may stand in a read that hangs.
  using ReadOne = std::function<std::optional<FileInfo>(const std::string& utf8_path)>;

  explicit MediaFileInfoReader(std::chrono::milliseconds per_file = std::chrono::seconds(5),
                               ReadOne read_one = ReadMediaFileInfo);

  void ReadEach(const std::vector<GbkText>& paths,
                const std::function<bool(size_t index, FileInfoRead read)>& each) override;

 private:
  std::chrono::milliseconds per_file_;
  ReadOne read_one_;
};

}  // namespace qm
