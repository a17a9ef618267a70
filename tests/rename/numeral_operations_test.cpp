#include "rename/numeral_operations.h"

#include <gtest/gtest.h>

#include "rename/operations.h"
#include "rename/rename_world.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

struct Row {
  const char* name;
  const char* subject;
  const char* expected;  // "" = left alone
};

TEST(DigitsToChineseNumerals, WritesTheFirstDigitRunInNumerals) {
  const Row rows[] = {
      {"one", "第1课", "第一课"},
      {"teen", "第15课", "第十五课"},
      {"zero-inside", "第105课", "第一百零五课"},
      {"leading-zeros-do-not-count", "第010课", "第十课"},
      {"zero", "第0课", "第零课"},
      {"only-first-run", "Lesson 3 part 12", "Lesson 三 part 12"},
      {"no-digits", "第一课", ""},
      {"largest-writable", "9999999999999", "九万九千九百九十九亿九千九百九十九万九千九百九十九"},
      {"too-large-left-alone", "第10000000000000课", ""},
      {"long-zero-padding-still-small", "第0000000000000007课", "第七课"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DigitsToChineseNumerals(Gbk(row.subject)), Gbk(row.expected));
  }
}

TEST(ChineseNumeralsToDigits, WritesTheFirstRecognisedNumeralRunInDigits) {
  const Row rows[] = {
      {"teen-with-extension", "第十五课.mp4", "第15课.mp4"},
      {"zero-inside", "第一百零五课", "第105课"},
      {"twenty-one", "第二十一课", "第21课"},
      {"liang-left-alone", "第两课", ""},
      {"long-teen-form-left-alone", "第一十五课", ""},
      {"thousand-left-alone", "第一千课", ""},
      {"odd-ascii-prefix-left-alone", "A第三课", ""},
      {"even-ascii-prefix", "01第三课", "01第3课"},
      {"first-run-only", "第三章第四节", "第3章第四节"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ChineseNumeralsToDigits(Gbk(row.subject)), Gbk(row.expected));
  }
}

TEST(NumeralRenames, RoundTripBelowAThousandOnly) {
  EXPECT_EQ(ChineseNumeralsToDigits(DigitsToChineseNumerals(Gbk("第1课"))), Gbk("第1课"));
  EXPECT_EQ(ChineseNumeralsToDigits(DigitsToChineseNumerals(Gbk("第999课"))), Gbk("第999课"));
  EXPECT_EQ(ChineseNumeralsToDigits(DigitsToChineseNumerals(Gbk("第1000课"))), "");
}

// Records what 进度条1 showed at every rename the run attempted.
class ProgressWatchingFiles : public FakeFileSystem {
 public:
  explicit ProgressWatchingFiles(const FakeForm& form) : form_(form) {}
  Result<void> Rename(const GbkText& from, const GbkText& to) override {
    const auto& bar = form_.State(Control::进度条1);
    seen.push_back({bar.visible, bar.progress_value});
    return FakeFileSystem::Rename(from, to);
  }
  struct Seen {
    bool visible;
    int value;
    bool operator==(const Seen&) const = default;
  };
  std::vector<Seen> seen;

 private:
  const FakeForm& form_;
};

TEST(NumeralRuns, DigitsToNumeralsRenamesAndReportsTheCountWithoutIcon) {
  RenameWorld world;
  world.AddFiles({Gbk("第1课.mp4"), Gbk("第15课.mp4"), "notes.txt"});
  world.form.SetVisible(Control::进度条1, false);
  RunOperation(OperationId::DigitsToChineseNumerals, world.services);
  EXPECT_EQ(world.list.Column(0),
            (std::vector<GbkText>{Gbk("第一课.mp4"), Gbk("第十五课.mp4"), "notes.txt"}));
  EXPECT_TRUE(world.files.Exists(Gbk("/w/第十五课.mp4")));
  ASSERT_EQ(world.messages.shown.size(), 2u);
  EXPECT_EQ(world.messages.shown[0].text, Gbk("确定更名吗？"));
  EXPECT_EQ(world.messages.shown[1].text, Gbk("总共更改2个"));
  EXPECT_EQ(world.messages.shown[1].title, Gbk("更名数量"));
  EXPECT_EQ(world.messages.shown[1].icon, Icon::None);
  EXPECT_FALSE(world.form.IsVisible(Control::进度条1));  // never shown by this one
}

