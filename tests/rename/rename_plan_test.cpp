#include "rename/rename_plan.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <thread>

#include "base/encoding.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_journal_store.h"
#include "fakes/scratch_folder.h"
#include "platform/free_aside.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_journal_store.h"
#include "rename/carry_out.h"
#include "rename/folder_identities.h"
#include "rename/journal_recovery.h"
#include "rename/operations.h"
#include "rename/preview_commit.h"
#include "rename/rename_context.h"
#include "rename/rename_journal.h"
#include "rename/rename_world.h"
#include "rename/undo_export.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

using Folder = ScratchFolder;

std::vector<PlanEntry> Entries(const std::vector<std::pair<GbkText, GbkText>>& pairs) {
  std::vector<PlanEntry> entries;
  for (const auto& [from, to] : pairs) entries.push_back({-1, from, to, std::nullopt});
  return entries;
}

// What an entry came to: "ok", "unchanged", "not run", or the failure's reason.
std::string Outcome(const EntryOutcome& outcome) {
  switch (outcome.state) {
    case EntryState::Renamed:
      return "ok";
    case EntryState::Unchanged:
      return "unchanged";
    case EntryState::NotRun:
      return "not run";
    case EntryState::Failed:
      break;
  }
  switch (outcome.failure.reason) {
    case RenameReason::Exists:
      return "exists";
    case RenameReason::TooLong:
      return "too long";
    case RenameReason::Denied:
      return "denied";
    case RenameReason::ReadOnly:
      return "read-only";
    case RenameReason::Missing:
      return "missing";
    case RenameReason::Changed:
      return "changed";
    case RenameReason::Invalid:
      return "invalid";
    case RenameReason::Other:
      return "other";
    case RenameReason::Duplicate:
      return "duplicate";
    case RenameReason::SwapUndone:
      return "swap undone";
  }
  return "?";
}

std::vector<std::string> Outcomes(const PlanReport& report) {
  std::vector<std::string> outcomes;
  for (const EntryOutcome& outcome : report.outcomes) outcomes.push_back(Outcome(outcome));
  return outcomes;
}

TEST(RenamePlan, OrdersChainsAndRingsAndFailsOnlyWhatMust) {
  const std::string long_name = std::string(252, 'n') + ".txt";
  struct Row {
    const char* name;
    std::vector<std::string> files;
    std::vector<std::pair<GbkText, GbkText>> plan;
    std::map<std::string, std::string> after;  // name -> the file's original name
    std::vector<std::string> outcomes;
  };
  const Row rows[] = {
      {"shift-up",
       {"1", "2", "3"},
       {{"1", "2"}, {"2", "3"}, {"3", "4"}},
       {{"2", "1"}, {"3", "2"}, {"4", "3"}},
       {"ok", "ok", "ok"}},
      {"shift-down",
       {"2", "3", "4"},
       {{"2", "1"}, {"3", "2"}, {"4", "3"}},
       {{"1", "2"}, {"2", "3"}, {"3", "4"}},
       {"ok", "ok", "ok"}},
      {"swap", {"a", "b"}, {{"a", "b"}, {"b", "a"}}, {{"a", "b"}, {"b", "a"}}, {"ok", "ok"}},
      {"three-ring",
       {"a", "b", "c"},
       {{"a", "b"}, {"b", "c"}, {"c", "a"}},
       {{"a", "c"}, {"b", "a"}, {"c", "b"}},
       {"ok", "ok", "ok"}},
      {"two-to-one-target",
       {"a", "b"},
       {{"a", "x"}, {"b", "x"}},
       {{"x", "a"}, {"b", "b"}},
       {"ok", "duplicate"}},
      {"target-taken-outside", {"a", "u"}, {{"a", "u"}}, {{"a", "a"}, {"u", "u"}}, {"exists"}},
      {"chain-onto-a-blocked-entry",
       {"a", "b", "u"},
       {{"a", "b"}, {"b", "u"}},
       {{"a", "a"}, {"b", "b"}, {"u", "u"}},
       {"exists", "exists"}},
      {"name-past-255-bytes", {"a"}, {{"a", GbkText(long_name + "x")}}, {{"a", "a"}}, {"too long"}},
      {"name-of-255-bytes",
       {"a"},
       {{"a", GbkText(long_name.substr(1))}},
       {{long_name.substr(1), "a"}},
       {"ok"}},
      {"invalid-names",
       {"a", "b", "c"},
       {{"a", "sub/a"}, {"b", ".."}, {"c", ""}},
       {{"a", "a"}, {"b", "b"}, {"c", "c"}},
       {"invalid", "invalid", "invalid"}},
      {"source-missing", {"b"}, {{"a", "x"}, {"b", "a"}}, {{"a", "b"}}, {"missing", "ok"}},
      {"unchanged", {"a"}, {{"a", "a"}}, {{"a", "a"}}, {"unchanged"}},
  };
  // A large plan reads the folder once instead of looking each name up: every
  // row runs again among enough other renames to take that way.
  for (int others : {0, 100}) {
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string(row.name) + (others ? " in a large plan" : ""));
      Folder folder;
      for (const std::string& name : row.files) folder.Add(name);
      auto plan = row.plan;
      auto after = row.after;
      auto outcomes = row.outcomes;
      for (int i = 0; i < others; ++i) {
        const std::string name = "other" + std::to_string(i);
        folder.Add(name);
        plan.emplace_back(GbkText(name), GbkText(name + "x"));
        after[name + "x"] = name;
        outcomes.push_back("ok");
      }
      PosixFileSystem files;
      PlanReport report = RunPlan(files, folder.Path(), Entries(plan), {});
      EXPECT_EQ(folder.Files(), after);
      EXPECT_EQ(Outcomes(report), outcomes);
    }
  }
}

