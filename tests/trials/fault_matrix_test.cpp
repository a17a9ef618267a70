// The fault matrix: every job that renames, under every fault a disk can give,
// striking the first, a middle and the last change and the way out of a
// ring's temporary name. Whatever strikes, no file is lost or changed, every
// entry not done is listed with a reason that names the fault, and a start
// afterwards finds the journal agreeing with the disk: it asks to put names
// back only when some are displaced, with their count, and the undo then
// restores exactly what was done.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "fakes/scratch_folder.h"
#include "filetools/create_items.h"
#include "filetools/delete_listed.h"
#include "mapped/mapped_rename.h"
#include "mapped/name_editing.h"
#include "rename/carry_out.h"
#include "rename/journal_recovery.h"
#include "rename/operations.h"
#include "rename/preview_commit.h"
#include "rename/undo_export.h"
#include "text/gbk_text.h"
#include "trials/trial_world.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

constexpr int kEntries = 8;
constexpr char kIntruder[] = "intruder";

std::string ReadContentOf(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

Files Contents(const fs::path& folder) {
  Files files;
  if (!fs::is_directory(folder)) return files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::ifstream in(entry.path());
    std::stringstream content;
    content << in.rdbuf();
    files[entry.path().filename().string()] = content.str();
  }
  return files;
}

GbkText Name(const char* stem, int i) { return GbkText(stem + std::to_string(i)); }

// One trial: a folder, the program as the job found it, and the program
// started again when the job itself restarts it.
struct Scene {
  ScratchFolder folder;
  FaultCounter counter;
  std::unique_ptr<TrialWorld> world = std::make_unique<TrialWorld>(folder, counter);
  std::unique_ptr<TrialWorld> restarted;

  Scene() { fs::create_directory(Outside()); }
  fs::path Folder() const { return folder.Root() + "/w"; }
  fs::path Moved() const { return folder.Root() + "/w-moved"; }
  fs::path Outside() const { return folder.Root() + "/outside"; }
  fs::path Made() const { return folder.Root() + "/made"; }
  TrialWorld& Outcome() { return restarted ? *restarted : *world; }

  // Every content the trial can account for, wherever it went.
  std::vector<std::string> AllContents() const {
    std::vector<std::string> all;
    for (const fs::path& place : {Folder(), Moved(), Outside()}) {
      for (const auto& [name, content] : Contents(place)) all.push_back(content);
    }
    std::sort(all.begin(), all.end());
    return all;
  }
};

void AddFiles(Scene& scene, const char* stem) {
  for (int i = 0; i < kEntries; ++i) {
    scene.folder.Add(Name(stem, i).bytes());
    scene.world->list.AppendRows({Name(stem, i)});
  }
}

// A commit of f0..f7 to f1..f8: each entry passes its name to the next.
void CommitShift(Scene& scene) {
  AddFiles(scene, "f");
  TrialWorld& world = *scene.world;
  world.OpenPreviewColumn();
  RecordPreviewFolder(world.services, scene.folder.Path());
  for (int i = 0; i < kEntries; ++i) world.list.SetCell(i, 1, Name("f", i + 1));
  CommitPreview(world.services);
}

class FakeNameEditor : public NameEditor {
 public:
  GbkText EditedText() const override { return Gbk("renamed"); }
  bool ConfirmsSuccess() const override { return false; }
  void Close() override {}
};

struct Job {
  const char* name;
  bool has_ring;
  bool undoable;  // leaves a rename that the undo can take back
  std::function<void(Scene&)> prepare;
  std::function<void(Scene&)> run;
};

