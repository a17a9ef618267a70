#include "rename/rename_run.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/posix/posix_file_system.h"
#include "rename/operations.h"
#include "rename/preview_commit.h"
#include "rename/rename_world.h"

namespace qm {
namespace {

std::vector<GbkText> Gbks(const std::vector<std::string>& utf8) {
  std::vector<GbkText> texts;
  for (const std::string& text : utf8) texts.push_back(Gbk(text));
  return texts;
}

// ---- Checks before any entry is read, for every operation's profile ----

struct CheckRow {
  const char* name;
  OperationId id;
  std::vector<Control> inputs;
  std::string all_empty;  // inputs and WorkingFolder empty
  std::string all_empty_title;
  std::string input_message;  // only an input empty ("" when there is none)
  std::string input_title;
  std::string no_folder;         // WorkingFolder is the bare separator
  std::string folder_mode_none;  // folder mode, WorkingFolder empty, inputs filled
  std::string folder_mode_bare;  // folder mode, WorkingFolder the bare separator
  std::string folder_mode_set;   // folder mode, WorkingFolder set ("" when it runs)
};

const std::string kDrop = "路径呢？请先拖入文件！";
const std::string kNone = "什么都没有选择";
const std::string kNoneLoud = "什么都没有选择！";
const std::string kRemove = "去掉什么？不能为空";
const std::string kAdd = "弄啥嘞？不能为空";

const CheckRow kCheckRows[] = {
    {"delete-after/input-first",
     OperationId::DeleteAfter,
     {Control::编辑框9},
     kRemove,
     "",
     kRemove,
     "",
     kNone,
     kDrop,
     kNone,
     ""},
    {"delete-before/input-first",
     OperationId::DeleteBefore,
     {Control::编辑框8},
     kRemove,
     "",
     kRemove,
     "",
     kNone,
     kDrop,
     kNone,
     ""},
    {"delete-n-times/folder-first",
     OperationId::DeleteNTimes,
     {Control::编辑框1},
     kDrop,
     "",
     kRemove,
     "",
     kNoneLoud,
     kDrop,
     kNoneLoud,
     ""},
    {"delete-between/either-marker",
     OperationId::DeleteBetweenMarkers,
     {Control::编辑框2, Control::编辑框3},
     kDrop,
     "",
     kRemove,
     "",
     kNone,
     kDrop,
     kNone,
     ""},
    {"delete-number/no-input",
     OperationId::DeleteSequenceNumber,
     {},
     kDrop,
     "",
     "",
     "",
     kNoneLoud,
     kDrop,
     kNoneLoud,
     ""},
    {"insert-front/input-first",
     OperationId::InsertAtFront,
     {Control::编辑框6},
     kAdd,
     "",
     kAdd,
     "",
     kNone,
     kDrop,
     kNone,
     ""},
    {"insert-end/input-first",
     OperationId::InsertAtEnd,
     {Control::编辑框7},
     kAdd,
     "",
     kAdd,
     "",
     kNone,
     kDrop,
     kNone,
     ""},
    {"insert-anchor/either-input",
     OperationId::InsertAtAnchor,
     {Control::编辑框11, Control::编辑框12},
     "弄啥呢？",
     "",
     "弄啥呢？",
     "",
     kNone,
     kDrop,
     kNone,
     ""},
    {"after-extension/refused-before-folder",
     OperationId::AppendAfterExtension,
     {Control::编辑框18},
     kAdd,
     "",
     kAdd,
     "",
     kNone,
     "此功能无法对文件夹进行修改",
     "此功能无法对文件夹进行修改",
     "此功能无法对文件夹进行修改"},
    {"after-number/folder-first",
     OperationId::InsertAfterLeadingNumber,
     {Control::编辑框13},
     kDrop,
     "",
     "加什么？不能为空",
     "",
     kNone,
     kDrop,
     kNone,
     ""},
    {"replace/titled",
     OperationId::ReplaceText,
     {Control::编辑框4},
     kDrop,
     "提示",
     kRemove,
     "提示",
     kNone,
     kDrop,
     kNone,
     ""},
    {"zero-fill",
     OperationId::ZeroFillLeadingNumber,
     {},
     kDrop,
     "",
     "",
     "",
     kNoneLoud,
     kDrop,
     kNoneLoud,
     ""},
    {"script",
     OperationId::ConvertChineseScript,
     {},
     kDrop,
     "",
     "",
     "",
     kNoneLoud,
     kDrop,
     kNoneLoud,
     ""},
    {"digits-to-numerals",
     OperationId::DigitsToChineseNumerals,
     {},
     kDrop,
     "",
     "",
     "",
     kNone,
     kDrop,
     kNone,
     ""},
    {"numerals-to-digits",
     OperationId::ChineseNumeralsToDigits,
     {},
     kDrop,
     "",
     "",
     "",
     kNone,
     kDrop,
     kNone,
     ""},
    {"numbering/short-path-message",
     OperationId::NumberEntries,
     {},
     "路径呢？",
     "",
     "",
     "",
     kNone,
     "路径呢？",
     kNone,
     ""},
    {"av/refused-after-empty-check",
     OperationId::AppendAvNumber,
     {},
     kDrop,
     "",
     "",
     "",
     kNoneLoud,
     kDrop,
     "此功能无法对文件夹进行操作，请选择文件",
     "此功能无法对文件夹进行操作，请选择文件"},
    {"extension/refused-after-bare-check",
     OperationId::ChangeExtension,
     {Control::组合框_修改扩展},
     "准备改成什么后缀？请先选择或手动输入！",
     "",
     "准备改成什么后缀？请先选择或手动输入！",
     "",
     kNone,
     kDrop,
     kNone,
     "文件夹没有改后缀一说，请勾选文件"},
};

// Runs the operation's profile once and returns the only message shown.
ScriptedMessages::Shown RunOnce(OperationId id, const std::vector<Control>& filled,
                                const GbkText& folder, bool folder_mode) {
  RenameWorld world;
  world.AddFiles({"a.txt"});
  world.files.AddFolder(Gbk("/w/sub"));
  if (folder_mode) world.FolderMode();
  world.form.SetText(Control::标签2, folder);
  for (Control control : filled) world.form.SetText(control, Gbk("x"));
  RenameRun(ProfileOf(id), MappingOperation(), world.services);
  EXPECT_TRUE(world.files.renames.empty());
  EXPECT_EQ(world.messages.shown.size(), 1u);
  return world.messages.shown.empty() ? ScriptedMessages::Shown{} : world.messages.shown[0];
}

TEST(RenameRunChecks, MessagesAndTheirOrderForEveryOperation) {
  for (const CheckRow& row : kCheckRows) {
    SCOPED_TRACE(row.name);
    auto shown = RunOnce(row.id, {}, Gbk(""), false);
    EXPECT_EQ(shown.text, Gbk(row.all_empty));
    EXPECT_EQ(shown.title, Gbk(row.all_empty_title));
    EXPECT_EQ(shown.icon, Icon::Information);
    EXPECT_EQ(shown.buttons, Buttons::Ok);

    if (!row.inputs.empty()) {
      // One required input left empty is enough.
      std::vector<Control> all_but_last(row.inputs.begin(), row.inputs.end() - 1);
      shown = RunOnce(row.id, all_but_last, Gbk("/w/"), false);
      EXPECT_EQ(shown.text, Gbk(row.input_message));
      EXPECT_EQ(shown.title, Gbk(row.input_title));
    }

    shown = RunOnce(row.id, row.inputs, Gbk("/"), false);
    EXPECT_EQ(shown.text, Gbk(row.no_folder));
    EXPECT_EQ(shown.title, Gbk("提示"));

    EXPECT_EQ(RunOnce(row.id, row.inputs, Gbk(""), true).text, Gbk(row.folder_mode_none));
    EXPECT_EQ(RunOnce(row.id, row.inputs, Gbk("/"), true).text, Gbk(row.folder_mode_bare));
    if (!row.folder_mode_set.empty()) {
      EXPECT_EQ(RunOnce(row.id, row.inputs, Gbk("/w/"), true).text, Gbk(row.folder_mode_set));
    }
  }
}

TEST(RenameRunChecks, DesktopGuardEmptiesTheFolderThenTheEmptyPathMessageFollows) {
  for (const char* folder : {"/home/me/Desktop/x/", "/home/me/desktop/"}) {
    SCOPED_TRACE(folder);
    RenameWorld world;
    world.AddFiles({"a.txt"});
    world.form.SetText(Control::标签2, folder);
    const RunProfile& profile = ProfileOf(OperationId::ZeroFillLeadingNumber);
    RenameRun(profile, MappingOperation(), world.services);
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(Find(world.messages.shown[0].text, Gbk("请不要把一些重要文件放在桌面")) > 0, true);
    EXPECT_EQ(world.messages.shown[0].title, Gbk("提示"));
    EXPECT_EQ(world.form.Text(Control::标签2), "");
    RenameRun(profile, MappingOperation(), world.services);
    EXPECT_EQ(world.messages.shown.back().text, Gbk(kDrop));
    EXPECT_TRUE(world.files.renames.empty());
  }
}

TEST(RenameRunChecks, ValidationHookRunsLastAndCanStop) {
  RenameWorld world;
  world.AddFiles({"a.txt"});
  OperationDefinition operation = MappingOperation();
  int validations = 0;
  operation.validate = [&](MainServices& services) {
    ++validations;
    services.messages.Show(Gbk("invalid"), "", Icon::None, Buttons::Ok);
    return false;
  };
  world.form.SetText(Control::标签2, Gbk("/"));
  RenameRun(ProfileOf(OperationId::ZeroFillLeadingNumber), operation, world.services);
  EXPECT_EQ(validations, 0);
  world.form.SetText(Control::标签2, Gbk("/w/"));
  RenameRun(ProfileOf(OperationId::ZeroFillLeadingNumber), operation, world.services);
  EXPECT_EQ(validations, 1);
  EXPECT_EQ(world.messages.shown.back().text, "invalid");
  EXPECT_TRUE(world.files.renames.empty());
}

TEST(RenameRunChecks, EveryButtonOfTheTableMapsToItsOperation) {
  EXPECT_EQ(OperationOfButton(Control::按钮_删后面), OperationId::DeleteAfter);
  EXPECT_EQ(OperationOfButton(Control::按钮1), OperationId::DeleteSequenceNumber);
  EXPECT_EQ(OperationOfButton(Control::按钮_改扩展), OperationId::ChangeExtension);
  EXPECT_EQ(OperationOfButton(Control::按钮_打开预览), std::nullopt);
  std::set<OperationId> distinct;
  for (int c = 0; c <= static_cast<int>(Control::按钮_删除文件); ++c) {
    if (auto id = OperationOfButton(static_cast<Control>(c))) distinct.insert(*id);
  }
  EXPECT_EQ(distinct.size(), 18u);
}

// ---- Confirmation styles ----

enum class Hook { None, CountFirst, NoteGoesOn, NoteStops };

struct ConfirmRow {
  const char* name;
  Confirmation style;
  bool preview;
  std::vector<std::string> names;  // rows of the list
  std::vector<Answer> answers;
  Hook hook;
  std::vector<std::string> expected;  // message texts, in order
  int renames;
  int preview_cells;
};

const std::string kNotice =
    "提示：你开启了预览功能，所以没有直接更名，\r\n请看预览区结果，确认无误后点\"确认无误，执行吧\""
    "！";
const std::string kSure = "确定更名吗？";
const std::string kDirect = "将直接更名，确定吗？";
const std::string kNoPreview = "不提供预览功能，将直接改名，确定吗？";
const std::vector<std::string> kTwo = {"a.txt", "b.txt"};
const std::vector<std::string> kNoRows = {};

const ConfirmRow kConfirmRows[] = {
    {"q1/ok",
     Confirmation::AskUnlessPreview,
     false,
     kTwo,
     {},
     Hook::None,
     {kSure, "一共有2个文件将被更名"},
     2,
     0},
    {"q1/cancel",
     Confirmation::AskUnlessPreview,
     false,
     kTwo,
     {Answer::Cancel},
     Hook::None,
     {kSure},
     0,
     0},
    {"q1/preview", Confirmation::AskUnlessPreview, true, kTwo, {}, Hook::None, {kNotice}, 0, 2},
    {"q1/empty-list-asks-nothing",
     Confirmation::AskUnlessPreview,
     false,
     kNoRows,
     {},
     Hook::None,
     {"没有任何改动"},
     0,
     0},
    {"q2/empty-list-still-asks",
     Confirmation::AskDirectUnlessPreview,
     false,
     kNoRows,
     {},
     Hook::None,
     {kDirect, "没有任何改动"},
     0,
     0},
    {"q2/cancel",
     Confirmation::AskDirectUnlessPreview,
     false,
     kTwo,
     {Answer::Cancel},
     Hook::None,
     {kDirect},
     0,
     0},
    {"q2/preview",
     Confirmation::AskDirectUnlessPreview,
     true,
     kTwo,
     {},
     Hook::None,
     {kNotice},
     0,
     2},
    {"q3/count-question",
     Confirmation::CountThenAsk,
     false,
     {"a.txt", "x.txt", "b.txt"},
     {},
     Hook::CountFirst,
     {"ask 2", "一共有2个文件将被更名"},
     2,
     0},
    {"q3/cancel",
     Confirmation::CountThenAsk,
     false,
     kTwo,
     {Answer::Cancel},
     Hook::CountFirst,
     {"ask 2"},
     0,
     0},
    {"q3/preview", Confirmation::CountThenAsk, true, kTwo, {}, Hook::CountFirst, {kNotice}, 0, 2},
    {"q3/zero-count-stops",
     Confirmation::CountThenAsk,
     false,
     {"x.txt"},
     {},
     Hook::CountFirst,
     {"zero"},
     0,
     0},
    {"q4/asked-in-preview-too", Confirmation::AskFirst, true, kTwo, {}, Hook::None, {kSure}, 0, 2},
    {"q4/cancel-in-preview",
     Confirmation::AskFirst,
     true,
     kTwo,
     {Answer::Cancel},
     Hook::None,
     {kSure},
     0,
     0},
    {"q4/empty-list-checked-after",
     Confirmation::AskFirst,
     false,
     kNoRows,
     {},
     Hook::None,
     {kSure, "列表框是空的！"},
     0,
     0},
    {"q5/renames-in-preview",
     Confirmation::AskNoPreview,
     true,
     kTwo,
     {},
     Hook::None,
     {kNoPreview},
     2,
     0},
    {"q5/cancel",
     Confirmation::AskNoPreview,
     false,
     kTwo,
     {Answer::Cancel},
     Hook::None,
     {kNoPreview},
     0,
     0},
    {"note/after-question",
     Confirmation::AskUnlessPreview,
     false,
     kTwo,
     {},
     Hook::NoteGoesOn,
     {kSure, "note", "一共有2个文件将被更名"},
     2,
     0},
    {"note/after-notice",
     Confirmation::AskUnlessPreview,
     true,
     kTwo,
     {},
     Hook::NoteGoesOn,
     {kNotice, "note"},
     0,
     2},
    {"note/stops-run",
     Confirmation::AskDirectUnlessPreview,
     false,
     kTwo,
     {},
     Hook::NoteStops,
     {kDirect, "note"},
     0,
     0},
};

TEST(RenameRunConfirmation, StylesQuestionsNoticesAndCancel) {
  for (const ConfirmRow& row : kConfirmRows) {
    SCOPED_TRACE(row.name);
    RenameWorld world;
    world.AddFiles(Gbks(row.names));
    if (row.preview) world.OpenPreviewColumn();
    world.messages.answers.assign(row.answers.begin(), row.answers.end());
    RunProfile profile;
    profile.confirmation = row.style;
    profile.file_result = ResultStyle::WillBeRenamed;
    profile.empty_list_check =
        row.style == Confirmation::AskFirst ? EmptyListCheck::BothModes : EmptyListCheck::None;
    OperationDefinition operation = MappingOperation({{"x", std::nullopt}});
    auto base_prepare = operation.prepare;
    operation.prepare = [&](MainServices& services, bool folder_mode) {
      PreparedOperation prepared = base_prepare(services, folder_mode);
      if (row.hook == Hook::CountFirst) {
        prepared.count_first =
            CountFirst{[](const GbkText& text, const EntryContext&) { return text != "x"; },
                       [](bool) {
                         return Notice{Gbk("zero"), "", Icon::None};
                       },
                       [](int count, bool) {
                         return Notice{"ask " + ToText(count), Gbk("t"), Icon::None};
                       }};
      }
      if (row.hook == Hook::NoteGoesOn || row.hook == Hook::NoteStops) {
        prepared.after_question =
            AfterQuestion{{Gbk("note"), "", Icon::Information}, row.hook == Hook::NoteStops};
      }
      return prepared;
    };
    RenameRun(profile, operation, world.services);

    std::vector<GbkText> expected = Gbks(row.expected);
    EXPECT_EQ(world.Texts(), expected);
    EXPECT_EQ(static_cast<int>(world.files.renames.size()), row.renames);
    int cells = 0;
    for (const GbkText& cell : world.list.Column(1)) cells += cell.empty() ? 0 : 1;
    EXPECT_EQ(cells, row.preview_cells);
    for (const auto& shown : world.messages.shown) {
      if (shown.buttons == Buttons::OkCancel && shown.text != "ask 2") {
        EXPECT_EQ(shown.title, Gbk("提示"));
      }
    }
  }
}

// ---- Result styles ----

struct ResultRow {
  ResultStyle style;
  int count;
  std::string text;
  std::string title;
};

TEST(RenameRunResults, TextsAndTitlesOfEveryStyle) {
  const ResultRow rows[] = {
      {ResultStyle::WillBeRenamed, 3, "一共有3个文件将被更名", "修改成果提示"},
      {ResultStyle::WillBeRenamed, 0, "没有任何改动", "没有改动"},
      {ResultStyle::RenamedSuccessfully, 12, "一共有12个文件被改名成功", "修改成果提示"},
      {ResultStyle::RenamedSuccessfully, 0, "没有任何改动", "没有改动"},
      {ResultStyle::Renamed, 1, "一共有1个文件被改名", "修改成果提示"},
      {ResultStyle::Renamed, 0, "没有任何改动", "没有改动"},
      {ResultStyle::TotalChanged, 5, "总共更改5个", "更名数量"},
      {ResultStyle::TotalChanged, 0, "总共更改0个", "更名数量"},
      {ResultStyle::Deleted, 2, "删掉了2个", "修改成果提示"},
      {ResultStyle::Deleted, 0, "没有任何改动", "没有改动"},
  };
  for (const ResultRow& row : rows) {
    SCOPED_TRACE(row.text);
    for (Icon icon : {Icon::Information, Icon::None}) {
      auto message = ResultMessage(row.style, icon, row.count);
      ASSERT_TRUE(message.has_value());
      EXPECT_EQ(message->text, Gbk(row.text));
      EXPECT_EQ(message->title, Gbk(row.title));
      EXPECT_EQ(message->icon, icon);
    }
  }
  EXPECT_FALSE(ResultMessage(ResultStyle::None, Icon::Information, 3).has_value());
}

TEST(RenameRunResults, FolderModeUsesTheFolderStyleAndIcon) {
  RenameWorld world;
  world.FolderMode();
  world.files.AddFolder(Gbk("/w/d"));
  world.list.AppendRows({"d"});
  RunProfile profile;
  profile.file_result = ResultStyle::Deleted;
  profile.file_result_icon = Icon::None;
  profile.folder_result = ResultStyle::Renamed;
  profile.folder_result_icon = Icon::Information;
  RenameRun(profile, MappingOperation(), world.services);
  ASSERT_FALSE(world.messages.shown.empty());
  EXPECT_EQ(world.messages.shown.back().text, Gbk("一共有1个文件被改名"));
  EXPECT_EQ(world.messages.shown.back().icon, Icon::Information);
  EXPECT_TRUE(world.files.Exists(Gbk("/w/d-new")));
}

// ---- Skip-extension rule ----

struct SkipRow {
  const char* name;
  SkipRule rule;
  bool pick_item;            // .txt picked in the skip filter (else only typed)
  const char* search_typed;  // typed into the search filter; "" searches every name
  const char* entry;
  bool skipped;
};

TEST(RenameRunSkipRule, GatedUngatedAndNone) {
  const SkipRow rows[] = {
      {"gated/exact-extension-skipped", SkipRule::WhenListingAll, true, "", "a.txt", true},
      {"gated/case-differs-not-skipped", SkipRule::WhenListingAll, true, "", "a.TXT", false},
      {"gated/single-extension-search", SkipRule::WhenListingAll, true, "mp4", "a.txt", false},
      {"gated/typed-not-picked", SkipRule::WhenListingAll, false, "", "a.txt", false},
      {"ungated/single-extension-search", SkipRule::Always, true, "mp4", "a.txt", true},
      {"ungated/case-differs", SkipRule::Always, true, "", "a.TXT", false},
      {"none/never-skips", SkipRule::None, true, "", "a.txt", false},
  };
  for (const SkipRow& row : rows) {
    SCOPED_TRACE(row.name);
    RenameWorld world;
    world.AddFiles({row.entry});
    world.form.AddComboItem(Control::组合框_跳过扩展, Gbk(".txt"));
    if (row.pick_item) {
      world.form.SelectItem(Control::组合框_跳过扩展, 0);
    } else {
      world.form.SetText(Control::组合框_跳过扩展, Gbk(".txt"));
    }
    world.form.SetText(Control::组合框_仅检索, row.search_typed);
    RunProfile profile;
    profile.skip_rule = row.rule;
    RenameRun(profile, MappingOperation(), world.services);
    EXPECT_EQ(world.files.renames.empty(), row.skipped);
  }
}

TEST(RenameRunSkipRule, FolderModeNeverSkipsByExtension) {
  RenameWorld world;
  world.FolderMode();
  world.files.AddFolder(Gbk("/w/d.txt"));
  world.list.AppendRows({"d.txt"});
  world.form.AddComboItem(Control::组合框_跳过扩展, Gbk(".txt"));
  world.form.SelectItem(Control::组合框_跳过扩展, 0);
  RunProfile profile;
  profile.skip_rule = SkipRule::Always;
  RenameRun(profile, MappingOperation(), world.services);
  EXPECT_TRUE(world.files.Exists(Gbk("/w/d.txt-new")));
}

// ---- Entries ----

TEST(RenameRunEntries, SkipsLeavesAloneCollidesFailsAndGoesOn) {
  RenameWorld world;
  world.AddFiles(
      {"a.txt", "skip.txt", "same.txt", "empty.txt", "b1.txt", "b2.txt", "c.txt", "d.txt"});
  world.list.AppendRows({""});  // a row without a name is no entry
  world.files.AddFile(Gbk("/w/e.txt"));
  world.list.AppendRows({"e.txt"});
  world.files.failing_renames.insert(Gbk("/w/c.txt"));
  RunProfile profile;
  profile.file_result = ResultStyle::WillBeRenamed;
  RenameRun(profile,
            MappingOperation({{"skip", std::nullopt},
                              {"same", GbkText("same")},
                              {"empty", GbkText()},
                              {"b1", GbkText("b")},
                              {"b2", GbkText("b")}}),
            world.services);
  EXPECT_EQ(world.list.Column(0),
            (std::vector<GbkText>{"a-new.txt", "skip.txt", "same.txt", "empty.txt", "b.txt",
                                  "b2.txt", "c.txt", "d-new.txt", "", "e-new.txt"}));
  for (const GbkText& name : world.list.Column(0)) {
    if (!name.empty()) {
      EXPECT_TRUE(world.files.Exists("/w/" + name)) << name;
    }
  }
  EXPECT_EQ(world.Texts(), Gbks({"确定更名吗？", "一共有4个文件将被更名"}));
}

// A separator in a new name would move the file out of the working folder.
TEST(RenameRunEntries, NamesThatWouldLeaveTheFolderFailLikeRefusedNames) {
  RenameWorld world;
  world.files.AddFolder(Gbk("/w/sub"));
  world.AddFiles({"a.txt", "b", "c.txt"});
  RunProfile profile;
  profile.file_result = ResultStyle::Renamed;
  RenameRun(profile,
            MappingOperation({{"a", GbkText("sub/a")}, {"b", GbkText("..")}, {"c", GbkText("c2")}}),
            world.services);
  EXPECT_EQ(world.list.Column(0), (std::vector<GbkText>{"a.txt", "b", "c2.txt"}));
  EXPECT_FALSE(world.files.Exists(Gbk("/w/sub/a.txt")));
  EXPECT_EQ(world.messages.shown.back().text, Gbk("一共有1个文件被改名"));

  UndoHistory undo;
  world.OpenPreviewColumn();
  RecordPreviewFolder(world.services, Gbk("/w/"));
  world.list.SetCell(0, 1, Gbk("sub/a.txt"));
  CommitPreview(world.services);
  EXPECT_EQ(world.list.Cell(0, 0), "a.txt");
  EXPECT_TRUE(world.files.Exists(Gbk("/w/a.txt")));
  EXPECT_TRUE(undo.empty());
}

TEST(RenameRunEntries, EmptyStemOnlyWhenTheOperationAllowsIt) {
  for (bool allow : {false, true}) {
    SCOPED_TRACE(allow);
    RenameWorld world;
    world.AddFiles({"01.mp3"});
    RenameRun(RunProfile{}, MappingOperation({{"01", GbkText()}}, allow), world.services);
    EXPECT_EQ(world.list.Cell(0, 0), allow ? ".mp3" : "01.mp3");
    EXPECT_EQ(world.files.Exists(Gbk("/w/.mp3")), allow);
  }
}

TEST(RenameRunEntries, TransformSeesRowsPositionsStemAndExtension) {
  RenameWorld world;
  world.AddFiles({"a.tar.gz"});
  world.list.AppendRows({""});
  world.AddFiles({"README"});
  std::vector<EntryContext> seen;
  std::vector<GbkText> texts;
  OperationDefinition operation;
  operation.prepare = [&](MainServices&, bool) {
    PreparedOperation prepared;
    prepared.input = TransformInput::WholeName;
    prepared.transform = [&](const GbkText& text, const EntryContext& entry) {
      seen.push_back(entry);
      texts.push_back(text);
      return std::optional<GbkText>(text + ".bak");
    };
    return prepared;
  };
  RenameRun(RunProfile{}, operation, world.services);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].row, 0);
  EXPECT_EQ(seen[1].row, 2);
  EXPECT_EQ(seen[1].index, 1);
  EXPECT_EQ(seen[1].count, 2);
  EXPECT_EQ(seen[0].stem, "a.tar");
  EXPECT_EQ(seen[0].extension, ".gz");
  EXPECT_EQ(seen[1].extension, "");
  EXPECT_EQ(texts, (std::vector<GbkText>{"a.tar.gz", "README"}));
  EXPECT_EQ(world.list.Column(0), (std::vector<GbkText>{"a.tar.gz.bak", "", "README.bak"}));
}

