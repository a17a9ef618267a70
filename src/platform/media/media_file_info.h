#pragma once

#include <chrono>
#include <memory>

#include "platform/file_info.h"

namespace qm {

// Reads photos with Exiv2 (the date taken, the camera, the pixel size) and
// songs and videos with TagLib (tags and length). Each file gets a time of
// its own: a damaged file that makes a library loop is given up, and the
// read of the next file starts on a fresh worker thread.
class MediaFileInfoReader : public FileInfoReader {
 public:
  explicit MediaFileInfoReader(std::chrono::milliseconds per_file = std::chrono::seconds(5));
  ~MediaFileInfoReader() override;

  std::optional<FileInfo> Read(const GbkText& path, FileInfoFailure* why = nullptr) override;

 private:
  class Worker;
  std::chrono::milliseconds per_file_;
  std::shared_ptr<Worker> worker_;
};

// The same reading, on the calling thread and without a time limit: what a
// worker runs, and the baseline the benchmark compares against.
std::optional<FileInfo> ReadMediaFileInfo(const std::string& utf8_path);

}  // namespace qm
