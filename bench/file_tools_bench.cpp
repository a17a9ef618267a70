// The creation and deletion tools over 10,000 entries on tmpfs, each against a
// bare loop of the system calls it stands for: creating files, deleting them,
// removing a folder tree, and moving files to the trash.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fakes/fake_form.h"
#include "fakes/fake_list.h"
#include "fakes/fake_window_system.h"
#include "filetools/create_items.h"
#include "filetools/delete_listed.h"
#include "platform/posix/posix_file_system.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

constexpr int kEntries = 10000;

class SilentMessages : public Messages {
 public:
  Answer Show(const GbkText&, const GbkText&, Icon, Buttons) override { return Answer::Ok; }
};

std::string Name(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "f%06d.mp4", i);
  return name;
}

void Touch(const std::string& path) {
  int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
  if (fd < 0) std::abort();
  ::close(fd);
}

// A scratch folder on tmpfs with a trash of its own, and the main window's
// controls and list faked around the real file system.
struct World {
  World() {
    char pattern[] = "/dev/shm/qm_file_tools_bench_XXXXXX";
    if (!::mkdtemp(pattern)) std::abort();
    root = pattern;
    ::setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
    std::vector<GbkText> names;
    for (int i = 0; i < kEntries; ++i) names.push_back(GbkText(Name(i)));
    list.AppendRows(names);
    form.SetText(Control::组合框2, Gbk("处理文件"));
    form.SetText(Control::标签2, GbkText(root + "/work/"));
    form.SetText(Control::编辑框14, GbkText(root + "/work"));
    form.SetText(Control::组合框_创建扩展, ".txt");
  }
  ~World() { std::filesystem::remove_all(root); }

  void Reset(bool with_files) {
    std::filesystem::remove_all(root + "/work");
    std::filesystem::remove_all(root + "/data");
    std::filesystem::create_directories(root + "/work");
    std::filesystem::create_directories(root + "/data/Trash/files");
    if (with_files) {
      for (int i = 0; i < kEntries; ++i) Touch(root + "/work/" + Name(i));
    }
  }

  std::string root;
  FakeForm form;
  FakeList list;
  SilentMessages messages;
  FakeWindowSystem windows;
  PosixFileSystem files;
  MainServices services{form, list, messages, windows, files};
};

World& Shared() {
  static World world;
  return world;
}

void BM_CreateItems(benchmark::State& state) {
  World& world = Shared();
  for (auto _ : state) {
    state.PauseTiming();
    world.Reset(false);
    state.ResumeTiming();
    CreateItems(world.services);
  }
}

void BM_BareCreateLoop(benchmark::State& state) {
  World& world = Shared();
  for (auto _ : state) {
    state.PauseTiming();
    world.Reset(false);
    state.ResumeTiming();
    for (int i = 0; i < kEntries; ++i) {
      std::string path = world.root + "/work/" + Name(i).substr(0, 7) + ".txt";
      int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd < 0 || ::write(fd, kCreatedFileContent.data(), kCreatedFileContent.size()) != 8) {
        std::abort();
      }
      ::close(fd);
    }
  }
}

void BM_DeleteListed(benchmark::State& state) {
  World& world = Shared();
  world.form.SetChecked(Control::单选框18, state.range(0) != 0);
  for (auto _ : state) {
    state.PauseTiming();
    world.Reset(true);
    state.ResumeTiming();
    DeleteListed(world.services);
  }
  world.form.SetChecked(Control::单选框18, false);
}

void BM_BareUnlinkLoop(benchmark::State& state) {
  World& world = Shared();
  for (auto _ : state) {
    state.PauseTiming();
    world.Reset(true);
    state.ResumeTiming();
    for (int i = 0; i < kEntries; ++i) ::unlink((world.root + "/work/" + Name(i)).c_str());
  }
}

// The trash's own baseline: the rename into files/ alone.
void BM_BareRenameIntoTrashLoop(benchmark::State& state) {
  World& world = Shared();
  for (auto _ : state) {
    state.PauseTiming();
    world.Reset(true);
    state.ResumeTiming();
    for (int i = 0; i < kEntries; ++i) {
      std::string name = Name(i);
      ::renameat2(AT_FDCWD, (world.root + "/work/" + name).c_str(), AT_FDCWD,
                  (world.root + "/data/Trash/files/" + name).c_str(), RENAME_NOREPLACE);
    }
  }
}

// A tree of 100 folders with 100 files each.
void MakeTree(const std::string& root) {
  std::filesystem::remove_all(root);
  for (int folder = 0; folder < kEntries / 100; ++folder) {
    std::string path = root + "/d" + std::to_string(folder);
    std::filesystem::create_directories(path);
    for (int file = 0; file < 100; ++file) Touch(path + "/" + Name(file));
  }
}

void BM_RemoveFolderTree(benchmark::State& state) {
  World& world = Shared();
  GbkText tree = GbkText(world.root + "/tree");
  for (auto _ : state) {
    state.PauseTiming();
    MakeTree(world.root + "/tree");
    state.ResumeTiming();
    if (!world.files.RemoveFolderTree(tree).ok()) std::abort();
  }
}

void BM_StdRemoveAll(benchmark::State& state) {
  World& world = Shared();
  for (auto _ : state) {
    state.PauseTiming();
    MakeTree(world.root + "/tree");
    state.ResumeTiming();
    std::filesystem::remove_all(world.root + "/tree");
  }
}

BENCHMARK(BM_BareCreateLoop)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_CreateItems)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_BareUnlinkLoop)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_DeleteListed)->Arg(0)->ArgName("trash")->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_BareRenameIntoTrashLoop)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_DeleteListed)->Arg(1)->ArgName("trash")->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_StdRemoveAll)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_RemoveFolderTree)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace qm

BENCHMARK_MAIN();