// A file replaced under its name between the reading and the rename is not
// the file the user chose: its entry fails, and the new file keeps its name,
// also against an entry that was to take that name after it.
TEST(RenamePlan, ASourceReplacedSinceItWasReadFails) {
  for (int others : {0, 100}) {
    SCOPED_TRACE(others ? "in a large plan" : "in a small plan");
    Folder folder;
    for (const char* name : {"a", "b", "x"}) folder.Add(name);
    std::vector<std::pair<GbkText, GbkText>> pairs = {{"a", "a2"}, {"b", "b2"}, {"x", "a"}};
    for (int i = 0; i < others; ++i) {
      folder.Add("other" + std::to_string(i));
      pairs.emplace_back(GbkText("other" + std::to_string(i)), GbkText("o" + std::to_string(i)));
    }
    PosixFileSystem files;
    std::vector<PlanEntry> entries = Entries(pairs);
    auto handle = files.OpenFolder(folder.Path());
    ASSERT_TRUE(handle.ok());
    for (PlanEntry& entry : entries) entry.identity = (*handle)->Identify(entry.from);
    // Replaced the way editors save: the old file moved aside, a new one written.
    fs::rename(folder.Path() + "a", folder.Root() + "/a.old");
    std::ofstream(folder.Path() + "a") << "new a";
    // The check alone (as a preview makes it) already finds the name taken.
    std::vector<PlanEntry> checked_entries = entries;
    PlanCheck checked = CheckPlan(**handle, checked_entries);
    EXPECT_EQ(checked.outcomes[0].failure.reason, RenameReason::Changed);
    EXPECT_EQ(checked.outcomes[1].state, EntryState::NotRun);
    EXPECT_EQ(checked.outcomes[2].state, EntryState::Failed);
    EXPECT_EQ(checked.outcomes[2].failure.reason, RenameReason::Exists);
    PlanReport report = RunPlan(files, folder.Path(), entries, {});
    std::vector<std::string> outcomes = Outcomes(report);
    outcomes.resize(3);
    EXPECT_EQ(outcomes, (std::vector<std::string>{"changed", "ok", "exists"}));
    EXPECT_EQ(report.renamed, 1 + others);
    std::map<std::string, std::string> after = folder.Files();
    for (int i = 0; i < others; ++i) after.erase("o" + std::to_string(i));
    EXPECT_EQ(after, (std::map<std::string, std::string>{{"a", "new a"}, {"b2", "b"}, {"x", "x"}}));
  }
}