TEST(NumeralRuns, NumeralsToDigitsMovesTheProgressBarInFileModeOnly) {
  RenameWorld world;
  ProgressWatchingFiles files(world.form);
  MainServices services{world.form, world.list, world.messages, world.windows, files};
  files.AddFolder(Gbk("/w"));
  for (const char* name : {"第一课.mp4", "第二课.mp4", "第三课.mp4", "第四课.mp4"}) {
    files.AddFile("/w/" + Gbk(name));
    world.list.AppendRows({Gbk(name)});
  }
  world.form.SetVisible(Control::进度条1, false);
  RunOperation(OperationId::ChineseNumeralsToDigits, services);
  using Seen = ProgressWatchingFiles::Seen;
  // Each rename sees the share done before it.
  EXPECT_EQ(files.seen, (std::vector<Seen>{{true, 0}, {true, 25}, {true, 50}, {true, 75}}));
  EXPECT_FALSE(world.form.IsVisible(Control::进度条1));
  EXPECT_EQ(world.list.Column(0), (std::vector<GbkText>{Gbk("第1课.mp4"), Gbk("第2课.mp4"),
                                                        Gbk("第3课.mp4"), Gbk("第4课.mp4")}));
  EXPECT_EQ(world.messages.shown.back().text, Gbk("总共更改4个"));

  // Preview: the bar stays hidden and nothing is renamed.
  files.seen.clear();
  world.list.SetCell(0, 0, Gbk("第五课.mp4"));
  files.AddFile(Gbk("/w/第五课.mp4"));
  world.OpenPreviewColumn();
  RunOperation(OperationId::ChineseNumeralsToDigits, services);
  EXPECT_TRUE(files.seen.empty());
  EXPECT_FALSE(world.form.IsVisible(Control::进度条1));
  EXPECT_EQ(world.list.Cell(0, 1), Gbk("第5课.mp4"));
}

TEST(NumeralRuns, NumeralsToDigitsScansTheSubfoldersInFolderMode) {
  RenameWorld world;
  world.FolderMode();
  world.files.AddFolder(Gbk("/w/第三章"));
  world.files.AddFolder(Gbk("/w/第十章"));
  world.files.AddFolder(Gbk("/w/附录"));
  world.list.AppendRows({Gbk("第三章")});  // the scan, not the list, decides what is renamed
  world.form.SetVisible(Control::进度条1, false);
  RunOperation(OperationId::ChineseNumeralsToDigits, world.services);
  EXPECT_EQ(world.files.Names(Gbk("/w")),
            (std::vector<GbkText>{Gbk("第3章"), Gbk("第10章"), Gbk("附录")}));
  EXPECT_EQ(world.list.Column(0), std::vector<GbkText>{Gbk("第3章")});
  EXPECT_EQ(world.messages.shown.back().text, Gbk("总共更改2个"));
  EXPECT_FALSE(world.form.IsVisible(Control::进度条1));
}

TEST(NumeralRuns, NeverRenamesOntoAnExistingName) {
  RenameWorld world;
  world.files.AddFile(Gbk("/w/第一课.txt"), "keep me");
  world.AddFiles({Gbk("第1课.txt")});
  RunOperation(OperationId::DigitsToChineseNumerals, world.services);
  EXPECT_EQ(world.files.Content(Gbk("/w/第一课.txt")), "keep me");
  EXPECT_TRUE(world.files.Exists(Gbk("/w/第1课.txt")));
  EXPECT_EQ(world.list.Column(0), std::vector<GbkText>{Gbk("第1课.txt")});
  EXPECT_EQ(world.messages.shown.back().text, Gbk("总共更改0个"));
}

}  // namespace
}  // namespace qm
