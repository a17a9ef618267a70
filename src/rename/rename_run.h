#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "base/gbk_text_type.h"
#include "platform/controls.h"
#include "platform/main_services.h"
#include "platform/messages.h"
#include "rename/rename_plan.h"

namespace qm {

// The one pipeline every rename button runs. An operation is two things:
//
//  * its RunProfile: the input checks, messages, folder-mode handling,
//    confirmation and result styles and the skip-extension rule. Operations
//    never copy those steps.
//  * its OperationDefinition: an optional validation hook and a `prepare`
//    function that reads the operation's controls at the click and returns a
//    PreparedOperation whose NameTransform is a pure function of the entry.
//
// Both live in the operation's entry of the registry (rename/operations.cpp),
// with its id, its button and its English name. To add an operation: write
// `OperationDefinition XxxOperation();` in the transform file of its group
// (rename/<group>_operations.{h,cpp}, or a new one), add its id to
// OperationId and its entry to the registry. The run applies the transform's
// results (preview cells or renames); a transform never touches the list or
// the disk.

// A message as shown: internal-encoding text, empty title for the default one.
struct Notice {
  GbkText text;
  GbkText title;
  Icon icon = Icon::Information;
};

// What a transform knows about the entry it works on.
struct EntryContext {
  int row = 0;    // list row whose cells belong to this entry; -1 for a scanned
                  // subfolder that no row holds
  int index = 0;  // 0-based position among the run's entries (skipped ones count)
  int count = 0;  // number of entries in the run
  bool folder_mode = false;
  GbkText name;       // the whole current name
  GbkText stem;       // file mode: FileNameOf(name, false); folder mode: the whole name
  GbkText extension;  // file mode: ExtensionOf(name), dot included; folder mode: empty
};

// What a transform makes of one entry: a new text, nothing (the entry keeps
// its name), or the reason it could not make one: then the entry keeps its
// name too, and the reason is shown as a failed rename's is.
struct NameResult {
  NameResult() = default;
  NameResult(std::nullopt_t) {}
  NameResult(std::optional<GbkText> new_text) : text(std::move(new_text)) {}
  NameResult(GbkText new_text) : text(std::move(new_text)) {}
  static NameResult Failed(GbkText why) {
    NameResult result;
    result.failure = std::move(why);
    return result;
  }

  std::optional<GbkText> text;
  GbkText failure;  // not empty: no new name could be made
};

// Returns the new text for the entry, or nothing to leave it alone. The text
// it gets (and returns) is the stem in file mode and the whole name in folder
// mode, unless the operation asks for the whole name (TransformInput). A
// result that is empty or equal to the input also leaves the entry alone,
// unless allow_empty_result is set.
using NameTransform = std::function<NameResult(const GbkText& text, const EntryContext& entry)>;

enum class TransformInput {
  StemInFileMode,  // file mode: the stem, and the run re-appends the extension
  WholeName,       // both modes: the whole name in, the whole new name out
};

// Confirmation::CountThenAsk: count the entries the operation would change before
// asking. The count runs over the same texts the transform gets, without the
// skip-extension rule.
struct CountFirst {
  std::function<bool(const GbkText& text, const EntryContext& entry)> would_change;
  std::function<Notice(bool folder_mode)> zero_message;  // shown with OK; the run stops
  // The OK/Cancel question built from the count (PreviewMode off).
  std::function<Notice(int count, bool folder_mode)> question;
};

// A message the run shows once, right after its confirmation step.
struct AfterQuestion {
  Notice notice;
  bool stops_run = false;  // true: the run ends after the message
};

// Built from the controls at the click, after every check has passed.
struct PreparedOperation {
  NameTransform transform;
  TransformInput input = TransformInput::StemInFileMode;
  bool allow_empty_result = false;        // the one operation that may empty a stem
  std::optional<CountFirst> count_first;  // required for Confirmation::CountThenAsk
  // The user stopped the operation while it read what it needs (a long
  // read of the files' information): the run ends with nothing changed.
  bool stopped = false;
  std::optional<AfterQuestion> after_question;
};

struct OperationDefinition {
  // The operation's own checks, run after the "no folder" check. Shows its
  // message and returns false to stop the run. May be empty.
  std::function<bool(MainServices& services)> validate;
  // Reads the operation's inputs. `folder_mode` tells which mode the run is in.
  std::function<PreparedOperation(MainServices& services, bool folder_mode)> prepare;
  // File mode with PreviewMode off: 进度条1 follows the loop.
  bool shows_progress = false;
};

// ---- The profile table's vocabulary -------------------------------------

enum class InputOrder { None, BeforeFolderCheck, AfterFolderCheck };
enum class FolderHandling { ListEntries, SubfolderScan, Refused };
enum class RefusalPoint { AfterInputCheck, AfterEmptyFolderCheck, AfterNoFolderCheck };
enum class EmptyListCheck { None, FileMode, BothModes };
// How a run asks before renaming (the old tables' Q1 to Q5, in this order).
enum class Confirmation {
  AskUnlessPreview,  // "确定更名吗？"; the preview notice instead when the preview is open
  AskDirectUnlessPreview,  // "将直接更名，确定吗？"; likewise
  CountThenAsk,            // counts the entries it would change, then asks with the count
  AskFirst,                // "确定更名吗？" before the entries are read
  AskNoPreview,  // "不提供预览功能，将直接改名，确定吗？", preview or not
};
// The message after a run (the old tables' R1 to R5, in this order).
enum class ResultStyle {
  None,
  WillBeRenamed,        // "一共有N个文件将被更名"
  RenamedSuccessfully,  // "一共有N个文件被改名成功"
  Renamed,              // "一共有N个文件被改名"
  TotalChanged,         // "总共更改N个", also for none
  Deleted,              // "删掉了N个"
};
// When an entry whose extension is the picked skip item is left alone (the
// old tables' gated and ungated rules).
enum class SkipRule {
  None,
  WhenListingAll,  // only while the filter lists every name
  Always,
};

// Texts in a profile are UTF-8 source literals; the run converts them when shown.
struct RunProfile {
  std::vector<Control> required_inputs = {};  // any of them empty: input_message
  std::string_view input_message = {};
  std::string_view input_title = {};
  InputOrder input_order = InputOrder::None;
  std::string_view empty_folder_message = {};  // when WorkingFolder is empty
  std::string_view empty_folder_title = {};
  std::string_view no_folder_message = {};  // when WorkingFolder is only the separator
  FolderHandling folder_handling = FolderHandling::ListEntries;
  std::string_view refusal_message = {};
  std::string_view refusal_title = {};
  RefusalPoint refusal_point = RefusalPoint::AfterInputCheck;
  EmptyListCheck empty_list_check = EmptyListCheck::None;
  Confirmation confirmation = Confirmation::AskUnlessPreview;
  ResultStyle file_result = ResultStyle::None;
  Icon file_result_icon = Icon::Information;
  ResultStyle folder_result = ResultStyle::None;
  Icon folder_result_icon = Icon::Information;
  SkipRule skip_rule = SkipRule::None;
};

// How a run ended.
enum class RunEnd {
  Stopped,    // a check, the user or a count stopped it before its end
  Previewed,  // the new names are in the preview column
  Ran,        // the renames were carried out (some may have failed)
};

// Runs one rename operation over the listed entries (or the scanned
// subfolders), asking, previewing or renaming as the profile says.
RunEnd RenameRun(const RunProfile& profile, const OperationDefinition& operation,
                 MainServices& services);

// The result message of a style for a count; nullopt for ResultStyle::None.
std::optional<Notice> ResultMessage(ResultStyle style, Icon icon, int count);

}  // namespace qm