// A check made earlier (for the commit's question) serves the run while no
// entry of the folder came, went or changed hands; after any such change the
// run reads the folder again and finds what the change did.
TEST(RenamePlan, AnEarlierCheckServesTheRunOnlyWhileTheFolderIsUnchanged) {
  struct Case {
    const char* name;
    std::function<void(FakeFileSystem&)> change;
    std::vector<std::string> outcomes;
  };
  const Case cases[] = {
      {"nothing changed", nullptr, {"ok", "ok", "ok"}},
      {"a file added under a target",
       [](FakeFileSystem& f) { f.AddFile(Gbk("/w/c2")); },
       {"ok", "ok", "exists"}},
      {"a file renamed onto a target",
       [](FakeFileSystem& f) { ASSERT_TRUE(f.Rename(Gbk("/w/x"), "/w/b2").ok()); },
       {"exists", "exists", "ok"}},
      {"a source renamed away",
       [](FakeFileSystem& f) { ASSERT_TRUE(f.Rename(Gbk("/w/c"), "/w/c-moved").ok()); },
       {"ok", "ok", "missing"}},
      {"a source replaced",
       [](FakeFileSystem& f) {
         f.Remove(Gbk("/w/c"));
         f.AddFile(Gbk("/w/c"));
       },
       {"ok", "ok", "changed"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFileSystem files;
    files.AddFolder(Gbk("/w"));
    for (const char* name : {"a", "b", "c", "x"}) files.AddFile(GbkText("/w/") + name);
    // A chain (a -> b waits for b -> b2) and a free entry.
    std::vector<PlanEntry> entries = Entries({{"a", "b"}, {"b", "b2"}, {"c", "c2"}});
    auto handle = files.OpenFolder(Gbk("/w/"));
    ASSERT_TRUE(handle.ok());
    PlanCheck checked = CheckPlan(**handle, entries);
    if (c.change) c.change(files);
    const int reads = files.identity_reads;
    PlanOptions options;
    options.checked = &checked;
    PlanReport report = RunPlan(files, Gbk("/w/"), entries, options);
    EXPECT_EQ(Outcomes(report), c.outcomes);
    EXPECT_EQ(files.identity_reads > reads, c.change != nullptr);
  }
}

// A folder read ahead of its plan serves that plan alone: one listing for
// the whole run, taken while the names were made. One read for another
// folder is left aside, and the plan reads its own.
TEST(RenamePlan, AFolderReadAheadServesOnlyThePlanOfItsFolder) {
  for (const char* ahead_of : {"/w/", "/v/"}) {
    SCOPED_TRACE(ahead_of);
    FakeFileSystem files;
    files.AddFolder(Gbk("/w"));
    files.AddFolder(Gbk("/v"));
    std::vector<std::pair<GbkText, GbkText>> pairs;
    for (int i = 0; i < 100; ++i) {
      files.AddFile(Gbk("/w/f") + ToText(i));
      pairs.push_back({Gbk("f") + ToText(i), Gbk("g") + ToText(i)});
    }
    std::unique_ptr<FolderReadAhead> ahead = ReadAhead(files, Gbk(ahead_of), 100);
    ASSERT_NE(ahead, nullptr);
    // The double's folders are plain maps: another folder's read ends before the renames begin.
    if (ahead_of != std::string("/w/")) ahead->identities().TakeAll([](auto, auto) {});
    PlanOptions options;
    options.read_ahead = ahead.get();
    PlanReport report = RunPlan(files, Gbk("/w/"), Entries(pairs), options);
    EXPECT_EQ(report.renamed, 100);
    ahead.reset();  // its read is over
    EXPECT_EQ(files.identity_reads, ahead_of == std::string("/w/") ? 1 : 2);
  }
}

// The folder is held open for the whole run: renamed mid-run, and replaced
// by a look-alike, the rest of the run still renames the files it began with.
TEST(RenamePlan, TheFolderMovedMidRunKeepsTheRunOnItsOwnFiles) {
  Folder folder;
  for (const char* name : {"a", "b", "c"}) folder.Add(name);
  PosixFileSystem files;
  const std::string moved = folder.Root() + "/moved";
  PlanOptions options;
  options.progress = [&](int done, int) {
    if (done == 1) {
      fs::rename(folder.Path(), moved);
      fs::create_directory(folder.Path());
      for (const char* name : {"a", "b", "c"}) std::ofstream(folder.Path() + name) << "decoy";
    }
    return true;
  };
  PlanReport report =
      RunPlan(files, folder.Path(), Entries({{"a", "a2"}, {"b", "b2"}, {"c", "c2"}}), options);
  EXPECT_EQ(report.renamed, 3);
  EXPECT_EQ(folder.Files(),
            (std::map<std::string, std::string>{{"a", "decoy"}, {"b", "decoy"}, {"c", "decoy"}}));
  for (const char* name : {"a2", "b2", "c2"}) EXPECT_TRUE(fs::exists(moved + "/" + name)) << name;
}

// Reasons the system gives, where root ignores permissions: through the
// file-system double, and the errno mapping of the real one.
TEST(RenamePlan, ReportsTheSystemsReasonAndGoesOn) {
  FakeFileSystem files;
  files.AddFolder(Gbk("/w"));
  for (const char* name : {"a", "b", "c"}) files.AddFile(GbkText("/w/") + name);
  files.rename_failures["/w/a"] = {RenameReason::ReadOnly, {}};
  files.rename_failures["/w/b"] = {RenameReason::Denied, {}};
  PlanReport report = RunPlan(files, "/w/", Entries({{"a", "a2"}, {"b", "b2"}, {"c", "c2"}}), {});
  EXPECT_EQ(Outcomes(report), (std::vector<std::string>{"read-only", "denied", "ok"}));
  EXPECT_EQ(report.failed, 2);

  struct Row {
    int error;
    RenameReason reason;
  };
  for (Row row : {Row{EROFS, RenameReason::ReadOnly}, Row{EACCES, RenameReason::Denied},
                  Row{EPERM, RenameReason::Denied}, Row{EEXIST, RenameReason::Exists},
                  Row{ENAMETOOLONG, RenameReason::TooLong}, Row{ENOENT, RenameReason::Missing},
                  Row{EIO, RenameReason::Other}}) {
    EXPECT_EQ(RenameFailureOf(row.error).reason, row.reason) << row.error;
  }
  EXPECT_EQ(RenameFailureOf(EIO).system_text, Utf8ToInternalLenient(std::strerror(EIO)));
}

// One failure inside a ring puts the whole ring back: no file is left under a
// temporary name.
TEST(RenamePlan, ARingWithAFailurePutsEverythingBack) {
  FakeFileSystem files;
  files.AddFolder(Gbk("/w"));
  for (const char* name : {"a", "b", "c"}) files.AddFile(GbkText("/w/") + name, name);
  files.rename_failures["/w/b"] = {RenameReason::Denied, {}};
  PlanReport report = RunPlan(files, "/w/", Entries({{"a", "b"}, {"b", "c"}, {"c", "a"}}), {});
  EXPECT_EQ(Outcomes(report), (std::vector<std::string>{"swap undone", "denied", "swap undone"}));
  EXPECT_EQ(files.Names(Gbk("/w")), (std::vector<GbkText>{"a", "b", "c"}));
  for (const char* name : {"a", "b", "c"}) EXPECT_EQ(files.Content(GbkText("/w/") + name), name);
}

TEST(RenamePlan, StopsBetweenItemsAndReportsWhatHappened) {
  FakeFileSystem files;
  files.AddFolder(Gbk("/w"));
  for (const char* name : {"a", "b", "c", "d"}) files.AddFile(GbkText("/w/") + name);
  std::vector<std::pair<int, int>> calls;
  PlanOptions options;
  options.progress = [&](int done, int total) {
    // Calls with nothing done yet only let a window paint during the check.
    if (done > 0) calls.emplace_back(done, total);
    return done < 2;
  };
  PlanReport report =
      RunPlan(files, "/w/", Entries({{"a", "a2"}, {"b", "b2"}, {"c", "c2"}, {"d", "d2"}}), options);
  EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{1, 4}, {2, 4}}));
  EXPECT_TRUE(report.stopped);
  EXPECT_EQ(report.renamed, 2);
  EXPECT_EQ(Outcomes(report), (std::vector<std::string>{"ok", "ok", "not run", "not run"}));
}

