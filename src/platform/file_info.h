#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "base/gbk_text_type.h"
#include "base/result.h"

namespace qm {

// A date and time as a camera or the clock of this computer wrote it: local
// time, with no zone attached.
struct CivilTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  friend bool operator==(const CivilTime&, const CivilTime&) = default;
};

// What a file holds beyond its bytes: a photo's camera data, a song's or a
// video's tags. A field the file does not have is empty (or 0).
struct FileInfo {
  std::optional<CivilTime> taken;     // when the photo was taken
  std::optional<CivilTime> modified;  // the file's modification time, local
  GbkText camera;                     // make and model
  int width = 0;                      // pixels, of a picture or a video
  int height = 0;
  GbkText title;
  GbkText artist;
  GbkText album;
  int track = 0;
  int year = 0;
  int duration_seconds = -1;  // -1: not a song or a video
};

// Why a file's information could not be read at all.
enum class FileInfoFailure {
  Unreadable,  // missing, not readable, or a kind of file neither library knows
  TooSlow,     // reading it took longer than a file may take
};

// One file's information as read, or why it could not be.
struct FileInfoRead {
  std::optional<FileInfo> info;
  FileInfoFailure failure = FileInfoFailure::Unreadable;  // when info is empty
};

// Reads what files hold. Texts are in the internal encoding.
class FileInfoReader {
 public:
  virtual ~FileInfoReader() = default;
  // Reads the files in order and hands each over as soon as it is read; stops
  // when `each` returns false (a long job stopped by the user).
  virtual void ReadEach(const std::vector<GbkText>& paths,
                        const std::function<bool(size_t index, FileInfoRead read)>& each) = 0;

  FileInfoRead Read(const GbkText& path) {
    FileInfoRead result;
    ReadEach({path}, [&result](size_t, FileInfoRead read) {
      result = std::move(read);
      return true;
    });
    return result;
  }
};

}  // namespace qm
