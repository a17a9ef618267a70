#pragma once

#include <string>

#include "fakes/fake_failure_list.h"
#include "fakes/fake_form.h"
#include "fakes/fake_list.h"
#include "fakes/fake_window_system.h"
#include "fakes/faulty_file_system.h"
#include "fakes/scratch_folder.h"
#include "fakes/scripted_messages.h"
#include "platform/main_services.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_journal_store.h"
#include "rename/rename_context.h"
#include "text/gbk_text.h"

namespace qm {

// The main window's services over a real folder and a real journal folder
// beside it, with every change to the disk going through one fault counter.
// A second world over the same folder is the program started again.
struct TrialWorld {
  TrialWorld(const ScratchFolder& folder, FaultCounter& counter)
      : store(folder.Root() + "/state/quillmere"),
        faulty_files(posix, counter),
        faulty_store(store, counter),
        renames{undo, faulty_store},
        services{.form = form,
                 .list = list,
                 .messages = messages,
                 .windows = windows,
                 .files = faulty_files,
                 .renames = &renames,
                 .failures = &failures} {
    form.SetText(Control::标签2, folder.Path());
    form.SetText(Control::组合框2, Gbk("处理文件"));
    form.SetText(Control::按钮_打开预览, Gbk("打开预览"));
  }
  void OpenPreviewColumn() {
    form.SetText(Control::按钮_打开预览, Gbk("关闭预览"));
    list.InsertColumn(1, Gbk("更名后的效果"), 380);
  }

  FakeForm form;
  FakeList list;
  ScriptedMessages messages;
  FakeWindowSystem windows;
  FakeFailureList failures;
  UndoHistory undo;
  PosixFileSystem posix;
  PosixJournalStore store;
  FaultyFileSystem faulty_files;
  FaultyJournalStore faulty_store;
  RenameContext renames;
  MainServices services;
};

// A world with a counter of its own, for a test that starts one program.
struct OwnCounter {
  FaultCounter counter;
};
struct CountedWorld : OwnCounter, TrialWorld {
  explicit CountedWorld(const ScratchFolder& folder) : TrialWorld(folder, counter) {}
};

}  // namespace qm
