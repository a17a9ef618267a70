// The command line against the window's own path: the same folder, the
// same inputs, the same names; and one journal for both.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <functional>
#include <nlohmann/json.hpp>
#include <set>

#include "base/encoding.h"
#include "cli/cli_process.h"
#include "cli/operation_options.h"
#include "fakes/fake_failure_list.h"
#include "fakes/fake_form.h"
#include "fakes/fake_list.h"
#include "fakes/fake_window_system.h"
#include "fakes/scripted_messages.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_journal_store.h"
#include "rename/journal_recovery.h"
#include "rename/numbering_operations.h"
#include "rename/operations.h"
#include "rename/rename_context.h"
#include "rename/undo_export.h"
#include "text/gbk_text.h"
#include "trials/trial_world.h"
#include "workspace/folder_intake.h"
#include "workspace/workspace_handlers.h"

namespace qm {
namespace {

using Files = std::map<std::string, std::string>;

// The main window over the scratch folder and the journals the command line
// writes, opened as the program opens it.
struct Window {
  explicit Window(const ScratchFolder& scratch) : journal(scratch.Root() + "/state/quillmere") {
    OnMainWindowCreated(services);
    form.SetText(Control::按钮_打开预览, Gbk("打开预览"));
    for (const char* item : {"不加", "、", ".", "-", "，", "："}) {
      form.AddComboItem(Control::组合框5, Gbk(item));
    }
    form.SelectItem(Control::组合框5, 0);
  }
  void Read(const ScratchFolder& scratch) {
    IntakeGuard guard;
    ReadFolder(services, guard, scratch.Path());
  }
  void OpenPreview() {
    form.SetText(Control::按钮_打开预览, Gbk("关闭预览"));
    list.InsertColumn(1, Gbk("更名后的效果"), 380);
  }

