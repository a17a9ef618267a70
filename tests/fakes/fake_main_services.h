#pragma once

#include "fakes/fake_failure_list.h"
#include "fakes/fake_file_info_reader.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_form.h"
#include "fakes/fake_job_progress.h"
#include "fakes/fake_journal_store.h"
#include "fakes/fake_list.h"
#include "fakes/fake_window_system.h"
#include "fakes/scripted_messages.h"
#include "platform/main_services.h"
#include "rename/rename_context.h"

namespace qm {

// A main window's worth of fakes, bundled as the handlers expect them.
struct FakeMainServices {
  FakeForm form;
  FakeList list;
  ScriptedMessages messages;
  FakeWindowSystem windows;
  FakeFileSystem files;
  FakeJournalStore journal;
  FakeFailureList failures;
  UndoHistory undo;
  RenameContext renames{undo, journal};
  FakeJobProgress progress;
  FakeFileInfoReader file_info;
  MainServices services{form,     list,     messages,  windows,   files,
                        &renames, progress, &failures, &file_info};
};

}  // namespace qm
