#include "rename/info_operations.h"

#include <gtest/gtest.h>

#include "rename/operation_runs.h"

namespace qm {
namespace {

FileInfoRead Photo(CivilTime taken) {
  FileInfo info;
  info.taken = taken;
  info.camera = "Canon EOS";
  return {info};
}

FileInfoRead Song(const char* artist, const char* title, int track) {
  FileInfo info;
  info.artist = Gbk(artist);
  info.title = Gbk(title);
  info.track = track;
  info.duration_seconds = 200;
  return {info};
}

struct InfoWorld : RenameWorld {
  InfoWorld() {
    form.SetText(Control::编辑框_日期格式, Gbk("yyyy-MM-dd"));
    AddFiles({"IMG_1.JPG", "IMG_2.JPG", "scan.png", "track01.mp3"});
    file_info.files["/w/IMG_1.JPG"] = Photo({2024, 5, 1, 9, 30, 0});
    file_info.files["/w/IMG_2.JPG"] = Photo({2024, 5, 2, 18, 5, 9});
    FileInfo plain;
    plain.modified = CivilTime{2023, 12, 31, 23, 59, 0};
    file_info.files["/w/scan.png"] = {plain};
    file_info.files["/w/track01.mp3"] = Song("周杰伦", "晴天", 3);
  }
  std::vector<GbkText> Failed() const {
    std::vector<GbkText> rows;
    if (failures.shown.empty()) return rows;
    for (const auto& row : failures.shown.back().rows)
      rows.push_back(row.old_name + "|" + row.reason);
    return rows;
  }
};

// Each file gets its template filled from what it holds; a file that lacks a
// field keeps its name and is listed with the reason.
TEST(NameFromInfoRuns, FillsTheTemplateAndListsWhatIsMissing) {
  struct Row {
    const char* name;
    const char* pattern;
    bool modified_for_date;
    std::vector<std::string> expected;
    std::vector<std::string> failed;  // "old|reason"
  };
  const Row rows[] = {
      {"date taken",
       "{拍摄日期}_{原名}",
       false,
       {"2024-05-01_IMG_1.JPG", "2024-05-02_IMG_2.JPG", "scan.png", "track01.mp3"},
       {"scan.png|没有拍摄日期", "track01.mp3|没有拍摄日期"}},
      {"modified time for a missing date",
       "{拍摄日期}_{原名}",
       true,
       {"2024-05-01_IMG_1.JPG", "2024-05-02_IMG_2.JPG", "2023-12-31_scan.png", "track01.mp3"},
       {"track01.mp3|没有拍摄日期"}},
      {"song tags",
       "{音轨} {艺术家} - {标题}",
       false,
       {"IMG_1.JPG", "IMG_2.JPG", "scan.png", "03 周杰伦 - 晴天.mp3"},
       {"IMG_1.JPG|没有音轨号", "IMG_2.JPG|没有音轨号", "scan.png|没有音轨号"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    InfoWorld world;
    world.form.SetText(Control::编辑框_信息模板, Gbk(row.pattern));
    world.form.SetChecked(Control::选择框_无日期用修改时间, row.modified_for_date);
    RunOperation(OperationId::NameFromInfo, world.services);
    std::vector<GbkText> expected;
    for (const std::string& name : row.expected) expected.push_back(Gbk(name));
    EXPECT_EQ(world.list.Column(0), expected);
    std::vector<GbkText> failed;
    for (const std::string& one : row.failed) failed.push_back(Gbk(one));
    EXPECT_EQ(world.Failed(), failed);
    EXPECT_EQ(world.Texts().front(), Gbk("确定更名吗？"));
  }
}

// A template of the name alone reads no file; folder mode is refused before
// anything is read; a stop while reading renames nothing.
TEST(NameFromInfoRuns, ReadsOnlyWhatItNeedsAndStopsWhenAsked) {
  {
    InfoWorld world;
    world.form.SetText(Control::编辑框_信息模板, Gbk("备份_{原名}"));
    RunOperation(OperationId::NameFromInfo, world.services);
    EXPECT_EQ(world.file_info.reads, 0);
    EXPECT_EQ(world.list.Cell(0, 0), Gbk("备份_IMG_1.JPG"));
  }
  {
    InfoWorld world;
    world.FolderMode();
    world.form.SetText(Control::编辑框_信息模板, Gbk("{拍摄日期}"));
    RunOperation(OperationId::NameFromInfo, world.services);
    EXPECT_EQ(world.Texts(),
              std::vector<GbkText>{Gbk("文件夹里没有拍摄日期和标签可读，请选择处理文件")});
    EXPECT_EQ(world.file_info.reads, 0);
  }
  {
    InfoWorld world;
    world.form.SetText(Control::编辑框_信息模板, Gbk("{拍摄日期}"));
    world.progress.answer = [](int done, int) { return done < 2; };
    RunOperation(OperationId::NameFromInfo, world.services);
    EXPECT_EQ(world.file_info.reads, 2);
    EXPECT_TRUE(world.messages.shown.empty());
    EXPECT_EQ(world.list.Cell(0, 0), "IMG_1.JPG");
    EXPECT_EQ(world.progress.jobs.front().what, Gbk("正在读取文件信息……"));
  }
}

}  // namespace
}  // namespace qm
