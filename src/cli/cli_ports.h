#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/dialogs.h"
#include "platform/failure_list.h"
#include "platform/form.h"
#include "platform/job_progress.h"
#include "platform/journal_store.h"
#include "platform/list_view.h"
#include "platform/memory_form.h"
#include "platform/messages.h"
#include "rename/rename_run.h"

namespace qm::cli {

// The ports of the main window held in memory, so the window's own handlers
// run unchanged without a display.

// Rows of cells, with the reason of every marked cell. The texts of a
// column are kept end to end in large blocks: a hundred thousand rows cost
// their names' bytes and twelve more a cell, where a text of its own would
// cost 32 bytes and, past 15 bytes, a block of the heap besides.
class MemoryList : public ListView {
 public:
  explicit MemoryList(int columns) : titles_(columns), columns_(columns) {}
  int RowCount() const override { return rows_; }
  int ColumnCount() const override { return static_cast<int>(titles_.size()); }
  GbkText Cell(int row, int column) const override;
  bool CellHolds(int row, int column, std::string_view text) const override;
  void SetCell(int row, int column, const GbkText& text) override;
  void MarkCell(int row, int column, const GbkText& reason) override;
  // The cell's text where the list keeps it, valid until the column changes.
  std::string_view CellView(int row, int column) const;
  // The reason the cell is marked with; nullptr when it carries no mark.
  const GbkText* MarkOf(int row, int column) const;
  // The cell's text, for its last reading: the cell is then left empty.
  GbkText TakeCell(int row, int column);
  // How many cells of the column hold text.
  int FilledCells(int column) const;
  void AppendRows(std::vector<GbkText> column0) override;
  void RemoveRow(int row) override;
  void RemoveAllRows() override;
  void InsertColumn(int index, const GbkText& title, int width) override;
  void RemoveColumn(int index) override;
  GbkText ColumnTitle(int index) const override;
  void SetColumnTitle(int index, const GbkText& title) override;
  int CurrentRow() const override { return -1; }
  std::vector<int> SelectedRows() const override { return {}; }
  int ClickedColumn() const override { return 0; }

 private:
  // One column's texts. A text written over another leaves the old bytes
  // where they are: a run writes each cell once or twice.
  class Texts {
   public:
    std::string_view At(int row) const;
    void Set(int row, std::string_view text);  // row < Size()
    // Room for `rows` cells, the new ones empty.
    void Resize(int rows) { spans_.resize(rows); }
    // Appends the texts as cells; a large number of them is given room
    // to measure, and many small numbers room that grows by half.
    void Append(const std::vector<GbkText>& texts);
    void Erase(int row);
    void Clear();
    int Filled() const;
    int Size() const { return static_cast<int>(spans_.size()); }

   private:
    struct Span {
      uint32_t block = 0;
      uint32_t offset = 0;
      uint32_t size = 0;
    };
    Span Store(std::string_view text);
    std::vector<Span> spans_;
    std::vector<std::string> blocks_;
  };
  static uint64_t Key(int row, int column) {
    return (static_cast<uint64_t>(row) << 16) | static_cast<uint32_t>(column);
  }
  bool Holds(int row, int column) const {
    return row >= 0 && row < rows_ && column >= 0 && column < ColumnCount();
  }
  std::vector<GbkText> titles_;
  // Per column, as long as its last written cell: the others are empty.
  std::vector<Texts> columns_;
  int rows_ = 0;
  std::unordered_map<uint64_t, GbkText> marks_;
};

// Message boxes that never wait for anyone: every question is answered OK,
// and what was said is kept for the report, apart from what was asked.
class CollectedMessages : public Messages {
 public:
  Answer Show(const GbkText& text, const GbkText& title, Icon icon, Buttons buttons) override;
  std::vector<Notice> shown;
  std::vector<Notice> asked;
};

// The failure window as the rows it would list.
class CollectedFailures : public FailureList {
 public:
  void Show(const GbkText&, const GbkText&, const std::vector<FailedRename>& rows) override {
    failed.insert(failed.end(), rows.begin(), rows.end());
  }
  std::vector<FailedRename> failed;
};

// No dialogs and no message loop: there is nothing to pump.
class NoWindows : public WindowSystem {
 public:
  GbkText ChooseFolderDialog(const GbkText&, const GbkText&) override { return {}; }
  void PumpMessages() override {}
};

// The journals, closed to writing until `writable` is set: a plan that
// cannot write its journal moves nothing, so no step before the one meant to
// rename (a dry run's, above all) can rename.
class GuardedJournals : public JournalStore {
 public:
  explicit GuardedJournals(JournalStore& journals) : journals_(journals) {}
  Result<std::unique_ptr<JournalWriter>> Create() override;
  Result<std::unique_ptr<JournalWriter>> Reopen(const std::string& id) override;
  std::vector<std::string> List() override { return journals_.List(); }
  Result<std::string> Read(const std::string& id, size_t tail_bytes) override {
    return journals_.Read(id, tail_bytes);
  }
  Result<uint64_t> Size(const std::string& id) override { return journals_.Size(id); }
  void SetAside(const std::string& id) override {
    if (writable) journals_.SetAside(id);
  }
  void Remove(const std::string& id) override;
  // The journal of the last plan this session wrote, as it stood when the
  // run ended: the whole plan and a mark per entry done. Read from the store,
  // or kept from it when Ctrl-C stopped the run before its first rename and
  // the run then removed it. nullopt when no plan was written.
  std::optional<std::string> LastPlan();
  bool WrotePlan() const { return !last_created_.empty(); }
  bool writable = false;
  // A journal could not be opened for writing: the run it was for renamed
  // nothing.
  bool write_failed = false;

 private:
  JournalStore& journals_;
  std::string last_created_;
  std::optional<std::string> removed_plan_;
};

// Ctrl-C asks the running job to stop after the rename it is on; a second
// one ends the program at once.
void CatchInterrupt();
bool InterruptRequested();

// The jobs' progress as a bar on standard error, shown only when that is a
// terminal and once the run has lasted a second; its stop is Ctrl-C.
class TerminalProgress : public JobProgress {
 public:
  // The second counts from here: a run of several short jobs shows its bar too.
  explicit TerminalProgress(bool on_terminal)
      : on_terminal_(on_terminal), start_(std::chrono::steady_clock::now()) {}
  void Begin(const GbkText& what, int total) override;
  bool Advance(int done, int total) override;
  void End() override;

 private:
  void Draw(int done, int total);
  bool on_terminal_;
  std::string what_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point drawn_;
  bool showing_ = false;
};

}  // namespace qm::cli