std::vector<Job> Jobs() {
  return {
      {"direct run", false, true, [](Scene& scene) { AddFiles(scene, "f"); },
       [](Scene& scene) {
         OperationDefinition shift;
         shift.prepare = [](MainServices&, bool) {
           PreparedOperation prepared;
           prepared.transform = [](const GbkText& text, const EntryContext&) {
             return std::optional<GbkText>(
                 GbkText("f" + std::to_string(std::stoi(text.substr(1).bytes()) + 1)));
           };
           return prepared;
         };
         RunProfile profile;
         profile.file_result = ResultStyle::RenamedSuccessfully;
         RenameRun(profile, shift, scene.world->services);
       }},
      {"commit", true, true,
       [](Scene& scene) {
         AddFiles(scene, "r");
         TrialWorld& world = *scene.world;
         world.OpenPreviewColumn();
         RecordPreviewFolder(world.services, scene.folder.Path());
         for (int i = 0; i < kEntries; ++i) world.list.SetCell(i, 1, Name("r", (i + 1) % kEntries));
       },
       [](Scene& scene) { CommitPreview(scene.world->services); }},
      {"undo", false, false, CommitShift, [](Scene& scene) { UndoCommit(scene.world->services); }},
      {"undo after a restart", false, false, CommitShift,
       [](Scene& scene) {
         scene.restarted = std::make_unique<TrialWorld>(scene.folder, scene.counter);
         ResumeAfterStart(scene.restarted->services);
         UndoCommit(scene.restarted->services);
       }},
      {"mapped rename", true, true, [](Scene& scene) { AddFiles(scene, "m"); },
       [](Scene& scene) {
         FakeList mapped;
         mapped.InsertColumn(1, Gbk("新名字"), 200);
         for (int i = 0; i < kEntries; ++i) mapped.AppendRows({Name("m", i)});
         for (int i = 0; i < kEntries; ++i) mapped.SetCell(i, 1, Name("m", i ^ 1));
         MappedServices services{mapped, scene.world->messages, scene.world->services};
         MappedRename(services, true);
       }},
      {"single-name editor", false, true, [](Scene& scene) { AddFiles(scene, "e"); },
       [](Scene& scene) {
         TrialWorld& world = *scene.world;
         FakeNameEditor editor;
         ConfirmEdit(editor, {world.list, world.messages}, {kEntries / 2, 0}, world.services);
       }},
  };
}

enum class Action { None, SourceGone, TargetAppears, FolderMoved };

struct FaultKind {
  const char* name;
  FaultPoint point;
  int error;
  Action action = Action::None;
};

const FaultKind kFaults[] = {
    {"EACCES", FaultPoint::Rename, EACCES},
    {"EROFS", FaultPoint::Rename, EROFS},
    {"EIO", FaultPoint::Rename, EIO},
    {"ENAMETOOLONG", FaultPoint::Rename, ENAMETOOLONG},
    {"EXDEV", FaultPoint::Rename, EXDEV},
    {"ENOSPC writing the journal", FaultPoint::JournalAppend, ENOSPC},
    {"EIO writing the journal", FaultPoint::JournalAppend, EIO},
    {"source gone", FaultPoint::Rename, 0, Action::SourceGone},
    {"target appearing", FaultPoint::Rename, 0, Action::TargetAppears},
    {"folder moved away", FaultPoint::Rename, 0, Action::FolderMoved},
};

enum class Where { First, Middle, Last, OutOfRingTemporary };
const char* NameOf(Where where) {
  switch (where) {
    case Where::First:
      return "first";
    case Where::Middle:
      return "middle";
    case Where::Last:
      return "last";
    case Where::OutOfRingTemporary:
      return "out of a ring's temporary name";
  }
  return "";
}

// What the job does with nothing failing: the calls it makes, and the name
// each content ends under.
struct DryRun {
  std::vector<FaultCall> calls;
  Files ends;  // content -> name
};

DryRun Dry(const Job& job) {
  Scene scene;
  job.prepare(scene);
  const size_t before = scene.counter.Log().size();
  job.run(scene);
  DryRun dry;
  dry.calls.assign(scene.counter.Log().begin() + before, scene.counter.Log().end());
  for (const auto& [name, content] : Contents(scene.Folder())) dry.ends[content] = name;
  return dry;
}

// The call of the fault's kind, counted from 1 within the job, where it strikes;
// 0 when the job has no such call.
int StrikeAt(const DryRun& dry, FaultPoint point, Where where) {
  std::vector<int> nths;
  int nth = 0;
  for (const FaultCall& call : dry.calls) {
    if (call.point != point) continue;
    ++nth;
    if (where != Where::OutOfRingTemporary || call.from.rfind(".quillmere-", 0) == 0) {
      nths.push_back(nth);
    }
  }
  if (nths.empty()) return 0;
  switch (where) {
    case Where::First:
    case Where::OutOfRingTemporary:
      return nths.front();
    case Where::Middle:
      return nths[nths.size() / 2];
    case Where::Last:
      return nths.back();
  }
  return 0;
}

std::function<void(const FaultCall&)> Perform(Action action, Scene& scene) {
  switch (action) {
    case Action::None:
      return {};
    case Action::SourceGone:
      return [&scene](const FaultCall& call) {
        fs::rename(scene.Folder() / call.from.bytes(), scene.Outside() / call.from.bytes());
      };
    case Action::TargetAppears:
      return [&scene](const FaultCall& call) {
        std::ofstream(scene.Folder() / call.to.bytes()) << kIntruder;
      };
    case Action::FolderMoved:
      return [&scene](const FaultCall&) { fs::rename(scene.Folder(), scene.Moved()); };
  }
  return {};
}

