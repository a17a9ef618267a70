#include "platform/media/media_file_info.h"

#include <gtest/gtest.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mp4tag.h>
#include <taglib/mpegfile.h>

#include <exiv2/exiv2.hpp>
#include <filesystem>
#include <fstream>
#include <future>

#include "fakes/scratch_folder.h"
#include "base/encoding.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

// Test files made with the same libraries that read them, in a scratch folder.
class MediaFiles : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.Root() + "/w/" + name; }

  // A blank JPEG (Exiv2 makes one) with the Exif fields given.
  std::string Photo(const std::string& name,
                    const std::vector<std::pair<const char*, const char*>>& exif) {
    const std::string path = Path(name);
    auto image = Exiv2::ImageFactory::create(Exiv2::ImageType::jpeg, path);
    Exiv2::ExifData data;
    for (const auto& [key, value] : exif) data[key] = std::string(value);
    image->setExifData(data);
    image->writeMetadata();
    return path;
  }

  // An MP3 of silent MPEG-1 Layer III frames (128 kbit/s, 44.1 kHz), tagged
  // by TagLib.
  std::string Song(const std::string& name, const std::string& title_utf8, int frames = 100) {
    const std::string path = Path(name);
    {
      std::ofstream out(path, std::ios::binary);
      std::string frame(417, '\0');
      frame[0] = '\xFF';
      frame[1] = '\xFB';
      frame[2] = '\x90';
      for (int i = 0; i < frames; ++i) out << frame;
    }
    TagLib::MPEG::File file(path.c_str());
    TagLib::ID3v2::Tag* tag = file.ID3v2Tag(true);
    tag->setTitle(TagLib::String(title_utf8, TagLib::String::UTF8));
    tag->setArtist(TagLib::String("周杰伦", TagLib::String::UTF8));
    tag->setAlbum(TagLib::String("十一月的萧邦", TagLib::String::UTF8));
    tag->setTrack(3);
    tag->setYear(2005);
    file.save();
    return path;
  }

  // The smallest M4A TagLib takes: a sound track of `seconds` and no samples,
  // written atom by atom; TagLib then adds the tags.
  std::string SongM4a(const std::string& name, int seconds) {
    auto be32 = [](uint32_t n) {
      return std::string{static_cast<char>(n >> 24), static_cast<char>(n >> 16),
                         static_cast<char>(n >> 8), static_cast<char>(n)};
    };
    auto atom = [&be32](const char* type, const std::string& payload) {
      return be32(static_cast<uint32_t>(8 + payload.size())) + type + payload;
    };
    const std::string zero4(4, '\0');
    const std::string mvhd = atom(
        "mvhd", zero4 + zero4 + zero4 + be32(1000) + be32(seconds * 1000) + std::string(80, '\0'));
    const std::string mdhd =
        atom("mdhd", zero4 + zero4 + zero4 + be32(44100) + be32(seconds * 44100) + zero4);
    const std::string hdlr = atom("hdlr", zero4 + zero4 + "soun" + std::string(13, '\0'));
    const std::string moov = atom("moov", mvhd + atom("trak", atom("mdia", mdhd + hdlr)));
    const std::string path = Path(name);
    std::ofstream(path, std::ios::binary) << atom("ftyp", "M4A " + zero4 + "M4A mp42") + moov;
    TagLib::MP4::File file(path.c_str());
    TagLib::Tag* tag = file.tag();
    tag->setTitle(TagLib::String("稻香", TagLib::String::UTF8));
    tag->setArtist(TagLib::String("周杰伦", TagLib::String::UTF8));
    tag->setTrack(7);
    file.save();
    return path;
  }

  std::optional<FileInfo> Read(const std::string& path, FileInfoFailure* why = nullptr) {
    FileInfoRead read = reader_.Read(Gbk(path));
    if (why) *why = read.failure;
    return read.info;
  }

  ScratchFolder folder_;
  MediaFileInfoReader reader_;
};

TEST_F(MediaFiles, PhotosGiveTheirDateCameraAndSize) {
  auto original = Read(Photo("a.jpg", {{"Exif.Photo.DateTimeOriginal", "2024:03:07 09:05:02"},
                                       {"Exif.Image.DateTime", "2025:01:01 00:00:00"},
                                       {"Exif.Image.Make", "Canon"},
                                       {"Exif.Image.Model", "Canon EOS R6"}}));
  ASSERT_TRUE(original.has_value());
  EXPECT_EQ(original->taken, (CivilTime{2024, 3, 7, 9, 5, 2}));
  EXPECT_EQ(original->camera, "Canon EOS R6");
  EXPECT_GT(original->width, 0);
  EXPECT_GT(original->height, 0);
  EXPECT_TRUE(original->modified.has_value());

  // Without the original date, the image's own date; a clock never set is no date.
  auto image_date = Read(Photo("b.jpg", {{"Exif.Image.DateTime", "2023:12:31 23:59:59"},
                                         {"Exif.Image.Make", "NIKON"},
                                         {"Exif.Image.Model", "D750"}}));
  ASSERT_TRUE(image_date.has_value());
  EXPECT_EQ(image_date->taken, (CivilTime{2023, 12, 31, 23, 59, 59}));
  EXPECT_EQ(image_date->camera, "NIKON D750");
  auto unset = Read(Photo("c.jpg", {{"Exif.Photo.DateTimeOriginal", "0000:00:00 00:00:00"}}));
  ASSERT_TRUE(unset.has_value());
  EXPECT_FALSE(unset->taken.has_value());
}

