// The undo history over a real folder and a real journal folder: renames of
// different kinds taken back one press at a time, newest first, in the same
// run of the program and after a restart.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "fakes/fake_journal_store.h"
#include "fakes/fake_main_services.h"
#include "fakes/scratch_folder.h"
#include "mapped/mapped_rename.h"
#include "mapped/name_editing.h"
#include "rename/journal_recovery.h"
#include "rename/preview_commit.h"
#include "rename/rename_journal.h"
#include "rename/rename_run.h"
#include "rename/undo_export.h"
#include "text/gbk_text.h"
#include "trials/trial_world.h"

namespace qm {
namespace {

using Files = std::map<std::string, std::string>;

class FakeNameEditor : public NameEditor {
 public:
  explicit FakeNameEditor(GbkText text) : text_(std::move(text)) {}
  GbkText EditedText() const override { return text_; }
  bool ConfirmsSuccess() const override { return false; }
  void Close() override {}

 private:
  GbkText text_;
};

// A direct run appending "-run" to every name.
void DirectRun(MainServices& services) {
  OperationDefinition append;
  append.prepare = [](MainServices&, bool) {
    PreparedOperation prepared;
    prepared.transform = [](const GbkText& text, const EntryContext&) {
      return std::optional<GbkText>(text + "-run");
    };
    return prepared;
  };
  RunProfile profile;
  RenameRun(profile, append, services);
}

// A commit of the listed names to the names given, row by row.
void Commit(TrialWorld& world, const ScratchFolder& folder, std::vector<GbkText> names) {
  world.OpenPreviewColumn();
  RecordPreviewFolder(world.services, folder.Path());
  for (int row = 0; row < static_cast<int>(names.size()); ++row) {
    world.list.SetCell(row, 1, names[row]);
  }
  CommitPreview(world.services);
}

// A mapped rename of the listed names to the names given, row by row.
void Mapped(TrialWorld& world, std::vector<GbkText> names) {
  FakeList mapped;
  mapped.InsertColumn(1, Gbk("新名字"), 200);
  for (int row = 0; row < world.list.RowCount(); ++row) {
    mapped.AppendRows({world.list.Cell(row, 0)});
    mapped.SetCell(row, 1, names[row]);
  }
  MappedServices services{mapped, world.messages, world.services};
  MappedRename(services, true);
}

struct History : OwnCounter, TrialWorld {
  explicit History(const ScratchFolder& folder) : TrialWorld(folder, counter) {}
};

// Three renames of three kinds, then three presses of the undo; each press
// takes back exactly the newest rename left, in this run or after a restart.
TEST(UndoHistory, TakesBackRenamesOfEveryKindNewestFirst) {
  for (bool restart : {false, true}) {
    SCOPED_TRACE(restart ? "after a restart" : "in the same run");
    ScratchFolder folder;
    for (const char* name : {"a", "b"}) folder.Add(name);
    const Files original = folder.Files();
    std::vector<Files> states = {original};
    {
      History world(folder);
      world.list.AppendRows({"a", "b"});
      DirectRun(world.services);  // a-run, b-run
      states.push_back(folder.Files());
      Commit(world, folder, {"b-run", "a-run"});  // a swap
      states.push_back(folder.Files());
      FakeNameEditor editor("edited");
      ConfirmEdit(editor, {world.list, world.messages}, {0, 0}, world.services);
      states.push_back(folder.Files());
      ASSERT_EQ(world.undo.size(), 3u);
      ASSERT_EQ(states[3].count("edited"), 1u);
      // Only the newest is held in memory; the others come back from their journals.
      EXPECT_FALSE(world.undo.Records()[0].loaded);
      EXPECT_FALSE(world.undo.Records()[1].loaded);
      EXPECT_TRUE(world.undo.Records()[2].loaded);
      if (!restart) {
        for (int k = 3; k > 0; --k) {
          UndoCommit(world.services);
          EXPECT_EQ(folder.Files(), states[k - 1]) << "press " << 4 - k;
        }
        EXPECT_TRUE(world.undo.empty());
        continue;
      }
    }
    History started(folder);
    ResumeAfterStart(started.services);
    EXPECT_TRUE(started.messages.shown.empty());
    ASSERT_EQ(started.undo.size(), 3u);
    for (int k = 3; k > 0; --k) {
      UndoCommit(started.services);
      EXPECT_EQ(folder.Files(), states[k - 1]) << "press " << 4 - k;
    }
    EXPECT_TRUE(started.failures.shown.empty());
    History again(folder);  // every journal of an undone rename is gone
    ResumeAfterStart(again.services);
    EXPECT_TRUE(again.undo.empty());
  }
}

// A rename whose files changed since can never be taken back: the press says
// so, and the next one reaches the rename before it.
TEST(UndoHistory, AChangedRenameStandsNotInTheWayOfTheOneBefore) {
  ScratchFolder folder;
  folder.Add("a");
  History world(folder);
  world.list.AppendRows({"a"});
  DirectRun(world.services);  // a -> a-run
  Mapped(world, {"m"});       // a-run -> m
  std::filesystem::rename(folder.Path() + "m", folder.Path() + "elsewhere");
  UndoCommit(world.services);
  EXPECT_EQ(world.messages.shown.back().text,
            Gbk("列表框现标题 和 枚举到的数组 不是完全相同的，不予操作"));
  EXPECT_EQ(world.undo.size(), 1u);
  std::filesystem::rename(folder.Path() + "elsewhere", folder.Path() + "a-run");
  UndoCommit(world.services);
  EXPECT_EQ(folder.Files(), (Files{{"a", "a"}}));
}

// A start reads no more than the end of a finished run's journal; the
// rest waits for the undo. Only the last 20 renames stay.
TEST(UndoHistory, AStartReadsOnlyTheEndsOfFinishedJournalsAndKeepsTwenty) {
  FakeMainServices world;
  world.files.AddFolder(Gbk("/w"));
  world.form.SetText(Control::标签2, Gbk("/w/"));
  world.form.SetText(Control::组合框2, Gbk("处理文件"));
  for (int i = 0; i < 200; ++i) {
    world.files.AddFile(GbkText("/w/f" + std::to_string(i)));
    world.list.AppendRows({GbkText("f" + std::to_string(i))});
  }
  for (int run = 0; run < 22; ++run) DirectRun(world.services);
  ASSERT_EQ(world.undo.size(), UndoHistory::kKept);
  EXPECT_EQ(world.journal.journals.size(), UndoHistory::kKept);

  // The same disk and journals, as a start finds them.
  world.undo.clear();
  ResumeAfterStart(world.services);
  ASSERT_EQ(world.undo.size(), UndoHistory::kKept);
  EXPECT_LE(world.journal.bytes_read, UndoHistory::kKept * 2 * kJournalEnd.size());
  UndoCommit(world.services);
  GbkText one_back = Gbk("/w/f0");
  for (int run = 0; run < 21; ++run) one_back += "-run";
  EXPECT_TRUE(world.files.Exists(one_back));
  EXPECT_EQ(world.undo.size(), UndoHistory::kKept - 1);
}

// A journal left unfinished that is damaged, or too large for a start to
// read, is never deleted: it is set aside and the start says so, once. One
// cut off before its renames began is simply removed.
TEST(UndoHistory, ADamagedOrHugeUnfinishedJournalIsSetAsideWithAMessage) {
  FakeMainServices world;
  world.journal.journals["1"] = "quillmere-journal 1\nfolder 5:/w/a/\nentry 0 1";  // cut off
  world.journal.journals["2"] = "quillmere-journal 1\nfolder 99:/w/\nbegin\n";     // damaged
  world.journal.journals["4"] = "";  // made, then the program stopped
  world.journal.journals["3"] = JournalStart(Gbk("/w/")) + "entry 0 1 2 1:a 1:b\nbegin\n";
  world.journal.claimed_sizes["3"] = kJournalReadLimit + 1;  // ten million entries, say
  ResumeAfterStart(world.services);
  EXPECT_TRUE(world.journal.journals.empty());
  EXPECT_EQ(world.journal.set_aside.size(), 2u);
  ASSERT_EQ(world.messages.shown.size(), 1u);
  EXPECT_EQ(world.messages.shown[0].text.rfind(Gbk("有2份没有完成的改名记录已损坏或太大"), 0), 0u);

  world.messages.shown.clear();
  ResumeAfterStart(world.services);
  EXPECT_TRUE(world.messages.shown.empty());
}

}  // namespace
}  // namespace qm
