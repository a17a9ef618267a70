#include "cli/cli_ports.h"

#include <algorithm>
#include <csignal>
#include <cstdio>

#include "base/encoding.h"

namespace qm::cli {

namespace {

// A block of texts; a longer text gets a block of its own size.
constexpr size_t kTextBlock = 256 << 10;

}  // namespace

std::string_view MemoryList::Texts::At(int row) const {
  if (row < 0 || row >= Size()) return {};
  const Span& span = spans_[row];
  if (span.size == 0) return {};
  return std::string_view(blocks_[span.block]).substr(span.offset, span.size);
}

MemoryList::Texts::Span MemoryList::Texts::Store(std::string_view text) {
  if (text.empty()) return {};
  if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < text.size()) {
    blocks_.emplace_back();
    blocks_.back().reserve(std::max(kTextBlock, text.size()));
  }
  std::string& block = blocks_.back();
  const Span span{static_cast<uint32_t>(blocks_.size() - 1), static_cast<uint32_t>(block.size()),
                  static_cast<uint32_t>(text.size())};
  block.append(text);
  return span;
}

void MemoryList::Texts::Set(int row, std::string_view text) { spans_[row] = Store(text); }

void MemoryList::Texts::Append(const std::vector<GbkText>& texts) {
  const size_t needed = spans_.size() + texts.size();
  if (needed > spans_.capacity()) spans_.reserve(std::max(needed, spans_.capacity() * 3 / 2));
  for (const GbkText& text : texts) spans_.push_back(Store(text.bytes()));
}

void MemoryList::Texts::Erase(int row) {
  if (row >= 0 && row < Size()) spans_.erase(spans_.begin() + row);
}

void MemoryList::Texts::Clear() {
  spans_.clear();
  blocks_.clear();
}

int MemoryList::Texts::Filled() const {
  return static_cast<int>(
      std::count_if(spans_.begin(), spans_.end(), [](const Span& span) { return span.size > 0; }));
}

GbkText MemoryList::Cell(int row, int column) const { return GbkText(CellView(row, column)); }

bool MemoryList::CellHolds(int row, int column, std::string_view text) const {
  return Holds(row, column) ? columns_[column].At(row) == text : text.empty();
}

void MemoryList::SetCell(int row, int column, const GbkText& text) {
  if (!Holds(row, column)) return;
  Texts& cells = columns_[column];
  if (row >= cells.Size()) {
    if (text.empty()) return;
    cells.Resize(rows_);
  }
  cells.Set(row, text.bytes());
  if (!marks_.empty()) marks_.erase(Key(row, column));
}

void MemoryList::MarkCell(int row, int column, const GbkText& reason) {
  if (!Holds(row, column)) return;
  if (reason.empty()) {
    if (!marks_.empty()) marks_.erase(Key(row, column));
  } else {
    marks_[Key(row, column)] = reason;
  }
}

GbkText MemoryList::TakeCell(int row, int column) {
  GbkText text = Cell(row, column);
  if (!text.empty()) columns_[column].Set(row, {});
  return text;
}

int MemoryList::FilledCells(int column) const {
  if (column < 0 || column >= ColumnCount()) return 0;
  return columns_[column].Filled();
}

std::string_view MemoryList::CellView(int row, int column) const {
  return Holds(row, column) ? columns_[column].At(row) : std::string_view();
}

const GbkText* MemoryList::MarkOf(int row, int column) const {
  if (marks_.empty()) return nullptr;
  auto found = marks_.find(Key(row, column));
  return found == marks_.end() ? nullptr : &found->second;
}

void MemoryList::AppendRows(std::vector<GbkText> column0) {
  if (columns_.empty()) return;
  Texts& names = columns_[0];
  names.Resize(rows_);
  names.Append(column0);
  rows_ += static_cast<int>(column0.size());
}

// Rows and columns move only in the window's own handlers, never in a run
// of this program; the marks are then dropped rather than shifted.
void MemoryList::RemoveRow(int row) {
  if (row < 0 || row >= rows_) return;
  for (Texts& cells : columns_) cells.Erase(row);
  --rows_;
  marks_.clear();
}