TEST_F(MediaFiles, SongsGiveTheirTagsAndLength) {
  auto song = Read(Song("track01.mp3", "夜曲"));
  ASSERT_TRUE(song.has_value());
  EXPECT_EQ(song->title, Gbk("夜曲"));
  EXPECT_EQ(song->artist, Gbk("周杰伦"));
  EXPECT_EQ(song->album, Gbk("十一月的萧邦"));
  EXPECT_EQ(song->track, 3);
  EXPECT_EQ(song->year, 2005);
  EXPECT_EQ(song->duration_seconds, 2);  // 100 frames of 26 ms
  EXPECT_FALSE(song->taken.has_value());

  auto m4a = Read(SongM4a("track07.m4a", 223));
  ASSERT_TRUE(m4a.has_value());
  EXPECT_EQ(m4a->title, Gbk("稻香"));
  EXPECT_EQ(m4a->artist, Gbk("周杰伦"));
  EXPECT_EQ(m4a->track, 7);
  EXPECT_EQ(m4a->duration_seconds, 223);

  std::string long_title;
  for (int i = 0; i < 10000; ++i) long_title += "长";
  auto long_one = Read(Song("long.mp3", long_title));
  ASSERT_TRUE(long_one.has_value());
  EXPECT_EQ(long_one->title.size(), 20000u);  // whole; the name is cut where it is made
}

TEST_F(MediaFiles, DamagedStrangeAndMissingFilesNeverFail) {
  const std::string photo =
      Photo("whole.jpg", {{"Exif.Photo.DateTimeOriginal", "2024:03:07 09:05:02"}});
  std::string bytes;
  {
    std::ifstream in(photo, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  const std::string song = Song("whole.mp3", "x");
  std::string song_bytes;
  {
    std::ifstream in(song, std::ios::binary);
    song_bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  struct Row {
    const char* name;
    std::string bytes;
  } rows[] = {
      {"cut.jpg", bytes.substr(0, bytes.size() / 2)},
      {"cut.mp3", song_bytes.substr(0, 60)},
      // Exif's first segment claiming to run far past the file's end.
      {"long-segment.jpg", bytes.substr(0, 4) + "\xFF\xFF" + bytes.substr(6)},
      {"noise.jpg", std::string(4096, '\xA5')},
      {"noise.mp3", "ID3\x04\x00\x00\x7F\x7F\x7F\x7F" + std::string(100, '\x01')},
      {"empty.m4a", ""},
      {"text.txt", "just text"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::ofstream(Path(row.name), std::ios::binary) << row.bytes;
    auto info = Read(Path(row.name));
    ASSERT_TRUE(info.has_value());  // a file there always has its modification time
    EXPECT_TRUE(info->modified.has_value());
  }
  FileInfoFailure why{};
  EXPECT_FALSE(Read(Path("missing.jpg"), &why).has_value());
  EXPECT_EQ(why, FileInfoFailure::Unreadable);
  fs::create_directory(Path("folder.jpg"));
  EXPECT_FALSE(Read(Path("folder.jpg")).has_value());
}

TEST_F(MediaFiles, AReadThatHangsIsGivenUpAndTheFilesAfterItAreStillRead) {
  const std::string song = Song("a.mp3", "夜曲");
  // A read of "hang.mp3" that does not return until the test ends, as a
  // library caught in a loop by a damaged file.
  auto release = std::make_shared<std::promise<void>>();
  std::shared_future<void> released = release->get_future().share();
  MediaFileInfoReader reader(std::chrono::milliseconds(1500),
                             [released](const std::string& path) -> std::optional<FileInfo> {
                               if (path.ends_with("hang.mp3")) released.wait();
                               return ReadMediaFileInfo(path);
                             });
  std::vector<std::string> seen;
  reader.ReadEach({Gbk(song), Gbk(Path("hang.mp3")), Gbk(song)}, [&](size_t, FileInfoRead read) {
    seen.push_back(read.info                                  ? *InternalToUtf8(read.info->title)
                   : read.failure == FileInfoFailure::TooSlow ? "too slow"
                                                              : "unreadable");
    return true;
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"夜曲", "too slow", "夜曲"}));
  release->set_value();
}

TEST_F(MediaFiles, ReadingStopsWhenAsked) {
  const std::string song = Song("a.mp3", "夜曲");
  std::vector<size_t> seen;
  reader_.ReadEach({Gbk(song), Gbk(song), Gbk(song)}, [&](size_t index, FileInfoRead read) {
    EXPECT_TRUE(read.info.has_value());
    seen.push_back(index);
    return index < 1;
  });
  EXPECT_EQ(seen, (std::vector<size_t>{0, 1}));
}

}  // namespace
}  // namespace qm