TEST(RenameJournal, RoundTripsNamesWithAnyBytesAndIgnoresACutOffLine) {
  std::vector<JournalEntry> entries = {{0, {1, 2}, "a b\n", "c:d"}, {3, {4, 5}, Gbk("名字"), "x"}};
  std::string bytes = JournalHeader(Gbk("/w/"), entries) + JournalDoneMark(3) + "done 0";
  auto content = ParseJournal(bytes);
  ASSERT_TRUE(content.has_value());
  EXPECT_EQ(content->folder, "/w/");
  ASSERT_EQ(content->entries.size(), 2u);
  EXPECT_EQ(content->entries[0].from, "a b\n");
  EXPECT_EQ(content->entries[0].to, "c:d");
  EXPECT_EQ(content->entries[1].identity, (FileIdentity{4, 5}));
  EXPECT_TRUE(content->begun);
  EXPECT_EQ(content->done, std::set<int>{3});
  EXPECT_FALSE(content->finished);
  EXPECT_TRUE(ParseJournal(bytes + "\n" + std::string(kJournalEnd))->finished);
  // Cut off inside the plan: nothing had moved yet.
  EXPECT_FALSE(ParseJournal(bytes.substr(0, bytes.find("entry 3") + 9))->begun);
  EXPECT_FALSE(ParseJournal("not a journal").has_value());
}

