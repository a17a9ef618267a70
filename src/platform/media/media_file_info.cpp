#include "platform/media/media_file_info.h"

#include <sys/stat.h>
#include <taglib/audioproperties.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>

#include <condition_variable>
#include <cstdio>
#include <ctime>
#include <exiv2/exiv2.hpp>
#include <mutex>
#include <string>
#include <thread>

#include "platform/encoding.h"

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

// False when the file is no picture Exiv2 knows.
bool ReadPicture(const std::string& path, FileInfo& info) {
  try {
    auto image = Exiv2::ImageFactory::open(path, false);
    if (!image.get()) return false;
    image->readMetadata();
    info.width = image->pixelWidth();
    info.height = image->pixelHeight();
    const Exiv2::ExifData& exif = image->exifData();
    info.taken = ExifTime(ExifText(exif, "Exif.Photo.DateTimeOriginal"));
    if (!info.taken) info.taken = ExifTime(ExifText(exif, "Exif.Image.DateTime"));
    info.camera = Utf8ToInternalLenient(
        Camera(ExifText(exif, "Exif.Image.Make"), ExifText(exif, "Exif.Image.Model")));
    return true;
  } catch (...) {  // Exiv2 reports a damaged or unknown file by throwing
    return false;
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
  struct stat status {};
  if (::stat(utf8_path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  FileInfo info;
  info.modified = LocalTime(status.st_mtime);
  if (!ReadPicture(utf8_path, info)) ReadSong(utf8_path, info);
  return info;
}

// One thread that reads one file at a time. When a read overruns, the reader
// walks away from the worker; the thread ends by itself once the library
// returns, and nobody waits for it.
class MediaFileInfoReader::Worker {
 public:
  Worker() {
    std::thread([state = state_] { Loop(*state); }).detach();
  }
  ~Worker() {
    std::lock_guard lock(state_->mutex);
    state_->quit = true;
    state_->wake.notify_all();
  }

  // nullopt with timed_out set when the read took longer than `limit`.
  std::optional<FileInfo> Read(const std::string& path, std::chrono::milliseconds limit,
                               bool& timed_out) {
    std::unique_lock lock(state_->mutex);
    state_->path = path;
    state_->has_job = true;
    state_->done = false;
    state_->wake.notify_all();
    timed_out = !state_->finished.wait_for(lock, limit, [this] { return state_->done; });
    if (timed_out) return std::nullopt;
    return std::move(state_->result);
  }

 private:
  struct State {
    std::mutex mutex;
    std::condition_variable wake, finished;
    std::string path;
    bool has_job = false, done = false, quit = false;
    std::optional<FileInfo> result;
  };

  static void Loop(State& state) {
    std::unique_lock lock(state.mutex);
    for (;;) {
      state.wake.wait(lock, [&state] { return state.has_job || state.quit; });
      if (state.quit) return;
      state.has_job = false;
      const std::string path = state.path;
      lock.unlock();
      std::optional<FileInfo> result = ReadMediaFileInfo(path);
      lock.lock();
      state.result = std::move(result);
      state.done = true;
      state.finished.notify_all();
    }
  }

  // Shared with the thread, which may outlive the worker.
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

MediaFileInfoReader::MediaFileInfoReader(std::chrono::milliseconds per_file) : per_file_(per_file) {
  Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
  Exiv2::XmpParser::initialize();  // once, before any thread reads
}

MediaFileInfoReader::~MediaFileInfoReader() = default;

std::optional<FileInfo> MediaFileInfoReader::Read(const GbkText& path, FileInfoFailure* why) {
  auto fail = [why](FileInfoFailure failure) -> std::optional<FileInfo> {
    if (why) *why = failure;
    return std::nullopt;
  };
  Result<std::string> utf8 = InternalToUtf8(path);
  if (!utf8.ok()) return fail(FileInfoFailure::Unreadable);
  if (!worker_) worker_ = std::make_shared<Worker>();
  bool timed_out = false;
  std::optional<FileInfo> info = worker_->Read(*utf8, per_file_, timed_out);
  if (timed_out) {
    worker_.reset();
    return fail(FileInfoFailure::TooSlow);
  }
  if (!info) return fail(FileInfoFailure::Unreadable);
  return info;
}

}  // namespace qm
