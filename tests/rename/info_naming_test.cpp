#include "rename/info_naming.h"

#include <gtest/gtest.h>

#include "text/gbk_text.h"

namespace qm {
namespace {

FileInfo Photo() {
  FileInfo info;
  info.taken = CivilTime{2024, 3, 7, 9, 5, 2};
  info.modified = CivilTime{2025, 12, 31, 23, 59, 58};
  info.camera = "Canon EOS R6";
  info.width = 6000;
  info.height = 4000;
  return info;
}

FileInfo Song() {
  FileInfo info;
  info.modified = CivilTime{2025, 1, 2, 3, 4, 5};
  info.title = Gbk("夜曲");
  info.artist = Gbk("周杰伦");
  info.album = Gbk("十一月的萧邦");
  info.track = 3;
  info.year = 2005;
  info.duration_seconds = 226;
  return info;
}

TEST(NameFromInfo, FillsEveryFieldOrSaysWhichIsMissing) {
  struct Row {
    const char* name;
    const char* pattern;
    FileInfo info;
    bool fallback;
    const char* stem;    // the new stem, or
    const char* reason;  // why the entry keeps its name
  } rows[] = {
      {"photo/date-and-name", "{拍摄日期}_{原名}", Photo(), false, "2024-03-07_IMG_2041", ""},
      {"photo/time", "{拍摄日期} {拍摄时间}", Photo(), false, "2024-03-07 09-05-02", ""},
      {"photo/camera-size", "{相机} {宽}x{高}", Photo(), false, "Canon EOS R6 6000x4000", ""},
      {"song/tags", "{音轨}. {艺术家} - {标题} ({专辑}, {年份}) {时长}", Song(), false,
       "03. 周杰伦 - 夜曲 (十一月的萧邦, 2005) 03分46秒", ""},
      {"song/no-date", "{拍摄日期}_{原名}", Song(), false, nullptr, "没有拍摄日期"},
      {"song/no-date-fallback", "{拍摄日期}_{原名}", Song(), true, "2025-01-02_IMG_2041", ""},
      {"photo/no-title", "{标题}", Photo(), false, nullptr, "没有标题"},
      {"photo/no-duration", "{时长}", Photo(), false, nullptr, "没有时长"},
      {"any/modified", "{修改日期}", Photo(), false, "2025-12-31", ""},
      {"unknown-field-is-text", "{无此项}{原名}", Photo(), false, "{无此项}IMG_2041", ""},
      {"blank-title-is-missing", "{标题}",
       [] {
         FileInfo i = Song();
         i.title = "  ";
         return i;
       }(),
       false, nullptr, "没有标题"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    InfoNamingOptions options{Gbk("yyyy-MM-dd"), row.fallback};
    InfoName name =
        NameFromInfo(ParseInfoTemplate(Gbk(row.pattern)), Gbk("IMG_2041"), row.info, options);
    if (row.stem) {
      ASSERT_TRUE(name.stem.has_value()) << *name.stem;
      EXPECT_EQ(*name.stem, Gbk(row.stem));
    } else {
      EXPECT_FALSE(name.stem.has_value());
      EXPECT_EQ(name.reason, Gbk(row.reason));
    }
  }
}

TEST(NameFromInfo, OnlyTheNameNeedsNoReading) {
  EXPECT_FALSE(NeedsFileInfo(ParseInfoTemplate(Gbk("第{原名}集"))));
  EXPECT_TRUE(NeedsFileInfo(ParseInfoTemplate(Gbk("{原名}{宽}"))));
}

TEST(FormatCivilTime, QtLetters) {
  const CivilTime time{2024, 3, 7, 21, 5, 2};
  struct Row {
    const char* format;
    const char* text;
  } rows[] = {
      {"yyyy-MM-dd", "2024-03-07"},
      {"yyyyMMdd_HHmmss", "20240307_210502"},
      {"yy.M.d H:m:s", "24.3.7 21:5:2"},
      {"hh:mm AP", "09:05 PM"},
      {"h ap", "9 pm"},
      {"yyyy'年'M'月'd'日'", "2024年3月7日"},
      {"'it''s' d", "it's 7"},
      {"dd''MM", "07'03"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.format);
    EXPECT_EQ(FormatCivilTime(time, Gbk(row.format)), Gbk(row.text));
  }
}

TEST(CleanForName, TagTextBecomesASafeName) {
  EXPECT_EQ(CleanForName(Gbk("  AC/DC\tLive\x01  ")), Gbk("AC_DC_Live_"));
  EXPECT_EQ(CleanForName(Gbk("　夜曲　")), Gbk("夜曲"));  // full-width spaces too
}

TEST(FitStem, CutsAtACharacterSoTheNameFitsOnDisk) {
  GbkText title;
  for (int i = 0; i < 10000; ++i) title += Gbk("歌");  // 3 bytes each on disk
  const GbkText fitted = FitStem(title, Gbk(".mp3"));
  EXPECT_EQ(fitted.size() % 2, 0u);
  EXPECT_EQ(fitted.size() / 2 * 3 + 4, 253u);  // 83 characters; the 84th would pass 255
  EXPECT_EQ(FitStem(Gbk("short"), ".mp3"), "short");
}

}  // namespace
}  // namespace qm
