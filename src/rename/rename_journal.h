#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/gbk_text_type.h"
#include "platform/file_system.h"
#include "platform/journal_store.h"
#include "rename/rename_plan.h"

namespace qm {

// The journal of one plan, as text: the plan first, then a mark per finished
// entry, then an end mark. Names may hold any byte but NUL and the separator,
// line ends included, so every name is written as <length>:<bytes>.
//
//   quillmere-journal 1
//   folder 5:/w/a/
//   entry 0 2049 1311 5:a.txt 5:b.txt
//   begin
//   done 0
//   end
//
// A journal without "begin" was cut off before anything moved; one without
// "end" belongs to a run that never finished.

struct JournalEntry {
  int index = 0;  // the entry's position in its plan
  FileIdentity identity;
  GbkText from;
  GbkText to;
};

struct JournalContent {
  GbkText folder;
  std::vector<JournalEntry> entries;
  bool begun = false;     // the whole plan reached the journal
  std::set<int> done;     // indexes of the entries marked renamed
  bool finished = false;  // the end mark is there
};

std::string JournalHeader(const GbkText& folder, const std::vector<JournalEntry>& entries);
// The same header in pieces, so a large plan can be written while a window
// paints: JournalStart, a line per entry, then kJournalBegin.
std::string JournalStart(const GbkText& folder);
void AppendJournalEntry(std::string& out, int index, const FileIdentity& identity,
                        const GbkText& from, const GbkText& to);
inline constexpr std::string_view kJournalBegin = "begin\n";
std::string JournalDoneMark(int index);
void AppendJournalDoneMark(std::string& out, int index);
inline constexpr std::string_view kJournalEnd = "end\n";

// nullopt for bytes that are not a journal; a cut-off last line is ignored.
// `between`, when given, is called now and then, so that a window can paint
// while a large journal is read.
std::optional<JournalContent> ParseJournal(std::string_view bytes,
                                           const std::function<void()>& between = {});

// The temporary name that breaks a ring of renames at the given entry. It
// follows from the journal's id, so a start after a crash can find the file.
GbkText TemporaryName(std::string_view run_id, int index);

// Progress marks reach the journal in batches: one write per batch, synced
// only at the end, which is enough because every entry's file is found by
// its identity after a crash.
class JournalProgress {
 public:
  explicit JournalProgress(JournalWriter* writer) : writer_(writer) {}
  void Done(int index) {
    if (!writer_) return;
    AppendJournalDoneMark(pending_, index);
    if (++marks_ % kBatch == 0) Flush(false);
  }
  void Finish() {
    if (!writer_) return;
    pending_ += kJournalEnd;
    Flush(true);
  }

 private:
  static constexpr int kBatch = 512;
  void Flush(bool sync) {
    // A failed write loses marks only; the plan and the identities are on disk.
    (void)writer_->Append(pending_, sync);
    pending_.clear();
  }
  JournalWriter* writer_;
  std::string pending_;
  int marks_ = 0;
};

// Writes the plan to its journal in batches, letting a window paint between
// them, and syncs it once whole; only then is the plan begun. A large plan is
// also synced every few megabytes on the way: one sync of hundreds of
// megabytes at the end would hold the window for as long as the disk takes.
// Returns why it could not be written.
std::optional<std::string> WritePlan(JournalWriter& writer, const GbkText& folder,
                                     const std::vector<PlanEntry>& entries,
                                     const std::vector<FileIdentity>& identities,
                                     const std::vector<int>& order, const PlanOptions& options);

}  // namespace qm
