// Reads arbitrary bytes as a journal, as a start after a crash or a journal
// edited by hand would give it: the reader never fails on them, and what it
// reads, written again, reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "rename/rename_journal.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::string Written(const qm::JournalContent& content) {
  if (!content.begun) return qm::JournalStart(content.folder);
  std::string out = qm::JournalHeader(content.folder, content.entries);
  for (int index : content.done) qm::AppendJournalDoneMark(out, index);
  if (content.finished) out += qm::kJournalEnd;
  return out;
}

bool Same(const qm::JournalContent& a, const qm::JournalContent& b) {
  if (a.folder != b.folder || a.begun != b.begun || a.done != b.done || a.finished != b.finished ||
      a.entries.size() != b.entries.size()) {
    return false;
  }
  for (size_t k = 0; k < a.entries.size(); ++k) {
    const qm::JournalEntry& x = a.entries[k];
    const qm::JournalEntry& y = b.entries[k];
    if (x.index != y.index || x.identity.device != y.identity.device ||
        x.identity.inode != y.identity.inode || x.from != y.from || x.to != y.to) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Most inputs start with the journal's first line, so the fuzzer reaches
  // the lines after it.
  std::string bytes = "quillmere-journal 1\n";
  if (size > 0 && data[0] == '!') {
    bytes.assign(reinterpret_cast<const char*>(data) + 1, size - 1);
  } else {
    bytes.append(reinterpret_cast<const char*>(data), size);
  }

  const std::optional<qm::JournalContent> content = qm::ParseJournal(bytes);
  if (!content) return 0;
  Check(content->begun || (content->entries.empty() && content->done.empty()));
  Check(!content->finished || content->begun);

  const std::optional<qm::JournalContent> again = qm::ParseJournal(Written(*content));
  Check(again.has_value() && Same(*content, *again));
  return 0;
}