TEST(RenameRunEntries, PreviewWritesColumnOneOnlyForChangedRows) {
  RenameWorld world;
  world.AddFiles({"a.txt", "b.txt"});
  world.OpenPreviewColumn();
  world.list.SetCell(1, 1, Gbk("from-an-earlier-preview.txt"));
  RenameRun(ProfileOf(OperationId::ZeroFillLeadingNumber), MappingOperation({{"b", std::nullopt}}),
            world.services);
  EXPECT_EQ(world.list.Column(1),
            (std::vector<GbkText>{"a-new.txt", "from-an-earlier-preview.txt"}));
  EXPECT_EQ(world.list.Column(0), (std::vector<GbkText>{"a.txt", "b.txt"}));
  EXPECT_TRUE(world.files.renames.empty());
  EXPECT_EQ(world.Texts(), Gbks({kNotice}));
}

// The scan pairs each subfolder with the row holding its name: a reordered
// list must not receive another folder's new name.
TEST(RenameRunEntries, SubfolderScanFindsTheRowByName) {
  for (bool preview : {false, true}) {
    SCOPED_TRACE(preview);
    RenameWorld world;
    world.FolderMode();
    for (const char* name : {"x", "y", "z", "unlisted"})
      world.files.AddFolder(GbkText("/w/") + name);
    world.files.AddFile(Gbk("/w/file.txt"));
    world.list.AppendRows({"z", "gone", "x", "y"});
    if (preview) world.OpenPreviewColumn();
    RunProfile profile;
    profile.folder_handling = FolderHandling::SubfolderScan;
    profile.folder_result = ResultStyle::Renamed;
    RenameRun(profile, MappingOperation(), world.services);
    if (preview) {
      EXPECT_EQ(world.list.Column(1), (std::vector<GbkText>{"z-new", "", "x-new", "y-new"}));
      EXPECT_TRUE(world.files.renames.empty());
    } else {
      EXPECT_EQ(world.list.Column(0), (std::vector<GbkText>{"z-new", "gone", "x-new", "y-new"}));
      EXPECT_TRUE(world.files.Exists(Gbk("/w/unlisted-new")));  // on disk, though no row shows it
      EXPECT_TRUE(world.files.Exists(Gbk("/w/file.txt")));
      EXPECT_EQ(world.messages.shown.back().text, Gbk("一共有4个文件被改名"));
    }
  }
}