// A damaged line after the beginning (found by fuzzing the reader) must not
// undo what was read before it.
TEST(RenameJournal, DamageAfterTheBeginningKeepsWhatWasRead) {
  const std::string header = JournalHeader(Gbk("/w/"), {{0, {1, 2}, "a", "b"}});
  auto broken_begin = ParseJournal(header + "end\nbegin 2:");
  ASSERT_TRUE(broken_begin.has_value());
  EXPECT_TRUE(broken_begin->begun);
  EXPECT_TRUE(broken_begin->finished);
  EXPECT_EQ(broken_begin->entries.size(), 1u);
}

// ---- Journal, restart and crash -------------------------------------------

// The main window's services over a real folder and a real journal folder.
struct RealWorld : RenameWorld {
  explicit RealWorld(const Folder& folder)
      : store(folder.Root() + "/state/quillmere"),
        renames_real{undo, store},
        real{.form = form,
             .list = list,
             .messages = messages,
             .windows = windows,
             .files = posix,
             .renames = &renames_real,
             .failures = &failures} {
    form.SetText(Control::标签2, folder.Path());
  }
  PosixFileSystem posix;
  PosixJournalStore store;
  RenameContext renames_real;
  MainServices real;
};

TEST(RenameJournalOnDisk, AFinishedCommitIsUndoneAfterARestart) {
  Folder folder;
  for (const char* name : {"ep2", "ep3"}) folder.Add(name);
  {
    RealWorld before(folder);
    before.OpenPreviewColumn();
    before.list.AppendRows({"ep2", "ep3"});
    RecordPreviewFolder(before.real, folder.Path());
    before.list.SetCell(0, 1, Gbk("ep1"));
    before.list.SetCell(1, 1, Gbk("ep2"));
    CommitPreview(before.real);
    ASSERT_EQ(folder.Files(), (std::map<std::string, std::string>{{"ep1", "ep2"}, {"ep2", "ep3"}}));
  }
  RealWorld after(folder);
  ResumeAfterStart(after.real);
  EXPECT_TRUE(after.messages.shown.empty());
  // Known by its journal only, until it is undone.
  ASSERT_EQ(after.undo.size(), 1u);
  EXPECT_FALSE(after.undo.Newest().loaded);
  after.list.AppendRows({"ep1", "ep2"});
  UndoCommit(after.real);
  EXPECT_EQ(folder.Files(), (std::map<std::string, std::string>{{"ep2", "ep2"}, {"ep3", "ep3"}}));
  EXPECT_EQ(after.list.Column(0), (std::vector<GbkText>{"ep2", "ep3"}));
}