void MemoryList::RemoveAllRows() {
  for (Texts& cells : columns_) cells.Clear();
  rows_ = 0;
  marks_.clear();
}

void MemoryList::InsertColumn(int index, const GbkText& title, int) {
  if (index < 0 || index > ColumnCount()) return;
  titles_.insert(titles_.begin() + index, title);
  columns_.insert(columns_.begin() + index, Texts());
  marks_.clear();
}

void MemoryList::RemoveColumn(int index) {
  if (index < 0 || index >= ColumnCount()) return;
  titles_.erase(titles_.begin() + index);
  columns_.erase(columns_.begin() + index);
  marks_.clear();
}

GbkText MemoryList::ColumnTitle(int index) const {
  return index >= 0 && index < ColumnCount() ? titles_[index] : GbkText();
}

void MemoryList::SetColumnTitle(int index, const GbkText& title) {
  if (index >= 0 && index < ColumnCount()) titles_[index] = title;
}

Answer CollectedMessages::Show(const GbkText& text, const GbkText& title, Icon icon,
                               Buttons buttons) {
  (buttons == Buttons::Ok ? shown : asked).push_back({text, title, icon});
  return Answer::Ok;
}

Result<std::unique_ptr<JournalWriter>> GuardedJournals::Create() {
  if (!writable) return Error{"a dry run renames nothing"};
  Result<std::unique_ptr<JournalWriter>> created = journals_.Create();
  if (!created.ok()) {
    write_failed = true;
  } else {
    last_created_ = (*created)->Id();
    removed_plan_.reset();
  }
  return created;
}

void GuardedJournals::Remove(const std::string& id) {
  if (!writable) return;
  if (id == last_created_ && InterruptRequested()) {
    Result<std::string> bytes = journals_.Read(id);
    if (bytes.ok()) removed_plan_ = std::move(*bytes);
  }
  journals_.Remove(id);
}

std::optional<std::string> GuardedJournals::LastPlan() {
  if (last_created_.empty()) return std::nullopt;
  if (removed_plan_) return removed_plan_;
  Result<std::string> bytes = journals_.Read(last_created_);
  if (!bytes.ok()) return std::nullopt;
  return std::move(*bytes);
}

Result<std::unique_ptr<JournalWriter>> GuardedJournals::Reopen(const std::string& id) {
  if (!writable) return Error{"a dry run renames nothing"};
  Result<std::unique_ptr<JournalWriter>> reopened = journals_.Reopen(id);
  if (!reopened.ok()) write_failed = true;
  return reopened;
}

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) {
  interrupted = 1;
  std::signal(SIGINT, SIG_DFL);
}

constexpr int kBarWidth = 30;

}  // namespace

void CatchInterrupt() { std::signal(SIGINT, OnInterrupt); }

bool InterruptRequested() { return interrupted != 0; }

void TerminalProgress::Begin(const GbkText& what, int) {
  End();
  Result<std::string> utf8 = InternalToUtf8(what);
  what_ = utf8.ok() ? *utf8 : std::string();
}

bool TerminalProgress::Advance(int done, int total) {
  if (on_terminal_) {
    const auto now = std::chrono::steady_clock::now();
    if (now - start_ >= std::chrono::seconds(1) &&
        (!showing_ || now - drawn_ >= std::chrono::milliseconds(100))) {
      drawn_ = now;
      Draw(done, total);
    }
  }
  return !InterruptRequested();
}

void TerminalProgress::Draw(int done, int total) {
  const int filled = total > 0 ? static_cast<int>(int64_t{done} * kBarWidth / total) : 0;
  std::string bar(static_cast<size_t>(std::min(filled, kBarWidth)), '#');
  bar.resize(kBarWidth, '-');
  std::fprintf(stderr, "\r\033[K%s [%s] %d/%d", what_.c_str(), bar.c_str(), done, total);
  std::fflush(stderr);
  showing_ = true;
}

void TerminalProgress::End() {
  if (!showing_) return;
  std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
  showing_ = false;
}

}  // namespace qm::cli