TEST(RenameRunEntries, ProgressFollowsTheRenamesOnlyWhenRenaming) {
  for (bool preview : {false, true}) {
    SCOPED_TRACE(preview);
    RenameWorld world;
    world.AddFiles({"a", "b", "c", "d"});
    if (preview) world.OpenPreviewColumn();
    world.form.SetVisible(Control::进度条1, false);
    std::vector<int> values;
    world.files.after_rename = [&](int) {
      const auto& bar = world.form.State(Control::进度条1);
      values.push_back(bar.visible ? bar.progress_value : -1);
    };
    OperationDefinition operation = MappingOperation();
    operation.shows_progress = true;
    RenameRun(RunProfile{}, operation, world.services);
    std::vector<int> expected = {0, 25, 50, 75};  // the share done before each rename
    if (preview) expected = {};
    EXPECT_EQ(values, expected);
    EXPECT_FALSE(world.form.IsVisible(Control::进度条1));
  }
}

// ---- Against the real file system ----

class TemporaryFolder {
 public:
  TemporaryFolder() {
    char pattern[] = "/tmp/qm_rename_XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~TemporaryFolder() { std::filesystem::remove_all(path_); }
  std::string Path() const { return path_ + "/"; }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ + "/" + name, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(path_ + "/" + name, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(path_ + "/" + name); }

 private:
  std::string path_;
};

TEST(RenameRunOnDisk, AnExistingTargetIsNeverOverwritten) {
  TemporaryFolder folder;
  folder.Write("a.txt", "source");
  folder.Write("a-new.txt", "target bytes");
  folder.Write("b.txt", "b");
  PosixFileSystem files;
  RenameWorld world;
  MainServices services{world.form, world.list, world.messages, world.windows, files};
  world.form.SetText(Control::标签2, GbkText(folder.Path()));
  world.list.AppendRows({"a.txt", "b.txt"});
  RunProfile profile;
  profile.file_result = ResultStyle::RenamedSuccessfully;
  RenameRun(profile, MappingOperation(), services);
  EXPECT_EQ(folder.Read("a-new.txt"), "target bytes");
  EXPECT_EQ(folder.Read("a.txt"), "source");
  EXPECT_EQ(folder.Read("b-new.txt"), "b");
  EXPECT_EQ(world.list.Column(0), (std::vector<GbkText>{"a.txt", "b-new.txt"}));
  EXPECT_EQ(world.messages.shown.back().text, Gbk("一共有1个文件被改名成功"));
}

}  // namespace
}  // namespace qm
