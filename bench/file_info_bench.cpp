// Reading 10,000 photos' information through the reader (its worker thread
// and time limit included) against a bare Exiv2 loop reading the date taken
// from the same files.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <exiv2/exiv2.hpp>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/media/media_file_info.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

constexpr int kPhotos = 10000;

// JPEGs with a date taken, on tmpfs so the disk does not set the pace.
class Photos {
 public:
  Photos() {
    folder_ = "/dev/shm/qm_file_info_bench_" + std::to_string(::getpid());
    std::filesystem::create_directories(folder_);
    const std::string first = folder_ + "/IMG_0.JPG";
    {
      auto image = Exiv2::ImageFactory::create(Exiv2::ImageType::jpeg, first);
      Exiv2::ExifData exif;
      exif["Exif.Photo.DateTimeOriginal"] = std::string("2024:03:07 09:05:02");
      exif["Exif.Image.Make"] = std::string("Canon");
      image->setExifData(exif);
      image->writeMetadata();
    }
    paths_.push_back(first);
    for (int i = 1; i < kPhotos; ++i) {
      paths_.push_back(folder_ + "/IMG_" + std::to_string(i) + ".JPG");
      std::filesystem::copy_file(first, paths_.back());
    }
  }
  ~Photos() { std::filesystem::remove_all(folder_); }
  const std::vector<std::string>& Paths() const { return paths_; }

 private:
  std::string folder_;
  std::vector<std::string> paths_;
};

const Photos& SharedPhotos() {
  static Photos photos;
  return photos;
}

void BM_BareExiv2Loop(benchmark::State& state) {
  const Photos& photos = SharedPhotos();
  Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
  for (auto _ : state) {
    int dated = 0;
    for (const std::string& path : photos.Paths()) {
      auto image = Exiv2::ImageFactory::open(path, false);
      image->readMetadata();
      const Exiv2::ExifData& exif = image->exifData();
      dated += exif.findKey(Exiv2::ExifKey("Exif.Photo.DateTimeOriginal")) != exif.end();
    }
    benchmark::DoNotOptimize(dated);
  }
  state.SetItemsProcessed(state.iterations() * kPhotos);
}

void BM_ReadFileInfo(benchmark::State& state) {
  const Photos& photos = SharedPhotos();
  std::vector<GbkText> paths;
  for (const std::string& path : photos.Paths()) paths.push_back(Gbk(path));
  MediaFileInfoReader reader;
  for (auto _ : state) {
    int dated = 0;
    reader.ReadEach(paths, [&dated](size_t, FileInfoRead read) {
      dated += read.info && read.info->taken;
      return true;
    });
    benchmark::DoNotOptimize(dated);
  }
  state.SetItemsProcessed(state.iterations() * kPhotos);
}

BENCHMARK(BM_BareExiv2Loop)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ReadFileInfo)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
}  // namespace qm

BENCHMARK_MAIN();