// The reason the failure window must give for the fault.
GbkText ReasonOf(const FaultKind& fault) {
  switch (fault.action) {
    case Action::SourceGone:
      return FailureText({RenameReason::Missing, {}});
    case Action::TargetAppears:
      return FailureText({RenameReason::Exists, {}});
    default:
      return FailureText(RenameFailureOf(fault.error));
  }
}

int FailureRows(const TrialWorld& world) {
  int rows = 0;
  for (const auto& shown : world.failures.shown) rows += static_cast<int>(shown.rows.size());
  return rows;
}

bool AnyRowGives(const TrialWorld& world, const GbkText& reason) {
  for (const auto& shown : world.failures.shown) {
    for (const FailedRename& row : shown.rows) {
      if (row.reason.find(reason) != std::string::npos) return true;
    }
  }
  return false;
}

int QuestionCount(const TrialWorld& world) {
  static const GbkText before = Gbk("有"), after = Gbk("个文件已经改了名");
  for (const auto& shown : world.messages.shown) {
    const size_t end = shown.text.find(after);
    if (end == std::string::npos) continue;
    const size_t start = shown.text.rfind(before, end) + before.size();
    return std::stoi(shown.text.substr(start, end - start).bytes());
  }
  return 0;
}

TEST(FaultMatrix, NoFileIsLostAndEveryFailureIsExplained) {
  const Where kPlaces[] = {Where::First, Where::Middle, Where::Last, Where::OutOfRingTemporary};
  int scenarios = 0;
  for (const Job& job : Jobs()) {
    const DryRun dry = Dry(job);
    for (const FaultKind& fault : kFaults) {
      for (Where where : kPlaces) {
        if (where == Where::OutOfRingTemporary &&
            (!job.has_ring || fault.point != FaultPoint::Rename))
          continue;
        const int nth = StrikeAt(dry, fault.point, where);
        if (nth == 0) continue;
        SCOPED_TRACE(std::string(job.name) + " / " + fault.name + " / " + NameOf(where));
        ++scenarios;

        Scene scene;
        job.prepare(scene);
        const Files before = Contents(scene.Folder());
        scene.counter.Inject({fault.point, scene.counter.Calls(fault.point) + nth, fault.error,
                              Perform(fault.action, scene)});
        job.run(scene);
        TrialWorld& outcome = scene.Outcome();

        // Nothing lost, nothing changed.
        std::vector<std::string> expected;
        for (const auto& [name, content] : before) expected.push_back(content);
        if (fault.action == Action::TargetAppears) expected.push_back(kIntruder);
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(scene.AllContents(), expected);

        // Every entry the job meant to move and did not is listed with a reason.
        const fs::path now_in =
            fault.action == Action::FolderMoved ? scene.Moved() : scene.Folder();
        Files now;  // content -> name
        for (const auto& [name, content] : Contents(now_in)) now[content] = name;
        int not_done = 0;
        for (const auto& [name, content] : before) {
          const std::string& meant = dry.ends.at(content);
          if (meant != name && (!now.count(content) || now.at(content) != meant)) ++not_done;
        }
        const bool journal_refused = fault.point == FaultPoint::JournalAppend && nth == 1;
        if (journal_refused) {
          EXPECT_EQ(Contents(scene.Folder()), before) << "renamed without a journal";
          EXPECT_TRUE(outcome.messages.shown.empty() == false);
        } else {
          EXPECT_EQ(FailureRows(outcome), not_done);
          if (fault.point == FaultPoint::Rename && fault.action != Action::FolderMoved) {
            EXPECT_GT(not_done, 0);
            EXPECT_TRUE(AnyRowGives(outcome, ReasonOf(fault)));
          }
        }

        // The next start: the journal agrees with the disk, and the undo takes
        // back exactly what was done.
        if (fault.action == Action::FolderMoved) continue;
        int displaced = 0;
        const Files after = Contents(scene.Folder());
        for (const auto& [name, content] : before) {
          auto at = after.find(name);
          if (at == after.end() || at->second != content) ++displaced;
        }
        if (fault.action == Action::SourceGone) --displaced;  // moved away by someone else
        FaultCounter fresh;
        TrialWorld start(scene.folder, fresh);
        start.form.SetText(Control::按钮_打开预览, Gbk("打开预览"));
        ResumeAfterStart(start.services);
        const int asked = QuestionCount(start);
        EXPECT_TRUE(asked == 0 || asked == displaced) << asked << " asked, " << displaced;
        if (job.undoable) {
          if (asked == 0 && displaced > 0) UndoCommit(start.services);
          // The folder as before the job, less what someone else took away
          // and without what someone else put there.
          Files expected_after = before;
          std::set<std::string> taken_away;
          for (const auto& [name, content] : Contents(scene.Outside())) taken_away.insert(content);
          std::erase_if(expected_after,
                        [&](const auto& file) { return taken_away.count(file.second); });
          Files final_state = Contents(scene.Folder());
          std::erase_if(final_state, [](const auto& file) { return file.second == kIntruder; });
          const bool intruder_holds_a_name = std::any_of(
              before.begin(), before.end(),
              [&](const auto& file) { return Contents(scene.Folder())[file.first] == kIntruder; });
          if (intruder_holds_a_name) {
            // That name cannot be given back: the undo says so and takes back
            // what it can.
            EXPECT_TRUE(AnyRowGives(start, ReasonOf(fault)));
          } else {
            EXPECT_EQ(final_state, expected_after);
          }
        } else {
          EXPECT_EQ(asked, 0);
        }
        TrialWorld again(scene.folder, fresh);
        ResumeAfterStart(again.services);
        EXPECT_TRUE(again.messages.shown.empty());
      }
    }
  }
  RecordProperty("scenarios", scenarios);
}

