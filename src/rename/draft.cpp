#include "rename/draft.h"

#include "platform/list_view.h"
#include "platform/messages.h"
#include "rename/rename_context.h"
#include "rename/rename_run.h"
#include "workspace/workspace_values.h"

namespace qm {
namespace {

// The list as the draft's run sees it: the rows of the request, with what the
// run writes in column 1 kept apart as the draft.
class DraftList : public ListView {
 public:
  explicit DraftList(DraftRequest& request) : request_(request) {
    const size_t rows = request.names.size();
    request.previews.resize(rows);
    cells_.resize(rows);
    // The run marks every row afresh.
    marks_.resize(rows);
  }

  int RowCount() const override { return static_cast<int>(request_.names.size()); }
  int ColumnCount() const override { return 2; }
  GbkText Cell(int row, int column) const override {
    if (!Holds(row)) return {};
    if (column == 0) return request_.names[row];
    if (column != 1) return {};
    return cells_[row] ? *cells_[row] : request_.previews[row];
  }
  void SetCell(int row, int column, const GbkText& text) override {
    if (!Holds(row) || column != 1) return;
    cells_[row] = text;
    marks_[row].clear();
  }
  void MarkCell(int row, int column, const GbkText& reason) override {
    if (Holds(row) && column == 1) marks_[row] = reason;
  }
  // The run changes no rows or columns.
  void AppendRows(std::vector<GbkText>) override {}
  void RemoveRow(int) override {}
  void RemoveAllRows() override {}
  void InsertColumn(int, const GbkText&, int) override {}
  void RemoveColumn(int) override {}
  GbkText ColumnTitle(int) const override { return {}; }
  void SetColumnTitle(int, const GbkText&) override {}
  int CurrentRow() const override { return -1; }
  std::vector<int> SelectedRows() const override { return {}; }
  int ClickedColumn() const override { return 0; }

  Draft TakeDraft(OperationId operation) {
    Draft draft{operation, std::move(cells_), std::move(marks_)};
    for (size_t row = 0; row < draft.cells.size(); ++row) {
      const bool failing = !draft.marks[row].empty();
      if (failing || draft.cells[row] || !request_.previews[row].empty()) ++draft.changes;
      if (failing) ++draft.failures;
    }
    return draft;
  }

 private:
  bool Holds(int row) const { return row >= 0 && row < RowCount(); }

  DraftRequest& request_;
  std::vector<std::optional<GbkText>> cells_;
  std::vector<GbkText> marks_;
};

// Every question is answered as the user who wants the preview would, and no
// message reaches the screen: input the button would refuse gives no draft.
class Unseen : public Messages {
 public:
  Answer Show(const GbkText&, const GbkText&, Icon, Buttons) override { return Answer::Ok; }
};

class NoWindows : public WindowSystem {
 public:
  GbkText ChooseFolderDialog(const GbkText&, const GbkText&) override { return {}; }
  void PumpMessages() override {}
};

// A draft renames nothing, so it has no journal and no undo record; it keeps
// only what the window's last preview saw, for the marks.
class NoJournals : public JournalStore {
 public:
  Result<std::unique_ptr<JournalWriter>> Create() override { return Refused(); }
  Result<std::unique_ptr<JournalWriter>> Reopen(const std::string&) override { return Refused(); }
  std::vector<std::string> List() override { return {}; }
  Result<std::string> Read(const std::string&, size_t) override { return Refused(); }
  Result<uint64_t> Size(const std::string&) override { return Refused(); }
  void SetAside(const std::string&) override {}
  void Remove(const std::string&) override {}

 private:
  static Error Refused() { return {"a draft renames nothing"}; }
};

// Stops the run between two entries once a newer draft is wanted.
class Cancellable : public JobProgress {
 public:
  explicit Cancellable(const std::atomic<bool>& cancelled) : cancelled_(cancelled) {}
  void Begin(const GbkText&, int) override {}
  bool Advance(int, int) override { return !cancelled_.load(std::memory_order_relaxed); }
  void End() override {}

 private:
  const std::atomic<bool>& cancelled_;
};

}  // namespace

bool CanDraft(OperationId operation, const Form& form) {
  // An operation that offers no preview renames even while it is open.
  return PreviewModeOn(form) && ProfileOf(operation).confirmation != Confirmation::AskNoPreview;
}

std::optional<Draft> MakeDraft(DraftRequest request, FileSystem& files, FileInfoReader* file_info,
                               const std::atomic<bool>& cancelled) {
  if (!CanDraft(request.operation, *request.form)) return std::nullopt;
  DraftList list(request);
  Unseen messages;
  NoWindows windows;
  Cancellable progress(cancelled);
  UndoHistory no_undo;
  NoJournals no_journals;
  RenameContext context{.undo = no_undo,
                        .journal = no_journals,
                        .preview_folder = std::move(request.preview_folder),
                        .notes_previewed = false};
  MainServices services{.form = *request.form,
                        .list = list,
                        .messages = messages,
                        .windows = windows,
                        .files = files,
                        .renames = &context,
                        .progress = progress,
                        .file_info = file_info};
  if (RunOperation(request.operation, services) != RunEnd::Previewed) return std::nullopt;
  if (cancelled.load()) return std::nullopt;
  return list.TakeDraft(request.operation);
}

}  // namespace qm
