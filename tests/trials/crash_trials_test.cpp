// Crash trials: a child process runs one job of the program over a real
// folder and is killed right before its N-th change to the disk (a rename or
// a journal write), for every N the job reaches. The next start must
// ask to put the names back exactly when something moved, and afterwards
// every file must have the name it had before the job, with its content.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "fakes/scratch_folder.h"
#include "mapped/mapped_rename.h"
#include "rename/journal_recovery.h"
#include "rename/operations.h"
#include "rename/preview_commit.h"
#include "rename/undo_export.h"
#include "text/gbk_text.h"
#include "trials/trial_world.h"

namespace qm {
namespace {

using Files = std::map<std::string, std::string>;

using World = CountedWorld;

constexpr int kFiles = 24;

GbkText Name(const char* stem, int i) { return GbkText(stem + std::to_string(i)); }

// A job of the program: `prepare` sets up the files and whatever must be done
// before the job (uncounted), `job` is the work that the kill interrupts.
struct Job {
  const char* name;
  std::function<void(const ScratchFolder&, World&)> prepare;
  std::function<void(World&)> job;
};

// Each entry passes its name to the next: the order of the renames matters.
void Shift(World& world) {
  for (int i = 0; i < kFiles; ++i) {
    world.list.SetCell(i, 1, Name("f", i + 1));
  }
}

std::vector<Job> Jobs() {
  auto files = [](const char* stem) {
    return [stem](const ScratchFolder& folder, World& world) {
      for (int i = 0; i < kFiles; ++i) {
        folder.Add(Name(stem, i).bytes());
        world.list.AppendRows({Name(stem, i)});
      }
    };
  };
  return {
      {"direct run, a shift", files("f"),
       [](World& world) {
         std::map<GbkText, std::optional<GbkText>> table;
         for (int i = 0; i < kFiles; ++i) table[Name("f", i)] = Name("f", i + 1);
         OperationDefinition shift;
         shift.prepare = [table](MainServices&, bool) {
           PreparedOperation prepared;
           prepared.transform = [table](const GbkText& text, const EntryContext&) {
             return table.at(text);
           };
           return prepared;
         };
         RunProfile profile;
         profile.file_result = ResultStyle::RenamedSuccessfully;
         RenameRun(profile, shift, world.services);
       }},
      {"commit, a ring through a temporary name",
       [files](const ScratchFolder& folder, World& world) {
         files("r")(folder, world);
         world.OpenPreviewColumn();
         RecordPreviewFolder(world.services, folder.Path());
         for (int i = 0; i < kFiles; ++i) world.list.SetCell(i, 1, Name("r", (i + 1) % kFiles));
       },
       [](World& world) { CommitPreview(world.services); }},
      {"undo of a commit",
       [files](const ScratchFolder& folder, World& world) {
         files("f")(folder, world);
         world.OpenPreviewColumn();
         RecordPreviewFolder(world.services, folder.Path());
         Shift(world);
         CommitPreview(world.services);
       },
       [](World& world) { UndoCommit(world.services); }},
      {"mapped rename, a swap of neighbours", files("m"),
       [](World& world) {
         FakeList mapped;
         mapped.InsertColumn(1, Gbk("新名字"), 200);
         for (int i = 0; i < kFiles; ++i) mapped.AppendRows({Name("m", i)});
         for (int i = 0; i < kFiles; ++i) mapped.SetCell(i, 1, Name("m", i ^ 1));
         MappedServices services{mapped, world.messages, world.services};
         MappedRename(services, true);
       }},
  };
}

// Runs the job in this process with nothing killed: how many changing calls
// it makes, and the files it leaves.
int CountCalls(const Job& job) {
  ScratchFolder folder;
  World world(folder);
  job.prepare(folder, world);
  const int before = world.counter.Calls(FaultPoint::Any);
  job.job(world);
  return world.counter.Calls(FaultPoint::Any) - before;
}

// Runs the job in a child killed right before its nth changing call.
void RunKilledAt(const Job& job, const ScratchFolder& folder, int nth, Files& before_job) {
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  pid_t child = fork();
  if (child == 0) {
    close(ready[0]);
    World world(folder);
    job.prepare(folder, world);
    std::string state;
    for (const auto& [name, content] : folder.Files()) state += name + "\t" + content + "\n";
    (void)!write(ready[1], state.data(), state.size());
    close(ready[1]);
    world.counter.Inject({FaultPoint::Any, world.counter.Calls(FaultPoint::Any) + nth, 0,
                          [](const FaultCall&) { raise(SIGKILL); }});
    job.job(world);
    _exit(3);  // the job ended before the kill point
  }
  close(ready[1]);
  std::string state;
  char buffer[4096];
  for (ssize_t got; (got = read(ready[0], buffer, sizeof buffer)) > 0;) state.append(buffer, got);
  close(ready[0]);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "kill point " << nth;
  // The child says what the folder held when the job began.
  before_job.clear();
  for (size_t at = 0, end; (end = state.find('\n', at)) != std::string::npos; at = end + 1) {
    const size_t tab = state.find('\t', at);
    before_job[state.substr(at, tab - at)] = state.substr(tab + 1, end - tab - 1);
  }
}

TEST(CrashTrials, EveryKillPointEndsWithEveryNameBack) {
  for (const Job& job : Jobs()) {
    const int calls = CountCalls(job);
    ASSERT_GT(calls, kFiles) << job.name;
    // A kill between any two changes, the job's every step being cheap here.
    for (int nth = 1; nth <= calls; ++nth) {
      SCOPED_TRACE(std::string(job.name) + ", killed before change " + std::to_string(nth) +
                   " of " + std::to_string(calls));
      ScratchFolder folder;
      Files before;
      RunKilledAt(job, folder, nth, before);
      if (HasFatalFailure()) return;
      const Files crashed = folder.Files();

      World start(folder);
      ResumeAfterStart(start.services);
      // Every name as it was when the job began, over the same content.
      EXPECT_EQ(folder.Files(), before);
      const bool moved = crashed != before;
      EXPECT_EQ(!start.messages.shown.empty(), moved);
      EXPECT_TRUE(start.failures.shown.empty());

      World again(folder);  // nothing is asked twice
      ResumeAfterStart(again.services);
      EXPECT_TRUE(again.messages.shown.empty());
    }
  }
}

}  // namespace
}  // namespace qm