// ---- The jobs that create, delete or write files --------------------------

struct ToolJob {
  const char* name;
  FaultPoint point;  // the kind of call its faults strike
  std::function<void(Scene&)> prepare;
  std::function<void(Scene&)> run;
};

void Delete(Scene& scene, bool to_trash) {
  scene.world->form.SetChecked(Control::单选框17, !to_trash);
  scene.world->form.SetChecked(Control::单选框18, to_trash);
  DeleteListed(scene.world->services);
}

void CreateInto(Scene& scene, const GbkText& choice) {
  AddFiles(scene, "a");
  fs::create_directory(scene.Made());
  scene.world->form.SetText(Control::编辑框14, GbkText(scene.Made().string() + "/"));
  scene.world->form.SetText(Control::组合框_创建扩展, choice);
}

std::vector<ToolJob> ToolJobs() {
  auto list = [](Scene& scene) { AddFiles(scene, "a"); };
  return {
      {"create files", FaultPoint::CreateFile, [](Scene& scene) { CreateInto(scene, Gbk(".txt")); },
       [](Scene& scene) { CreateItems(scene.world->services); }},
      {"create folders", FaultPoint::CreateFolder,
       [](Scene& scene) { CreateInto(scene, CreateFoldersChoice()); },
       [](Scene& scene) { CreateItems(scene.world->services); }},
      {"delete for good", FaultPoint::RemoveFile, list, [](Scene& scene) { Delete(scene, false); }},
      {"delete to the trash", FaultPoint::MoveToTrash, list,
       [](Scene& scene) { Delete(scene, true); }},
      {"export of names", FaultPoint::WriteFile,
       [](Scene& scene) {
         AddFiles(scene, "a");
         // The export of an earlier day, which a failed export leaves whole.
         fs::create_directory(scene.Made());
         std::ofstream(scene.Made() / "原文件名保存.txt") << "earlier";
       },
       [](Scene& scene) { ExportNames(scene.world->services); }},
  };
}

const FaultKind kToolFaults[] = {
    {"EACCES", FaultPoint::Any, EACCES},
    {"EROFS", FaultPoint::Any, EROFS},
    {"EIO", FaultPoint::Any, EIO},
    {"ENOSPC", FaultPoint::Any, ENOSPC},
    {"ENAMETOOLONG", FaultPoint::Any, ENAMETOOLONG},
    {"EXDEV", FaultPoint::Any, EXDEV},
    {"source gone", FaultPoint::Any, 0, Action::SourceGone},
    {"target appearing", FaultPoint::Any, 0, Action::TargetAppears},
};

// Paths of a file tool's calls are whole paths; the scene's actions take names.
std::function<void(const FaultCall&)> PerformOnPath(Action action, Scene& scene) {
  switch (action) {
    case Action::SourceGone:
      return [&scene](const FaultCall& call) {
        const fs::path path(call.from.bytes());
        if (fs::exists(path)) fs::rename(path, scene.Outside() / path.filename());
      };
    case Action::TargetAppears:
      return [](const FaultCall& call) { std::ofstream(call.from.bytes()) << kIntruder; };
    default:
      return {};
  }
}