// An undo removes its journals at once for the list, while their blocks are
// given back beside the window's thread; a journal removed by a program that
// ended before its unlink is never offered again, and goes at the next start.
TEST(RenameJournalOnDisk, AnUndoneRunIsNeverOfferedAgainWhateverItsUnlinkReached) {
  Folder folder;
  for (const char* name : {"a", "b"}) folder.Add(name);
  const std::string state = folder.Root() + "/state/quillmere";
  std::string journal;
  {
    RealWorld before(folder);
    before.list.AppendRows({"a", "b"});
    RenameRun(RunProfile{}, MappingOperation(), before.real);
    ASSERT_EQ(before.undo.size(), 1u);
    journal = before.undo.Newest().journal_id;
    std::filesystem::copy_file(state + "/" + journal + ".journal", folder.Root() + "/kept");
    // A second run starts while the first one's names are still being freed.
    UndoCommit(before.real);
    RenameRun(RunProfile{}, MappingOperation(), before.real);
    UndoCommit(before.real);
    EXPECT_TRUE(before.undo.empty());
    EXPECT_TRUE(before.store.List().empty());
  }
  EXPECT_EQ(folder.Files(), (std::map<std::string, std::string>{{"a", "a"}, {"b", "b"}}));
  std::filesystem::copy_file(folder.Root() + "/kept", state + "/" + journal + ".journal.removed");
  RealWorld after(folder);
  ResumeAfterStart(after.real);
  EXPECT_TRUE(after.undo.empty());
  EXPECT_TRUE(after.messages.shown.empty());
  WaitUntilAsideDone();
  EXPECT_TRUE(std::filesystem::is_empty(state));
}

TEST(RenameJournalOnDisk, AJournalThatCannotBeWrittenStopsTheRunBeforeAnythingMoves) {
  Folder folder;
  folder.Add("a");
  RealWorld world(folder);
  std::ofstream(folder.Root() + "/state") << "a file where the state folder should be";
  world.list.AppendRows({"a"});
  RunProfile profile;
  profile.file_result = ResultStyle::RenamedSuccessfully;
  RenameRun(profile, MappingOperation(), world.real);
  EXPECT_EQ(folder.Files(), (std::map<std::string, std::string>{{"a", "a"}}));
  ASSERT_EQ(world.messages.shown.size(), 2u);  // the question, then why nothing moved
  EXPECT_EQ(
      world.messages.shown[1].text.rfind(Gbk("无法写入改名记录，为了安全，没有改任何文件的名字。")),
      0u);
  EXPECT_TRUE(world.undo.empty());
}

