// A stop asked for during a run, a commit or an undo: what was renamed stays
// renamed and recorded, and nothing else moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "rename/operations.h"
#include "rename/preview_commit.h"
#include "rename/rename_world.h"
#include "rename/undo_export.h"
#include "workspace/name_functions.h"

namespace qm {
namespace {

const std::vector<GbkText> kNames = {"f1.txt", "f2.txt", "f3.txt", "f4.txt", "f5.txt"};

struct JobWorld : RenameWorld {
  JobWorld() { AddFiles(kNames); }
  void DirectRun() {
    RenameRun(ProfileOf(OperationId::ZeroFillLeadingNumber), MappingOperation(), services);
  }
  void Commit() {
    OpenPreviewColumn();
    RecordPreviewFolder(services, form.Text(Control::标签2));
    for (int row = 0; row < list.RowCount(); ++row) {
      list.SetCell(row, 1, FileNameOf(list.Cell(row, 0), false) + "-new.txt");
    }
    CommitPreview(services);
  }
  void Undo() { UndoCommit(services); }
  std::vector<GbkText> OnDisk() const {
    std::vector<GbkText> names = files.Names(Gbk("/w"));
    std::sort(names.begin(), names.end());
    return names;
  }
  int Renamed() const { return static_cast<int>(files.renames.size()); }
  bool AllJobsEnded() const {
    return std::all_of(progress.jobs.begin(), progress.jobs.end(),
                       [](const FakeJobProgress::Job& job) { return job.ended; });
  }
};

TEST(LongJobs, AStopAfterTwoRenamesKeepsThemAndOneUndoPutsThemBack) {
  struct Row {
    const char* name;
    std::function<void(JobWorld&)> job;
  };
  const Row rows[] = {{"direct-run", &JobWorld::DirectRun}, {"commit", &JobWorld::Commit}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    JobWorld world;
    world.progress.answer = [&world](int, int) { return world.Renamed() < 2; };
    row.job(world);
    EXPECT_EQ(world.Renamed(), 2);
    EXPECT_EQ(world.undo.Newest().pairs.size(), 2u);
    EXPECT_TRUE(world.AllJobsEnded());
    if (std::string(row.name) == "direct-run") {
      EXPECT_EQ(world.messages.shown.back().text,
                ResultMessage(ProfileOf(OperationId::ZeroFillLeadingNumber).file_result,
                              Icon::Information, 2)
                    ->text);
    }

    world.progress.answer = nullptr;
    world.Undo();
    EXPECT_EQ(world.OnDisk(), kNames);
    EXPECT_EQ(world.list.Column(0), kNames);
  }
}

TEST(LongJobs, AStoppedUndoLeavesTheRestForTheNextUndo) {
  JobWorld world;
  world.Commit();
  ASSERT_EQ(world.Renamed(), 5);
  world.progress.answer = [&world](int, int) { return world.Renamed() < 7; };
  world.Undo();
  EXPECT_EQ(world.Renamed(), 7);
  world.progress.answer = nullptr;
  world.Undo();
  EXPECT_EQ(world.OnDisk(), kNames);
  EXPECT_TRUE(world.AllJobsEnded());
}

// A stop while the job still reads its entries comes before the first rename.
TEST(LongJobs, AStopBeforeTheRenamesBeginRenamesNothing) {
  struct Row {
    const char* name;
    std::function<void(JobWorld&)> before;
    std::function<void(JobWorld&)> job;
  };
  const Row rows[] = {
      {"direct-run", [](JobWorld&) {}, &JobWorld::DirectRun},
      {"commit", [](JobWorld&) {}, &JobWorld::Commit},
      {"undo", &JobWorld::Commit, &JobWorld::Undo},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    JobWorld world;
    row.before(world);
    const int renamed_before = world.Renamed();
    const std::vector<GbkText> on_disk = world.OnDisk();
    world.progress.answer = [](int, int) { return false; };
    row.job(world);
    EXPECT_EQ(world.Renamed(), renamed_before);
    EXPECT_EQ(world.OnDisk(), on_disk);
    EXPECT_TRUE(world.AllJobsEnded());
  }
}

}  // namespace
}  // namespace qm