// Every file's content below the scene's root, by where it is; the journal
// folder left out.
std::multiset<std::string> Everything(const Scene& scene) {
  std::multiset<std::string> all;
  for (const auto& entry : fs::recursive_directory_iterator(scene.folder.Root())) {
    if (entry.path().string().find("/state/") != std::string::npos) continue;
    if (!entry.is_regular_file() || entry.path().parent_path().filename() == "info") continue;
    std::ifstream in(entry.path());
    std::stringstream content;
    content << in.rdbuf();
    all.insert(content.str());
  }
  return all;
}

TEST(FaultMatrix, FileToolsLoseNothingAndClaimNoSuccessTheyDidNotHave) {
  const Where kToolPlaces[] = {Where::First, Where::Middle, Where::Last};
  int scenarios = 0;
  for (const ToolJob& job : ToolJobs()) {
    const bool is_export = job.point == FaultPoint::WriteFile;
    const bool deletes =
        job.point == FaultPoint::RemoveFile || job.point == FaultPoint::MoveToTrash;
    for (const FaultKind& fault : kToolFaults) {
      if (fault.action == Action::SourceGone && !deletes) continue;
      // An export replaces its own earlier file by design; a deletion has no target.
      if (fault.action == Action::TargetAppears && (deletes || is_export)) continue;
      for (Where where : kToolPlaces) {
        // The export writes once, and once more elsewhere when that fails.
        if (is_export && where == Where::Middle) continue;
        SCOPED_TRACE(std::string(job.name) + " / " + fault.name + " / " + NameOf(where));
        ++scenarios;
        Scene scene;
        ::setenv("XDG_DATA_HOME", (scene.folder.Root() + "/.data").c_str(), 1);
        scene.world->faulty_files.program_folder = GbkText(scene.Made().string());
        scene.world->faulty_files.documents_folder = GbkText(scene.folder.Root() + "/documents");
        fs::create_directory(scene.folder.Root() + "/documents");
        job.prepare(scene);
        const std::multiset<std::string> before = Everything(scene);
        // The export's "last" is both of its writes failing.
        const int first = where == Where::First    ? 1
                          : where == Where::Middle ? kEntries / 2
                                                   : kEntries;
        const auto strike = [&](int nth) {
          scene.counter.Inject(
              {job.point, nth, fault.error,
               fault.action == Action::None ? nullptr : PerformOnPath(fault.action, scene)});
        };
        if (is_export) {
          strike(1);
          if (where == Where::Last) strike(2);
        } else {
          strike(first);
        }
        job.run(scene);
        const std::multiset<std::string> after = Everything(scene);
        const auto& shown = scene.world->messages.shown;

        if (job.point == FaultPoint::CreateFile || job.point == FaultPoint::CreateFolder) {
          // Nothing that was there is touched; the count is what was made.
          for (const std::string& content : before)
            EXPECT_GE(after.count(content), before.count(content));
          if (fault.action == Action::TargetAppears) {
            EXPECT_EQ(after.count(kIntruder), 1u);
          }
          int made = 0;
          for (const auto& entry : fs::directory_iterator(scene.Made())) {
            made += ReadContentOf(entry.path()) != kIntruder;
          }
          EXPECT_EQ(made, kEntries - 1);
          ASSERT_FALSE(shown.empty());
          EXPECT_EQ(shown.back().text, Gbk("成功创建") + ToText(made) + Gbk("个文件夹"));
        } else if (deletes) {
          // What is not deleted is still whole; the trash keeps what went there.
          // Only the entry struck is left, in the folder or where it was taken.
          const size_t left = Contents(scene.Folder()).size();
          EXPECT_EQ(left + Contents(scene.Outside()).size(), 1u);
          if (job.point == FaultPoint::MoveToTrash) {
            EXPECT_EQ(after, before);
          }
          for (const auto& [name, content] : Contents(scene.Folder())) EXPECT_EQ(name, content);
          // A deletion that failed keeps the row: the list shows what is there.
          EXPECT_EQ(scene.world->list.RowCount(), kEntries);
        } else {
          // A failed export never leaves a half file, nor spoils the earlier one.
          EXPECT_EQ(ReadContentOf(scene.Made() / "原文件名保存.txt"), "earlier");
          ASSERT_FALSE(shown.empty());
          if (where == Where::Last) {
            EXPECT_EQ(shown.back().text, Gbk("保存失败"));
          } else {
            EXPECT_NE(shown.back().text.find(Gbk("不能写入")), std::string::npos);
          }
        }
      }
    }
  }
  RecordProperty("scenarios", scenarios);
}

}  // namespace
}  // namespace qm