// The files may change while the commit's question is open. The renames
// follow the check the question was asked on only while the folder shows no
// change; a file replaced, renamed or added meanwhile is found, and no file
// that is not the previewed one is renamed.
TEST(RenameJournalOnDisk, ACommitSeesWhatChangedWhileItsQuestionWasOpen) {
  struct Case {
    const char* name;
    std::function<void(const Folder&)> change;
    std::map<std::string, std::string> after;
  };
  const Case cases[] = {
      {"nothing", nullptr, {{"a2", "a"}, {"b2", "b"}, {"x", "x"}, {"taken", "taken"}, {"c", "c"}}},
      {"a source replaced",
       [](const Folder& folder) {
         fs::rename(folder.Path() + "a", folder.Root() + "/a.old");
         std::ofstream(folder.Path() + "a") << "new a";
       },
       {{"a", "new a"}, {"b2", "b"}, {"x", "x"}, {"taken", "taken"}, {"c", "c"}}},
      {"another file renamed to a source's name",
       [](const Folder& folder) {
         fs::rename(folder.Path() + "a", folder.Path() + "a-moved");
         fs::rename(folder.Path() + "x", folder.Path() + "a");
       },
       {{"a-moved", "a"}, {"a", "x"}, {"b2", "b"}, {"taken", "taken"}, {"c", "c"}}},
      {"a file added under a target",
       [](const Folder& folder) { std::ofstream(folder.Path() + "b2") << "new b2"; },
       {{"a2", "a"}, {"b", "b"}, {"b2", "new b2"}, {"x", "x"}, {"taken", "taken"}, {"c", "c"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Folder folder;
    for (const char* name : {"a", "b", "c", "x", "taken"}) folder.Add(name);
    RealWorld world(folder);
    world.OpenPreviewColumn();
    world.list.AppendRows({"a", "b", "c"});
    RecordPreviewFolder(world.real, folder.Path());
    world.list.SetCell(0, 1, Gbk("a2"));
    world.list.SetCell(1, 1, Gbk("b2"));
    world.list.SetCell(2, 1, Gbk("taken"));  // fails, so the commit asks
    // Past the clock tick of the last change: the folder's stamp counts.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    world.messages.while_shown = [&](const ScriptedMessages::Shown&) {
      if (c.change) c.change(folder);
    };
    CommitPreview(world.real);
    ASSERT_FALSE(world.messages.shown.empty());
    EXPECT_EQ(folder.Files(), c.after);
  }
}

// A child process renames 40 files and is killed after the 25th; the next
// start offers to put the names back and restores every one from the journal.
TEST(RenameJournalOnDisk, AStartAfterACrashPutsEveryNameBack) {
  for (Answer answer : {Answer::Ok, Answer::Cancel}) {
    SCOPED_TRACE(answer == Answer::Ok ? "put back" : "declined, then undone");
    Folder folder;
    std::vector<std::pair<GbkText, GbkText>> pairs;
    std::map<std::string, std::string> original;
    for (int i = 0; i < 40; ++i) {
      std::string name = "f" + std::to_string(i);
      folder.Add(name);
      original[name] = name;
      // A shift: f0 -> f1 -> ... -> f40, so the order matters after a crash too.
      pairs.emplace_back(name, "f" + std::to_string(i + 1));
    }
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    if (child == 0) {
      PosixFileSystem files;
      PosixJournalStore store(folder.Root() + "/state/quillmere");
      PlanOptions options;
      options.journal = &store;
      options.progress = [&](int done, int) {
        if (done == 25) {
          char byte = 1;
          (void)!write(ready[1], &byte, 1);
          pause();  // killed here
        }
        return true;
      };
      RunPlan(files, folder.Path(), Entries(pairs), options);
      _exit(3);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    close(ready[0]);
    close(ready[1]);
    ASSERT_NE(folder.Files(), original);

    RealWorld start(folder);
    start.messages.answers = {answer};
    ResumeAfterStart(start.real);
    ASSERT_GE(start.messages.shown.size(), 1u);
    EXPECT_EQ(start.messages.shown[0].text,
              Gbk("上次改名还没有完成，程序就意外退出了，有25个文件已经改了名。\r\n"
                  "要把它们的名字都改回原来的吗？"));
    if (answer == Answer::Cancel) {
      EXPECT_EQ(start.undo.Newest().pairs.size(), 25u);
      UndoCommit(start.real);
    } else {
      EXPECT_EQ(start.messages.shown.back().text, Gbk("已把25个文件的名字改回原来的。"));
    }
    EXPECT_EQ(folder.Files(), original);
    EXPECT_TRUE(start.failures.shown.empty());

    RealWorld again(folder);  // nothing is asked twice
    ResumeAfterStart(again.real);
    EXPECT_TRUE(again.messages.shown.empty());
  }
}

}  // namespace
}  // namespace qm
