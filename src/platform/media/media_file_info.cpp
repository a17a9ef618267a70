#include "platform/media/media_file_info.h"

#include <sys/stat.h>
#include <taglib/audioproperties.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <ctime>
#include <exiv2/exiv2.hpp>
#include <mutex>
#include <string>
#include <thread>

#include "base/encoding.h"

namespace qm {
namespace {

// "YYYY:MM:DD HH:MM:SS" as Exif writes it; cameras without a clock write
// zeros or blanks, which is no date.
std::optional<CivilTime> ExifTime(const std::string& text) {
  CivilTime time;
  if (std::sscanf(text.c_str(), "%4d:%2d:%2d %2d:%2d:%2d", &time.year, &time.month, &time.day,
                  &time.hour, &time.minute, &time.second) != 6) {
    return std::nullopt;
  }
  if (time.year < 1 || time.month < 1 || time.month > 12 || time.day < 1 || time.day > 31 ||
      time.hour > 23 || time.minute > 59 || time.second > 60) {
    return std::nullopt;
  }
  return time;
}

std::string ExifText(const Exiv2::ExifData& exif, const char* key) {
  auto found = exif.findKey(Exiv2::ExifKey(key));
  if (found == exif.end()) return {};
  std::string text = found->toString();
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.pop_back();
  return text;
}

// Make and model, without the make twice when the model repeats it.
std::string Camera(const std::string& make, const std::string& model) {
  if (model.empty()) return make;
  if (make.empty() || model.rfind(make, 0) == 0) return model;
  return make + " " + model;
}

// The kind of file Exiv2 took it for ("image/jpeg", "video/quicktime"); empty
// when it knows no such file.
std::string ReadPicture(const std::string& path, FileInfo& info) {
  try {
    auto image = Exiv2::ImageFactory::open(path, false);
    if (!image.get()) return {};
    image->readMetadata();
    info.width = image->pixelWidth();
    info.height = image->pixelHeight();
    const Exiv2::ExifData& exif = image->exifData();
    info.taken = ExifTime(ExifText(exif, "Exif.Photo.DateTimeOriginal"));
    if (!info.taken) info.taken = ExifTime(ExifText(exif, "Exif.Image.DateTime"));
    info.camera = Utf8ToInternalLenient(
        Camera(ExifText(exif, "Exif.Image.Make"), ExifText(exif, "Exif.Image.Model")));
    return image->mimeType();
  } catch (...) {  // Exiv2 reports a damaged or unknown file by throwing
    return {};
  }
}

GbkText TagText(const TagLib::String& text) { return Utf8ToInternalLenient(text.to8Bit(true)); }

bool ReadSong(const std::string& path, FileInfo& info) {
  try {
    TagLib::FileRef file(path.c_str(), true, TagLib::AudioProperties::Average);
    if (file.isNull()) return false;
    if (TagLib::Tag* tag = file.tag()) {
      info.title = TagText(tag->title());
      info.artist = TagText(tag->artist());
      info.album = TagText(tag->album());
      info.track = static_cast<int>(tag->track());
      info.year = static_cast<int>(tag->year());
    }
    if (TagLib::AudioProperties* properties = file.audioProperties()) {
      info.duration_seconds = properties->lengthInSeconds();
    }
    return true;
  } catch (...) {
    return false;
  }
}

std::optional<CivilTime> LocalTime(time_t seconds) {
  std::tm local{};
  if (!localtime_r(&seconds, &local)) return std::nullopt;
  return CivilTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                   local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace

std::optional<FileInfo> ReadMediaFileInfo(const std::string& utf8_path) {
  if (utf8_path.empty()) return std::nullopt;
  struct stat status {};
  if (::stat(utf8_path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  FileInfo info;
  info.modified = LocalTime(status.st_mtime);
  // Exiv2 also opens sound and video containers (M4A and MP4 as QuickTime),
  // whose tags and length TagLib reads; a still picture needs no second look.
  if (ReadPicture(utf8_path, info).rfind("image/", 0) != 0) ReadSong(utf8_path, info);
  return info;
}

namespace {

// A thread that reads files from `first` on, each result ready as soon as it
// is read. When a read overruns, the caller walks away and sets `abandoned`;
// the thread stops once the library returns, and nobody waits for it.
class Worker {
 public:
  Worker(std::vector<std::string> paths, size_t first, MediaFileInfoReader::ReadOne read_one)
      : state_(std::make_shared<State>()) {
    state_->paths = std::move(paths);
    state_->results.resize(state_->paths.size());
    state_->ready = first;
    std::thread([state = state_, first, read_one = std::move(read_one)] {
      Run(*state, first, read_one);
    }).detach();
  }
  ~Worker() {
    std::lock_guard lock(state_->mutex);
    state_->abandoned = true;
  }

  // The read of file `index`, or nullopt when no file was read for `limit`
  // while the caller waited for it. A caller that waits asks to be woken a
  // batch of files later, so the worker does not wake it for every file.
  std::optional<std::optional<FileInfo>> Take(size_t index, std::chrono::milliseconds limit) {
    std::unique_lock lock(state_->mutex);
    while (state_->ready <= index) {
      const size_t before = state_->ready;
      state_->wake_at = std::min(index + kBatch, state_->paths.size());
      state_->finished.wait_for(lock, limit, [&] { return state_->ready >= state_->wake_at; });
      if (state_->ready == before) return std::nullopt;  // the file being read hangs
    }
    return std::move(state_->results[index]);
  }

 private:
  struct State {
    std::mutex mutex;
    std::condition_variable finished;
    std::vector<std::string> paths;
    std::vector<std::optional<FileInfo>> results;
    size_t ready = 0;    // files read so far, counted from the first
    size_t wake_at = 0;  // the caller waits until this many are read
    bool abandoned = false;
  };
  static constexpr size_t kBatch = 64;

  static void Run(State& state, size_t first, const MediaFileInfoReader::ReadOne& read_one) {
    for (size_t k = first; k < state.paths.size(); ++k) {
      std::optional<FileInfo> info = read_one(state.paths[k]);
      std::lock_guard lock(state.mutex);
      if (state.abandoned) return;
      state.results[k] = std::move(info);
      state.ready = k + 1;
      if (state.ready >= state.wake_at) state.finished.notify_all();
    }
  }

  std::shared_ptr<State> state_;
};

}  // namespace

MediaFileInfoReader::MediaFileInfoReader(std::chrono::milliseconds per_file, ReadOne read_one)
    : per_file_(per_file), read_one_(std::move(read_one)) {
  Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
  Exiv2::XmpParser::initialize();  // once, before any thread reads
}

void MediaFileInfoReader::ReadEach(const std::vector<GbkText>& paths,
                                   const std::function<bool(size_t, FileInfoRead)>& each) {
  // A path with no form on disk cannot be read; the worker skips it.
  std::vector<std::string> on_disk(paths.size());
  for (size_t k = 0; k < paths.size(); ++k) {
    if (Result<std::string> utf8 = InternalToUtf8(paths[k]); utf8.ok()) on_disk[k] = *utf8;
  }
  std::unique_ptr<Worker> worker;
  for (size_t k = 0; k < paths.size(); ++k) {
    if (!worker) worker = std::make_unique<Worker>(on_disk, k, read_one_);
    FileInfoRead read;
    if (std::optional<std::optional<FileInfo>> taken = worker->Take(k, per_file_)) {
      read.info = std::move(*taken);
    } else {
      read.failure = FileInfoFailure::TooSlow;
      worker.reset();
    }
    if (!each(k, std::move(read))) return;
  }
}

}  // namespace qm