  FakeForm form;
  FakeList list;
  ScriptedMessages messages;
  FakeWindowSystem windows;
  PosixFileSystem files;
  PosixJournalStore journal;
  FakeFailureList failures;
  UndoHistory undo;
  RenameContext renames{undo, journal};
  MainServices services{form, list, messages, windows, files, &renames, NoJobProgress(), &failures};
};

struct SameNamesCase {
  std::vector<std::string> files;
  std::vector<std::string> arguments;  // before the folder
  OperationId operation;
  std::function<void(FakeForm&)> window_inputs;
  bool folders = false;
  // --width, which the window has no field for: its run then uses the
  // operation built with the width, as the command line does.
  int width = 0;
};

std::string Utf8(const GbkText& text) { return *InternalToUtf8(text); }

using C = Control;

const SameNamesCase kCases[] = {
    {{"第1课.mp4", "第12课.mp4", "a第1.txt"},
     {"replace", "--find", "第", "--with", "Lesson "},
     OperationId::ReplaceText,
     [](FakeForm& f) {
       f.SetText(C::编辑框4, Gbk("第"));
       f.SetText(C::编辑框5, Gbk("Lesson "));
     }},
    {{"a_b_c.txt", "x_y.mp4", "none.txt"},
     {"replace", "--find", "_", "--with", " ", "--anywhere", "--count", "-1"},
     OperationId::ReplaceText,
     [](FakeForm& f) {
       f.SetText(C::编辑框4, "_");
       f.SetText(C::编辑框5, " ");
       f.SetChecked(C::单选框7, false);
       f.SetChecked(C::单选框8, true);
       f.SetText(C::编辑框16, "-1");
     }},
    {{"b.txt", "a10.txt", "a9.txt", "第2课.mp4"},
     {"number", "--start", "1", "--separator", "、"},
     OperationId::NumberEntries,
     [](FakeForm& f) {
       f.SetText(C::编辑框17, "1");
       f.SelectItem(C::组合框5, 1);
     }},
    {{"b.txt", "a10.txt", "a9.txt"},
     {"number", "--start", "8", "--width", "3", "--separator", "、"},
     OperationId::NumberEntries,
     [](FakeForm& f) {
       f.SetText(C::编辑框17, "8");
       f.SelectItem(C::组合框5, 1);
     },
     false,
     3},
    {{"b.txt", "a.txt", "c.txt"},
     {"number", "--start", "9", "--width", "1"},
     OperationId::NumberEntries,
     [](FakeForm& f) { f.SetText(C::编辑框17, "9"); },
     false,
     1},
    {{"課程.txt", "電影 第一集.mp4", "plain.txt"},
     {"to-simplified"},
     OperationId::ConvertChineseScript,
     [](FakeForm&) {}},
    {{"课程.txt", "电影.mp4"},
     {"to-traditional"},
     OperationId::ConvertChineseScript,
     [](FakeForm& f) {
       f.SetChecked(C::单选框15, false);
       f.SetChecked(C::单选框16, true);
     }},
    {{"第15课.mp4", "第3课.mp4", "第100000000000课.mp4"},
     {"to-chinese-numerals"},
     OperationId::DigitsToChineseNumerals,
     [](FakeForm&) {}},
    {{"第十五章", "第三章", "序"},
     {"to-digits", "--folders"},
     OperationId::ChineseNumeralsToDigits,
     [](FakeForm&) {},
     true},
    {{"片名(Av123,P1).mp4", "片名 (完).mp4", "no markers.mp4"},
     {"delete-between", "--from", "(", "--to", ")"},
     OperationId::DeleteBetweenMarkers,
     [](FakeForm& f) {
       f.SetText(C::编辑框2, "(");
       f.SetText(C::编辑框3, ")");
     }},
    {{"a - b - c.txt", "x - y.mp4"},
     {"delete-after", "--text", " - ", "--first"},
     OperationId::DeleteAfter,
     [](FakeForm& f) {
       f.SetText(C::编辑框9, " - ");
       f.SetChecked(C::单选框1, true);
       f.SetChecked(C::单选框2, false);
     }},
    {{"1.mp4", "12.mp4", "x.mp4"},
     {"zero-fill"},
     OperationId::ZeroFillLeadingNumber,
     [](FakeForm&) {}},
    {{"a.avi", "b.tar.gz", "c"},
     {"change-extension", "--to", "mkv"},
     OperationId::ChangeExtension,
     [](FakeForm& f) { f.SetText(C::组合框_修改扩展, "mkv"); }},
    {{"第1课 课文.txt", "无.txt"},
     {"insert-at", "--at", "课", "--text", "!", "--after", "--last"},
     OperationId::InsertAtAnchor,
     [](FakeForm& f) {
       f.SetText(C::编辑框11, Gbk("课"));
       f.SetText(C::编辑框12, "!");
       f.SetChecked(C::单选框3, false);
       f.SetChecked(C::单选框4, true);
       f.SetChecked(C::单选框5, false);
       f.SetChecked(C::单选框6, true);
     }},
    {{"01 a.mp4", "02 b.txt", "3c.mp4"},
     {"delete-sequence-number", "--skip", "txt"},
     OperationId::DeleteSequenceNumber,
     [](FakeForm& f) {
       f.AddComboItem(C::组合框_跳过扩展, ".txt");
       f.SelectItem(C::组合框_跳过扩展, f.ComboCount(C::组合框_跳过扩展) - 1);
     }},
    {{"第12集.mp4", "EP.txt", "x 3 y 45.MP4"},
     {"regex", "(\\d+)", "EP$1"},
     OperationId::RegexReplace,
     [](FakeForm& f) {
       f.SetText(C::编辑框_正则查找, "(\\d+)");
       f.SetText(C::编辑框_正则替换为, "EP$1");
     }},
    {{"a.MP4", "b.mp4", "mp4.txt"},
     {"regex", "mp4$", "mkv", "--ignore-case", "--with-extension", "--first-only"},
     OperationId::RegexReplace,
     [](FakeForm& f) {
       f.SetText(C::编辑框_正则查找, "mp4$");
       f.SetText(C::编辑框_正则替换为, "mkv");
       f.SetChecked(C::选择框_正则区分大小写, false);
       f.SetChecked(C::选择框_正则含扩展名, true);
       f.SetChecked(C::选择框_正则只换第一个, true);
     }},
    {{"a.mp4", "b.txt", ".hidden.mp4"},
     {"append", "--text", " (final)", "--only", "mp4"},
     OperationId::InsertAtEnd,
     [](FakeForm& f) {
       f.SetText(C::编辑框7, " (final)");
       f.SetText(C::组合框_仅检索, "mp4");
     }},
};

std::map<std::string, std::string> CliNames(const ScratchFolder& scratch,
                                            const SameNamesCase& one) {
  std::vector<std::string> arguments = one.arguments;
  arguments.push_back("--json");
  arguments.push_back(Folder(scratch));
  CliRun run = RunCli(scratch, arguments);
  EXPECT_EQ(run.status, 0) << run.err;
  std::map<std::string, std::string> names;
  const nlohmann::json document = nlohmann::json::parse(run.out);
  for (const auto& entry : document["plan"])
    names[entry["old"].get<std::string>()] = entry["new"].get<std::string>();
  return names;
}

std::map<std::string, std::string> WindowNames(const ScratchFolder& scratch,
                                               const SameNamesCase& one) {
  Window window(scratch);
  if (one.folders) window.form.SetText(C::组合框2, Gbk("处理文件夹"));
  one.window_inputs(window.form);
  window.Read(scratch);
  window.OpenPreview();
  if (one.width != 0) {
    RenameRun(ProfileOf(one.operation), NumberEntriesOperation(one.width), window.services);
  } else {
    RunOperation(one.operation, window.services);
  }
  std::map<std::string, std::string> names;
  for (int row = 0; row < window.list.RowCount(); ++row) {
    GbkText new_name = window.list.Cell(row, 1);
    if (!new_name.empty()) names[Utf8(window.list.Cell(row, 0))] = Utf8(new_name);
  }
  return names;
}

TEST(SameNames, TheCommandLineGivesTheWindowsNamesByteForByte) {
  for (const SameNamesCase& one : kCases) {
    ScratchFolder scratch;
    for (const std::string& name : one.files) {
      if (one.folders) {
        std::filesystem::create_directory(Folder(scratch) + "/" + name);
      } else {
        scratch.Add(name);
      }
    }
    const auto window = WindowNames(scratch, one);
    EXPECT_FALSE(window.empty()) << one.arguments[0];
    EXPECT_EQ(CliNames(scratch, one), window) << testing::PrintToString(one.arguments);
  }
}

// A registry entry without a command, or an option reaching neither a
// control nor the operation, would leave an operation of the window out of the command line.
TEST(SameNames, EveryOperationHasACommandAndEveryOptionAControl) {
  for (const OperationEntry& entry : Operations()) {
    EXPECT_TRUE(std::any_of(cli::Commands().begin(), cli::Commands().end(),
                            [&](const cli::CommandRow& row) { return row.operation == entry.id; }))
        << entry.name;
  }
  std::set<std::string_view> commands;
  for (const cli::CommandRow& row : cli::Commands()) {
    EXPECT_TRUE(commands.insert(row.command).second) << row.command;
  }
  std::set<std::pair<std::string_view, std::string_view>> options;
  for (const cli::OptionRow& row : cli::OptionRows()) {
    EXPECT_TRUE(commands.count(row.command)) << row.command << " " << row.name;
    EXPECT_TRUE(options.insert({row.command, row.name}).second) << row.command << " " << row.name;
    const bool built_with =
        row.kind == cli::OptionKind::Width &&
        std::any_of(cli::Commands().begin(), cli::Commands().end(),
                    [&](const cli::CommandRow& command) {
                      return command.command == row.command && command.with_width != nullptr;
                    });
    EXPECT_TRUE(row.control || (row.kind == cli::OptionKind::Flag && row.partner) || built_with)
        << row.command << " " << row.name;
  }
}

TEST(SameJournal, TheWindowUndoesARunOfTheCommandLine) {
  ScratchFolder scratch;
  for (const char* name : {"第1课.mp4", "第2课.mp4"}) scratch.Add(name);
  const Files before = scratch.Files();
  ASSERT_EQ(RunCli(scratch, {"prepend", "--text", "x", Folder(scratch), "--apply"}).status, 0);
  ASSERT_NE(scratch.Files(), before);

  Window window(scratch);  // the window started after the run
  ResumeAfterStart(window.services);
  window.Read(scratch);
  UndoCommit(window.services);
  EXPECT_EQ(scratch.Files(), before);
  EXPECT_TRUE(window.failures.shown.empty());
}

TEST(SameJournal, TheCommandLineUndoesARunOfTheWindow) {
  ScratchFolder scratch;
  for (const char* name : {"a.txt", "b.txt"}) scratch.Add(name);
  const Files before = scratch.Files();
  {
    Window window(scratch);
    window.Read(scratch);
    window.form.SetText(C::编辑框7, "_x");
    RunOperation(OperationId::InsertAtEnd, window.services);
  }
  ASSERT_EQ(scratch.Files(), (Files{{"a_x.txt", "a.txt"}, {"b_x.txt", "b.txt"}}));
  CliRun undone = RunCli(scratch, {"undo", Folder(scratch), "--json"});
  EXPECT_EQ(undone.status, 0) << undone.err;
  EXPECT_EQ(nlohmann::json::parse(undone.out)["summary"]["ok"], 2);
  EXPECT_EQ(scratch.Files(), before);
}

// A window that died in the middle of a run leaves its journal open; the
// command line puts the names back as the window would at its next start.
TEST(SameJournal, TheCommandLineRecoversARunTheWindowNeverFinished) {
  ScratchFolder scratch;
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) scratch.Add(name);
  const Files before = scratch.Files();
  const pid_t child = fork();
  if (child == 0) {
    CountedWorld world(scratch);
    world.counter.Inject({FaultPoint::Rename, 2, 0, [](const FaultCall&) { _exit(0); }});
    IntakeGuard guard;
    ReadFolder(world.services, guard, scratch.Path());
    world.form.SetText(C::编辑框7, "_x");
    RunOperation(OperationId::InsertAtEnd, world.services);
    _exit(1);  // the crash never came
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_NE(scratch.Files(), before);

  CliRun recovered = RunCli(scratch, {"recover"});
  EXPECT_EQ(recovered.status, 0) << recovered.err;
  EXPECT_EQ(scratch.Files(), before);
  CliRun again = RunCli(scratch, {"recover"});
  EXPECT_NE(again.err.find("no unfinished run"), std::string::npos) << again.err;
}

}  // namespace
}  // namespace qm
