#include "rename/rename_journal.h"

#include <algorithm>
#include <charconv>

namespace qm {
namespace {

constexpr std::string_view kMagic = "quillmere-journal 1\n";

template <class Number>
void AppendNumber(std::string& out, Number number) {
  char digits[24];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

void AppendName(std::string& out, const GbkText& name) {
  AppendNumber(out, name.size());
  out += ':';
  out += name;
}

// Reads the fields of one journal line; every read fails past the line's end.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : rest_(bytes) {}
  bool AtEnd() const { return rest_.empty(); }

  // The next space-separated word.
  std::optional<std::string_view> Word() {
    size_t end = rest_.find_first_of(" \n");
    if (end == std::string_view::npos || end == 0) return std::nullopt;
    std::string_view word = rest_.substr(0, end);
    rest_.remove_prefix(end);
    if (rest_.front() == ' ') rest_.remove_prefix(1);
    return word;
  }
  template <class T>
  std::optional<T> Number() {
    auto word = Word();
    T value{};
    if (!word) return std::nullopt;
    auto [end, error] = std::from_chars(word->data(), word->data() + word->size(), value);
    if (error != std::errc() || end != word->data() + word->size()) return std::nullopt;
    return value;
  }
  std::optional<GbkText> Name() {
    size_t colon = rest_.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    size_t length = 0;
    auto [end, error] = std::from_chars(rest_.data(), rest_.data() + colon, length);
    if (error != std::errc() || end != rest_.data() + colon) return std::nullopt;
    // The name and what follows it; a length near the type's limit must not wrap.
    if (length >= rest_.size() - colon - 1) return std::nullopt;
    GbkText name(rest_.substr(colon + 1, length));
    rest_.remove_prefix(colon + 1 + length);
    if (rest_.front() == ' ') rest_.remove_prefix(1);
    return name;
  }
  // Consumes the line end; false when the line goes on or was cut off.
  bool LineEnd() {
    if (rest_.empty() || rest_.front() != '\n') return false;
    rest_.remove_prefix(1);
    return true;
  }

 private:
  std::string_view rest_;
};

// Makes room for one more entry. Moved to a larger buffer in one piece, a
// million entries would hold the window: they move in pieces, with `between`
// called between them.
void MakeRoom(std::vector<JournalEntry>& entries, const std::function<void()>& between) {
  constexpr size_t kPiece = 4096;
  if (!between || entries.size() < entries.capacity()) return;
  std::vector<JournalEntry> larger;
  larger.reserve(std::max<size_t>(kPiece, entries.size() * 2));
  for (size_t i = 0; i < entries.size(); ++i) {
    if (i % kPiece == 0) between();
    larger.push_back(std::move(entries[i]));
  }
  entries.swap(larger);
}

}  // namespace

std::string JournalStart(const GbkText& folder) {
  std::string out(kMagic);
  out += "folder ";
  AppendName(out, folder);
  out += '\n';
  return out;
}

void AppendJournalEntry(std::string& out, int index, const FileIdentity& identity,
                        const GbkText& from, const GbkText& to) {
  out += "entry ";
  AppendNumber(out, index);
  out += ' ';
  AppendNumber(out, identity.device);
  out += ' ';
  AppendNumber(out, identity.inode);
  out += ' ';
  AppendName(out, from);
  out += ' ';
  AppendName(out, to);
  out += '\n';
}

std::string JournalHeader(const GbkText& folder, const std::vector<JournalEntry>& entries) {
  std::string out = JournalStart(folder);
  for (const JournalEntry& entry : entries) {
    AppendJournalEntry(out, entry.index, entry.identity, entry.from, entry.to);
  }
  out += kJournalBegin;
  return out;
}

void AppendJournalDoneMark(std::string& out, int index) {
  out += "done ";
  AppendNumber(out, index);
  out += '\n';
}

std::string JournalDoneMark(int index) {
  std::string mark;
  AppendJournalDoneMark(mark, index);
  return mark;
}

std::optional<JournalContent> ParseJournal(std::string_view bytes,
                                           const std::function<void()>& between) {
  if (bytes.substr(0, kMagic.size()) != kMagic) return std::nullopt;
  Reader reader(bytes.substr(kMagic.size()));
  JournalContent content;
  bool has_folder = false;
  for (size_t line = 1; !reader.AtEnd(); ++line) {
    if (between && line % 4096 == 0) between();
    auto word = reader.Word();
    if (!word) break;
    bool line_ok = false;
    if (*word == "folder" && !has_folder) {
      auto folder = reader.Name();
      if (folder && reader.LineEnd()) {
        content.folder = std::move(*folder);
        has_folder = line_ok = true;
      }
    } else if (*word == "entry" && has_folder && !content.begun) {
      JournalEntry entry;
      auto index = reader.Number<int>();
      auto device = reader.Number<uint64_t>();
      auto inode = reader.Number<uint64_t>();
      auto from = reader.Name();
      auto to = reader.Name();
      if (index && device && inode && from && to && reader.LineEnd()) {
        MakeRoom(content.entries, between);
        content.entries.push_back({*index, {*device, *inode}, std::move(*from), std::move(*to)});
        line_ok = true;
      }
    } else if (*word == "begin" && has_folder && !content.begun) {
      line_ok = content.begun = reader.LineEnd();
    } else if (*word == "done" && content.begun) {
      auto index = reader.Number<int>();
      if (index && reader.LineEnd()) {
        content.done.insert(*index);
        line_ok = true;
      }
    } else if (*word == "end" && content.begun) {
      line_ok = content.finished = reader.LineEnd();
    }
    if (!line_ok) break;  // a line cut off by a crash ends what can be read
  }
  if (!has_folder) return std::nullopt;
  if (!content.begun) content.entries.clear();
  return content;
}

GbkText TemporaryName(std::string_view run_id, int index) {
  return GbkText(".quillmere-" + std::string(run_id) + "-" + std::to_string(index) + ".tmp");
}

std::optional<std::string> WritePlan(JournalWriter& writer, const GbkText& folder,
                                     const std::vector<PlanEntry>& entries,
                                     const std::vector<FileIdentity>& identities,
                                     const std::vector<int>& order, const PlanOptions& options) {
  constexpr size_t kBatch = 4096;
  constexpr size_t kSyncEvery = 8 << 20;
  std::string batch = JournalStart(folder);
  size_t unsynced = 0;
  for (size_t k = 0; k < order.size(); ++k) {
    const int i = order[k];
    AppendJournalEntry(batch, i, identities[i], entries[i].from, entries[i].to);
    const bool last = k + 1 == order.size();
    if (last) batch += kJournalBegin;
    if ((k + 1) % kBatch != 0 && !last) continue;
    unsynced += batch.size();
    const bool sync = last || unsynced >= kSyncEvery;
    if (auto written = writer.Append(batch, sync); !written.ok()) return written.error().message;
    if (sync) unsynced = 0;
    batch.clear();
    if (options.progress) options.progress(0, static_cast<int>(order.size()));
  }
  return std::nullopt;
}

}  // namespace qm
