#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

#include "platform/dialogs.h"
#include "platform/file_info.h"
#include "platform/file_system.h"
#include "platform/memory_form.h"
#include "rename/operations.h"

namespace qm {

// A draft: what an operation's button would write in the preview column if
// it were clicked now, made while the user types. It runs the very run the
// button runs, over a copy of the window's state, and asks, shows, writes and
// renames nothing, so it can be made away from the window's thread.

// Everything a draft reads, taken on the window's thread.
struct DraftRequest {
  OperationId operation;
  std::unique_ptr<MemoryForm> form;  // a copy of the window's controls
  std::vector<GbkText> names;        // the list's column 0
  std::vector<GbkText> previews;     // its column 1: names written by earlier previews
  GbkText preview_folder;            // as the window's RenameContext keeps it
};

struct Draft {
  OperationId operation;
  // Per row: the name the button would write there, or nothing where the row
  // keeps what it shows.
  std::vector<std::optional<GbkText>> cells;
  // Per row: why that row's rename would fail, as the preview marks it.
  std::vector<GbkText> marks;
  int changes = 0;   // rows a commit would rename, or try to
  int failures = 0;  // of them, those expected to fail
};

// Whether the operation can have a draft: one that offers a preview, with
// the preview open.
bool CanDraft(OperationId operation, const Form& form);

// The draft of the request's operation; nothing when the button would stop
// before writing a preview (an empty field, a check it fails) or when
// `cancelled` turned true meanwhile. Reads the disk through `files` only.
std::optional<Draft> MakeDraft(DraftRequest request, FileSystem& files, FileInfoReader* file_info,
                               const std::atomic<bool>& cancelled);

}  // namespace qm
